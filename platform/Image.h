// Images in memory as 32-bit texels in the byte order blue, green, red,
// alpha, top row first; decoding from PNG, JPEG and TGA files, encoding to
// PNG and JPEG (for the content generators), box resampling and mip chains.
// Pure computation and file access; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The largest width or height a decoded image may have.
inline constexpr int kMaxImageSide = 16384;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4 bytes, rows top to bottom
};

// An image of that size with every texel set to one colour (0xAARRGGBB);
// sizes below 1 count as 1.
Image MakeImage(int width, int height, std::uint32_t argb = 0);

// True when both sides are 1..kMaxImageSide and the texels fill exactly
// width * height * 4 bytes.
bool IsValidImage(const Image& image);

// Decodes an image file by its content (PNG, JPEG or TGA); nothing when the
// file is missing or not a supported, intact image. `error` says why.
// `name` is a data name (mapped with MapPath).
//  - PNG: every colour type and depth; palette, grey and 16-bit images are
//    converted, transparency chunks become alpha, interlaced images are
//    assembled.
//  - JPEG: grey, YCbCr and RGB; a file the library had to warn about
//    (truncated or corrupt data) counts as broken.
//  - TGA: true colour (types 2 and 10) of 24 or 32 bits, grey (types 3 and
//    11) of 8 bits, either row order and either column order. A 32-bit image
//    whose descriptor declares no alpha bits is opaque.
// Sides above kMaxImageSide, or larger than the file's bytes could encode,
// are refused before anything is allocated for the texels.
std::optional<Image> LoadImageFile(std::string_view name, std::string* error = nullptr);
std::optional<Image> DecodeImage(std::string_view bytes, std::string* error = nullptr);
// How many files LoadImageFile has opened and decoded since the start, on
// any thread (a measure of repeated decoding).
std::uint64_t ImageFilesDecoded();

// Width and height from the file's header, with the checks of the decoders
// but without decoding the texels; false when unreadable.
bool ReadImageSize(std::string_view name, int& width, int& height);
bool DecodeImageSize(std::string_view bytes, int& width, int& height);

// Box-filtered resampling to width x height (sizes below 1 count as 1): each
// destination texel is the area-weighted mean of the source texels its
// footprint covers, rounded to nearest, for shrinking and growing alike. An
// invalid source gives transparent black.
Image ResampleBox(const Image& source, int width, int height);

// Level 0 is the image; each next level halves both sides (at least 1)
// with the box filter, down to 1 x 1. An invalid image gives no levels.
std::vector<Image> BuildMipChain(Image top);

enum class JpegColour { Colour, Grey };

// PNG bytes of the image: 8-bit RGB when every texel is opaque, else RGBA.
// Deterministic (no time stamp). Nothing for an invalid image.
std::optional<std::string> EncodePng(const Image& image);
// Baseline JPEG bytes at `quality` (clamped to 1..100); alpha is dropped.
std::optional<std::string> EncodeJpeg(const Image& image, int quality, JpegColour colour);

// Encode and write to the file `path` (a data name); false when either fails.
bool WritePng(const Image& image, std::string_view path);
bool WriteJpeg(const Image& image, std::string_view path, int quality, JpegColour colour);

}  // namespace platform
