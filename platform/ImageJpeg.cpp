#include "platform/ImageJpeg.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>  // after <cstdio>: it uses FILE and size_t

// libjpeg reports errors through the error manager, whose error_exit here
// jumps back to the setjmp of the function that made the failing call. So
// every function below that calls setjmp holds no object with a destructor
// and makes no C++ allocation after the setjmp; buffers are made by the
// callers, and the library state is owned by DecodeState / EncodeState,
// which outlive every jump and destroy the library objects.

namespace platform::jpeg {

namespace {

// A baseline stream needs at least two bits per 8 x 8 block of a component
// and a progressive one about one; a file claiming more texels per byte than
// this is lying about its size.
constexpr std::uint64_t kMaxPixelsPerByte = 1024;
// Progressive files can be made of endless tiny scans; real ones have a few.
constexpr int kMaxScans = 1000;
constexpr std::size_t kSinkChunk = 16 * 1024;

// The decompressor with its error manager; reached from the callbacks
// through client_data.
struct DecodeState {
  DecodeState() = default;
  ~DecodeState() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
  DecodeState(const DecodeState&) = delete;
  DecodeState& operator=(const DecodeState&) = delete;

  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  bool created = false;
  char message[JMSG_LENGTH_MAX] = {};
};

// The compressor, writing into a string through its own destination.
struct EncodeState {
  EncodeState() = default;
  ~EncodeState() {
    if (created) jpeg_destroy_compress(&cinfo);
  }
  EncodeState(const EncodeState&) = delete;
  EncodeState& operator=(const EncodeState&) = delete;

  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  jpeg_destination_mgr destination{};
  std::jmp_buf jump{};
  bool created = false;
  std::string* out = nullptr;
  std::array<JOCTET, kSinkChunk> chunk{};
};

// error_exit of both directions: keep the text (decoding) and jump back.
void OnDecodeError(j_common_ptr cinfo) {
  auto* state = static_cast<DecodeState*>(cinfo->client_data);
  (*cinfo->err->format_message)(cinfo, state->message);
  std::longjmp(state->jump, 1);
}

void OnEncodeError(j_common_ptr cinfo) {
  std::longjmp(static_cast<EncodeState*>(cinfo->client_data)->jump, 1);
}

// Warnings are counted by the library (num_warnings), never printed.
void OnMessage(j_common_ptr) {}

void LimitScans(j_common_ptr cinfo) {
  auto* state = static_cast<DecodeState*>(cinfo->client_data);
  if (state->cinfo.input_scan_number <= kMaxScans) return;
  std::snprintf(state->message, sizeof state->message, "too many scans");
  std::longjmp(state->jump, 1);
}

void InitErrors(DecodeState& state) {
  state.cinfo.err = jpeg_std_error(&state.errors);
  state.errors.error_exit = OnDecodeError;
  state.errors.output_message = OnMessage;
  state.cinfo.client_data = &state;
  state.progress.progress_monitor = LimitScans;
}

bool ReadHeader(DecodeState* state, const unsigned char* data, unsigned long size) {
  if (setjmp(state->jump)) return false;
  jpeg_create_decompress(&state->cinfo);
  state->created = true;
  state->cinfo.progress = &state->progress;
  jpeg_mem_src(&state->cinfo, data, size);
  jpeg_read_header(&state->cinfo, TRUE);
  return true;
}

bool ReadTexels(DecodeState* state, std::uint8_t* out, std::size_t rowBytes) {
  if (setjmp(state->jump)) return false;
  jpeg_decompress_struct* cinfo = &state->cinfo;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 4 || std::size_t{cinfo->output_width} * 4 != rowBytes) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = out + std::size_t{cinfo->output_scanline} * rowBytes;
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

// Header read and checked: size within limits and the bytes, a colour
// space we can turn into blue, green, red, alpha.
bool StartDecode(DecodeState& state, std::string_view bytes, std::string& error) {
  InitErrors(state);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  if (!ReadHeader(&state, data, static_cast<unsigned long>(bytes.size()))) {
    error = state.message;
    return false;
  }
  const jpeg_decompress_struct& cinfo = state.cinfo;
  const std::uint64_t pixels = std::uint64_t{cinfo.image_width} * cinfo.image_height;
  if (cinfo.image_width < 1 || cinfo.image_height < 1 || cinfo.image_width > kMaxImageSide ||
      cinfo.image_height > kMaxImageSide || pixels > kMaxPixelsPerByte * bytes.size()) {
    error = "bad image size";
    return false;
  }
  const J_COLOR_SPACE space = cinfo.jpeg_color_space;
  if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB) {
    error = "unsupported colour space";
    return false;
  }
  state.cinfo.out_color_space = JCS_EXT_BGRA;
  return true;
}

void InitDestination(j_compress_ptr cinfo) {
  auto* state = static_cast<EncodeState*>(cinfo->client_data);
  state->destination.next_output_byte = state->chunk.data();
  state->destination.free_in_buffer = state->chunk.size();
}

// Appends `count` bytes of the chunk; false when out of memory.
bool FlushChunk(EncodeState* state, std::size_t count) {
  try {
    state->out->append(reinterpret_cast<const char*>(state->chunk.data()), count);
  } catch (...) {
    return false;
  }
  return true;
}

boolean EmptyOutput(j_compress_ptr cinfo) {
  auto* state = static_cast<EncodeState*>(cinfo->client_data);
  if (!FlushChunk(state, state->chunk.size())) std::longjmp(state->jump, 1);
  InitDestination(cinfo);
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* state = static_cast<EncodeState*>(cinfo->client_data);
  if (!FlushChunk(state, state->chunk.size() - state->destination.free_in_buffer)) {
    std::longjmp(state->jump, 1);
  }
}

bool WriteTexels(EncodeState* state, const Image* image, int quality, bool grey) {
  if (setjmp(state->jump)) return false;
  jpeg_compress_struct* cinfo = &state->cinfo;
  jpeg_create_compress(cinfo);
  state->created = true;
  cinfo->dest = &state->destination;
  cinfo->image_width = static_cast<JDIMENSION>(image->width);
  cinfo->image_height = static_cast<JDIMENSION>(image->height);
  cinfo->input_components = 4;
  cinfo->in_color_space = JCS_EXT_BGRA;
  jpeg_set_defaults(cinfo);
  if (grey) jpeg_set_colorspace(cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(image->width) * 4;
  // The library only reads the rows it is given.
  auto* texels = const_cast<std::uint8_t*>(image->bgra.data());
  while (cinfo->next_scanline < cinfo->image_height) {
    JSAMPROW row = texels + std::size_t{cinfo->next_scanline} * rowBytes;
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

}  // namespace

bool HasSignature(std::string_view bytes) {
  return bytes.size() >= 3 && static_cast<std::uint8_t>(bytes[0]) == 0xFF &&
         static_cast<std::uint8_t>(bytes[1]) == 0xD8 && static_cast<std::uint8_t>(bytes[2]) == 0xFF;
}

std::optional<Image> Decode(std::string_view bytes, std::string& error) {
  DecodeState state;
  if (!StartDecode(state, bytes, error)) return std::nullopt;
  Image image;
  image.width = static_cast<int>(state.cinfo.image_width);
  image.height = static_cast<int>(state.cinfo.image_height);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  image.bgra.resize(rowBytes * static_cast<std::size_t>(image.height));
  if (!ReadTexels(&state, image.bgra.data(), rowBytes)) {
    error = state.message[0] != '\0' ? state.message : "unsupported pixel layout";
    return std::nullopt;
  }
  if (state.errors.num_warnings != 0) {
    error = "corrupt or truncated data";
    return std::nullopt;
  }
  return image;
}

bool ReadSize(std::string_view bytes, int& width, int& height) {
  DecodeState state;
  std::string error;
  if (!StartDecode(state, bytes, error)) return false;
  width = static_cast<int>(state.cinfo.image_width);
  height = static_cast<int>(state.cinfo.image_height);
  return true;
}

std::optional<std::string> Encode(const Image& image, int quality, JpegColour colour) {
  if (!IsValidImage(image)) return std::nullopt;
  EncodeState state;
  std::string out;
  state.out = &out;
  state.cinfo.err = jpeg_std_error(&state.errors);
  state.errors.error_exit = OnEncodeError;
  state.errors.output_message = OnMessage;
  state.cinfo.client_data = &state;
  state.destination.init_destination = InitDestination;
  state.destination.empty_output_buffer = EmptyOutput;
  state.destination.term_destination = TermDestination;
  if (!WriteTexels(&state, &image, std::clamp(quality, 1, 100), colour == JpegColour::Grey)) {
    return std::nullopt;
  }
  return out;
}

}  // namespace platform::jpeg
