#include "platform/Image.h"

#include <atomic>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/ImageJpeg.h"
#include "platform/ImagePng.h"
#include "platform/ImageTga.h"

namespace platform {

namespace {

// Writes the bytes to a new file; false when any step failed or something
// other than a regular file is in the way.
bool WriteBytes(std::string_view path, const std::string& bytes) {
  FilePtr file = OpenRegularForWriting(path, nullptr);
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

void SetError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

}  // namespace

Image MakeImage(int width, int height, std::uint32_t argb) {
  Image image;
  image.width = width < 1 ? 1 : width;
  image.height = height < 1 ? 1 : height;
  const std::size_t texels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  image.bgra.resize(texels * 4);
  for (std::size_t i = 0; i < texels; ++i) {
    image.bgra[i * 4 + 0] = static_cast<std::uint8_t>(argb);
    image.bgra[i * 4 + 1] = static_cast<std::uint8_t>(argb >> 8);
    image.bgra[i * 4 + 2] = static_cast<std::uint8_t>(argb >> 16);
    image.bgra[i * 4 + 3] = static_cast<std::uint8_t>(argb >> 24);
  }
  return image;
}

bool IsValidImage(const Image& image) {
  if (image.width < 1 || image.height < 1 || image.width > kMaxImageSide || image.height > kMaxImageSide) {
    return false;
  }
  return image.bgra.size() ==
         static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
}

std::optional<Image> DecodeImage(std::string_view bytes, std::string* error) {
  std::string reason;
  std::optional<Image> image;
  if (png::HasSignature(bytes)) {
    image = png::Decode(bytes, reason);
  } else if (jpeg::HasSignature(bytes)) {
    image = jpeg::Decode(bytes, reason);
  } else {
    image = tga::Decode(bytes, reason);
  }
  if (!image) SetError(error, reason);
  return image;
}

namespace {
std::atomic<std::uint64_t> g_imageFilesDecoded{0};
}

std::optional<Image> LoadImageFile(std::string_view name, std::string* error) {
  const std::optional<std::string> bytes = ReadBinaryFile(name);
  if (!bytes) {
    SetError(error, "cannot open file");
    return std::nullopt;
  }
  g_imageFilesDecoded.fetch_add(1, std::memory_order_relaxed);
  return DecodeImage(*bytes, error);
}

std::uint64_t ImageFilesDecoded() {
  return g_imageFilesDecoded.load(std::memory_order_relaxed);
}

bool DecodeImageSize(std::string_view bytes, int& width, int& height) {
  if (png::HasSignature(bytes)) return png::ReadSize(bytes, width, height);
  if (jpeg::HasSignature(bytes)) return jpeg::ReadSize(bytes, width, height);
  return tga::ReadSize(bytes, width, height);
}

bool ReadImageSize(std::string_view name, int& width, int& height) {
  const std::optional<std::string> bytes = ReadBinaryFile(name);
  return bytes && DecodeImageSize(*bytes, width, height);
}

std::optional<std::string> EncodePng(const Image& image) {
  return png::Encode(image);
}

std::optional<std::string> EncodeJpeg(const Image& image, int quality, JpegColour colour) {
  return jpeg::Encode(image, quality, colour);
}

bool WritePng(const Image& image, std::string_view path) {
  const std::optional<std::string> bytes = EncodePng(image);
  return bytes && WriteBytes(path, *bytes);
}

bool WriteJpeg(const Image& image, std::string_view path, int quality, JpegColour colour) {
  const std::optional<std::string> bytes = EncodeJpeg(image, quality, colour);
  return bytes && WriteBytes(path, *bytes);
}

}  // namespace platform
