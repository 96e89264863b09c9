// Images in memory as 32-bit texels in the byte order blue, green, red,
// alpha, top row first; decoding from PNG, JPEG and TGA files, box
// resampling and mip chains.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4 bytes, rows top to bottom
};

// Decodes an image file by its content (PNG, JPEG or TGA); nothing when the
// file is missing or not a supported, intact image. `error` says why.
std::optional<Image> LoadImageFile(std::string_view name, std::string* error = nullptr);
std::optional<Image> DecodeImage(std::string_view bytes, std::string* error = nullptr);

// Width and height without decoding every texel; false when unreadable.
bool ReadImageSize(std::string_view name, int& width, int& height);

// Box-filtered resampling to width x height (each at least 1).
Image ResampleBox(const Image& source, int width, int height);

// Level 0 is the image; each next level halves both sides (at least 1)
// with a box filter, down to 1 x 1.
std::vector<Image> BuildMipChain(Image top);

}  // namespace platform
