#include "platform/ImagePng.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

// libpng reports errors by longjmp to the setjmp of the function that made
// the failing call. So every function below that calls setjmp holds no
// object with a destructor and makes no C++ allocation after the setjmp;
// buffers are made by the callers, and the handles are owned by PngHandle,
// which outlives every jump.

namespace platform::png {

namespace {

// Deflate never expands more than 1032 times; image data bigger than that
// times the file cannot be in it.
constexpr std::uint64_t kMaxInflateRatio = 1032;
constexpr png_alloc_size_t kMaxChunkBytes = 8u * 1024 * 1024;
constexpr png_uint_32 kMaxAncillaryChunks = 256;
constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The last error libpng reported (bounded copy; no allocation in the handler).
struct ErrorText {
  char text[128] = {};
};

void OnError(png_structp png, png_const_charp message) {
  auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
  std::snprintf(error->text, sizeof error->text, "%s", message != nullptr ? message : "error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Owns a libpng read or write structure and its info structure.
class PngHandle {
 public:
  enum class Mode { Read, Write };
  PngHandle(Mode mode, ErrorText& error) : mode_(mode) {
    png_ = mode == Mode::Read ? png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning)
                              : png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngHandle() {
    if (png_ == nullptr) return;
    if (mode_ == Mode::Read) {
      png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
    } else {
      png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr);
    }
  }
  PngHandle(const PngHandle&) = delete;
  PngHandle& operator=(const PngHandle&) = delete;

  bool Valid() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  Mode mode_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// Bytes being read; running out is an error (a truncated file).
struct Source {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
};

void ReadFromSource(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<Source*>(png_get_io_ptr(png));
  if (count > source->size - source->pos) png_error(png, "truncated file");
  std::memcpy(out, source->data + source->pos, count);
  source->pos += count;
}

struct Header {
  png_uint_32 width = 0, height = 0;
  std::uint64_t rawBytes = 0;  // the decompressed texel data of the file's layout
};

// Reads the chunks up to the image data and checks the size; limits keep
// hostile files from allocating much.
bool ReadHeader(png_structp png, png_infop info, Source* source, Header* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadFromSource);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_set_chunk_cache_max(png, kMaxAncillaryChunks);
  png_read_info(png, info);
  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  const std::uint64_t rowBits =
      std::uint64_t{header->width} * png_get_channels(png, info) * png_get_bit_depth(png, info);
  header->rawBytes = std::uint64_t{header->height} * ((rowBits + 7) / 8 + 1);
  return true;
}

// Asks libpng for 8-bit blue, green, red, alpha whatever the file holds.
bool SetBgraOutput(png_structp png, png_infop info, png_size_t* rowBytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int colourType = png_get_color_type(png, info);
  const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTransparency) {
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  *rowBytes = png_get_rowbytes(png, info);
  return true;
}

bool ReadTexels(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  return true;
}

bool StartRead(PngHandle& handle, Source& source, Header& header, std::string& error, const ErrorText& text) {
  if (!handle.Valid()) {
    error = "out of memory";
    return false;
  }
  if (!ReadHeader(handle.Png(), handle.Info(), &source, &header)) {
    error = text.text;
    return false;
  }
  if (header.rawBytes > kMaxInflateRatio * source.size) {
    error = "image larger than its data";
    return false;
  }
  return true;
}

Source SourceOf(std::string_view bytes) {
  return Source{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0};
}

// Appends what libpng writes to a string.
void WriteToString(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  bool ok = true;
  try {
    out->append(reinterpret_cast<const char*>(data), count);
  } catch (...) {
    ok = false;
  }
  if (!ok) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

bool WriteTexels(png_structp png, png_infop info, std::string* out, const Image* image, bool alpha,
                 png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, WriteToString, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image->width), static_cast<png_uint_32>(image->height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);  // drops the fourth byte
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

bool AllOpaque(const Image& image) {
  for (std::size_t i = 3; i < image.bgra.size(); i += 4) {
    if (image.bgra[i] != 255) return false;
  }
  return true;
}

}  // namespace

bool HasSignature(std::string_view bytes) {
  return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

std::optional<Image> Decode(std::string_view bytes, std::string& error) {
  ErrorText text;
  PngHandle handle(PngHandle::Mode::Read, text);
  Source source = SourceOf(bytes);
  Header header;
  if (!StartRead(handle, source, header, error, text)) return std::nullopt;
  png_size_t rowBytes = 0;
  if (!SetBgraOutput(handle.Png(), handle.Info(), &rowBytes)) {
    error = text.text;
    return std::nullopt;
  }
  if (rowBytes != std::size_t{header.width} * 4) {
    error = "unsupported pixel layout";
    return std::nullopt;
  }
  Image image;
  image.width = static_cast<int>(header.width);
  image.height = static_cast<int>(header.height);
  image.bgra.resize(rowBytes * header.height);
  std::vector<png_bytep> rows(header.height);
  for (png_uint_32 y = 0; y < header.height; ++y) rows[y] = image.bgra.data() + y * rowBytes;
  if (!ReadTexels(handle.Png(), rows.data())) {
    error = text.text;
    return std::nullopt;
  }
  return image;
}

bool ReadSize(std::string_view bytes, int& width, int& height) {
  ErrorText text;
  PngHandle handle(PngHandle::Mode::Read, text);
  Source source = SourceOf(bytes);
  Header header;
  std::string error;
  if (!StartRead(handle, source, header, error, text)) return false;
  width = static_cast<int>(header.width);
  height = static_cast<int>(header.height);
  return true;
}

std::optional<std::string> Encode(const Image& image) {
  if (!IsValidImage(image)) return std::nullopt;
  ErrorText text;
  PngHandle handle(PngHandle::Mode::Write, text);
  if (!handle.Valid()) return std::nullopt;
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  // libpng only reads the rows it is given to write.
  auto* texels = const_cast<std::uint8_t*>(image.bgra.data());
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = texels + y * rowBytes;
  std::string out;
  if (!WriteTexels(handle.Png(), handle.Info(), &out, &image, !AllOpaque(image), rows.data())) {
    return std::nullopt;
  }
  return out;
}

}  // namespace platform::png
