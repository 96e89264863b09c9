// Images: TGA decoding (files built byte by byte here), refusing truncated and
// oversized files, PNG and JPEG round trips, box resampling and mip chains.
#include "platform/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::Image;
using Bytes = std::string;
using Px = std::array<int, 4>;  // blue, green, red, alpha

void PutLe16(Bytes& out, int value) {
  out += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}
void PutBe32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}
Bytes Of(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

Px Texel(const Image& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.bgra[at], image.bgra[at + 1], image.bgra[at + 2], image.bgra[at + 3]};
}

std::optional<Image> Decode(const Bytes& bytes) {
  return platform::DecodeImage(bytes);
}

::testing::AssertionResult DecodesTo(const Bytes& file, int x, int y, const Px& expected) {
  const auto image = Decode(file);
  if (!image) return ::testing::AssertionFailure() << "not decoded";
  if (Texel(*image, x, y) == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "texel " << ::testing::PrintToString(Texel(*image, x, y));
}

// Every prefix of a whole file must be refused with a reason (flipped bytes
// are the fuzzer's part).
void ExpectTruncationsRefused(const Bytes& file) {
  ASSERT_TRUE(Decode(file));
  for (std::size_t n = 0; n < file.size(); ++n) {
    std::string error;
    EXPECT_FALSE(platform::DecodeImage(file.substr(0, n), &error)) << n;
    EXPECT_FALSE(error.empty()) << n;
  }
}

// ---- TGA files -------------------------------------------------------------------

struct TgaSpec {
  int type = 2, width = 2, height = 2, depth = 24, descriptor = 0;
  Bytes id = {};
  int mapEntries = 0;  // a colour map of 24-bit entries, to be skipped
};

Bytes Tga(const TgaSpec& spec, const Bytes& data) {
  Bytes out = Of({static_cast<int>(spec.id.size()), spec.mapEntries > 0, spec.type, 0, 0});
  PutLe16(out, spec.mapEntries);
  out.push_back(spec.mapEntries > 0 ? 24 : 0);
  for (int v : {0, 0, spec.width, spec.height}) PutLe16(out, v);
  out += Of({spec.depth, spec.descriptor}) + spec.id +
         Bytes(static_cast<std::size_t>(spec.mapEntries) * 3, '\x7F');
  return out + data;
}

// 2 x 2, 24 bits, texels in file order: red, green, blue, white.
const Bytes kFour24 = Of({0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
const Bytes kRle24 = Of({0x01, 1, 1, 1, 2, 2, 2, 0x81, 9, 8, 7});  // a literal pair, then a run of two

TEST(ImageTga, RowAndColumnOrdersDepthsAndRunLengthPackets) {
  EXPECT_TRUE(DecodesTo(Tga({}, kFour24), 0, 1, {0, 0, 255, 255}));  // bottom up: the first row is the bottom
  EXPECT_TRUE(DecodesTo(Tga({}, kFour24), 1, 0, {255, 255, 255, 255}));
  EXPECT_TRUE(DecodesTo(Tga({.descriptor = 0x20}, kFour24), 0, 0, {0, 0, 255, 255}));  // top down
  EXPECT_TRUE(DecodesTo(Tga({.descriptor = 0x30}, kFour24), 0, 0, {0, 255, 0, 255}));  // right to left
  const TgaSpec extras{.descriptor = 0x20, .id = "made by a test", .mapEntries = 5};   // skipped
  EXPECT_TRUE(DecodesTo(Tga(extras, kFour24), 1, 1, {255, 255, 255, 255}));
  // 32 bits keep their alpha only when the descriptor declares alpha bits.
  const Bytes texel = Of({1, 2, 3, 40});
  EXPECT_TRUE(
      DecodesTo(Tga({.width = 1, .height = 1, .depth = 32, .descriptor = 0x28}, texel), 0, 0, {1, 2, 3, 40}));
  EXPECT_TRUE(DecodesTo(Tga({.width = 1, .height = 1, .depth = 32}, texel), 0, 0, {1, 2, 3, 255}));
  // Run-length packets: bottom up, crossing rows, and cut at the image's end.
  EXPECT_TRUE(DecodesTo(Tga({.type = 10}, kRle24), 1, 0, {9, 8, 7, 255}));
  const Bytes crossing = Tga({.type = 10, .width = 3, .depth = 32, .descriptor = 0x28},
                             Of({0x83, 10, 20, 30, 255, 0x01, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(DecodesTo(crossing, 0, 1, {10, 20, 30, 255}));
  EXPECT_TRUE(DecodesTo(crossing, 2, 1, {5, 6, 7, 8}));
  EXPECT_TRUE(DecodesTo(Tga({.type = 10}, Of({0xFF, 4, 5, 6})), 1, 1, {4, 5, 6, 255}));
  EXPECT_TRUE(DecodesTo(Tga({.type = 3, .width = 2, .height = 1, .depth = 8}, Of({7, 200})), 1, 0,
                        {200, 200, 200, 255}));
  EXPECT_TRUE(DecodesTo(Tga({.type = 11, .width = 3, .height = 1, .depth = 8}, Of({0x82, 99})), 2, 0,
                        {99, 99, 99, 255}));
}

TEST(ImageTga, RefusesUnsupportedTruncatedAndOversizedFiles) {
  EXPECT_FALSE(Decode(Tga({.type = 1, .depth = 8}, Bytes(4, '\0'))));  // colour mapped
  EXPECT_FALSE(Decode(Tga({.depth = 16}, Bytes(8, '\0'))));            // 16-bit true colour
  EXPECT_FALSE(Decode(Tga({.descriptor = 0x40}, kFour24)));            // interleaved rows
  EXPECT_FALSE(Decode(Tga({.type = 3, .depth = 24}, kFour24)));        // grey must be 8 bits
  EXPECT_FALSE(Decode(Tga({.width = 0}, kFour24)));
  EXPECT_FALSE(Decode(Tga({.width = 16385, .height = 1}, Bytes(16385 * 3, '\0'))));
  ExpectTruncationsRefused(Tga({.id = "id"}, kFour24));
  ExpectTruncationsRefused(Tga({.type = 10}, kRle24));
  // 16384 x 16384 claimed by a few bytes, raw and run-length: refused before allocating.
  std::string error;
  EXPECT_FALSE(platform::DecodeImage(Tga({.width = 16384, .height = 16384}, kFour24), &error));
  EXPECT_EQ(error, "truncated file");
  EXPECT_FALSE(
      platform::DecodeImage(Tga({.type = 10, .width = 16384, .height = 16384}, Of({0xFF, 1, 2, 3})), &error));
  EXPECT_EQ(error, "truncated file");
  int width = 0, height = 0;
  EXPECT_FALSE(platform::DecodeImageSize(Tga({.width = 16384, .height = 16384}, kFour24), width, height));
}

// ---- PNG and JPEG files -------------------------------------------------------------

std::uint32_t Crc32(const Bytes& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

// An encoded PNG whose header claims another size (8-bit RGB), with a valid CRC.
Bytes PngClaiming(std::uint32_t width, std::uint32_t height, const Image& content) {
  Bytes header = "IHDR";
  PutBe32(header, width);
  PutBe32(header, height);
  header += Of({8, 2, 0, 0, 0});
  Bytes chunk;
  PutBe32(chunk, 13);
  chunk += header;
  PutBe32(chunk, Crc32(header));
  return platform::EncodePng(content).value_or("").replace(8, 25, chunk);
}

TEST(ImagePng, DamagedAndOversizedFilesAreRefused) {
  ExpectTruncationsRefused(platform::EncodePng(platform::MakeImage(2, 2, 0xFF102030)).value_or(""));
  // Sides above the limit, and 16384 x 16384 claimed with a few bytes of data.
  const Image small = platform::MakeImage(4, 4, 0xFF102030);
  EXPECT_FALSE(Decode(PngClaiming(16385, 1, small)));
  std::string error;
  EXPECT_FALSE(platform::DecodeImage(PngClaiming(16384, 16384, small), &error));
  EXPECT_EQ(error, "image larger than its data");
  int width = 0, height = 0;
  EXPECT_FALSE(platform::DecodeImageSize(PngClaiming(16384, 16384, small), width, height));
  EXPECT_TRUE(platform::DecodeImageSize(PngClaiming(4, 4, small), width, height));
}

// ---- Encoders, files, resampling and mip chains -----------------------------------------

TEST(ImageCodecs, PngRoundTripsExactlyJpegClosely) {
  Image source = platform::MakeImage(7, 5, 0x80C03010);
  for (std::size_t i = 0; i < source.bgra.size(); ++i) source.bgra[i] = static_cast<std::uint8_t>(i * 7);
  for (const Image& image : {source, platform::MakeImage(3, 2, 0xFF102030)})
    EXPECT_EQ(Decode(platform::EncodePng(image).value_or("")).value_or(Image{}).bgra, image.bgra);
  EXPECT_FALSE(platform::EncodePng(Image{}));

  const Image flat = platform::MakeImage(16, 8, 0xFF3060C0);
  const auto colour = Decode(platform::EncodeJpeg(flat, 95, platform::JpegColour::Colour).value_or(""));
  ASSERT_TRUE(colour);
  const Px texel = Texel(*colour, 5, 3);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(texel[c], (std::array{0xC0, 0x60, 0x30})[c], 3) << c;
  const auto grey = Decode(platform::EncodeJpeg(flat, 95, platform::JpegColour::Grey).value_or(""));
  ASSERT_TRUE(grey);
  EXPECT_EQ(Texel(*grey, 7, 7)[0], Texel(*grey, 7, 7)[2]);
  EXPECT_NEAR(Texel(*grey, 7, 7)[0], 0.299 * 0x30 + 0.587 * 0x60 + 0.114 * 0xC0, 3);

  ExpectTruncationsRefused(platform::EncodeJpeg(source, 90, platform::JpegColour::Colour).value_or(""));
  EXPECT_FALSE(Decode(Of({0xFF, 0xD8, 0xFF, 0xD9})));
}

TEST(ImageResample, AveragesTheFootprintExactlyAndKeepsAUniformColour) {
  Image square{2, 2, {10, 0, 255, 0, 20, 100, 255, 255, 30, 0, 0, 0, 40, 100, 0, 255}};
  EXPECT_EQ(Texel(platform::ResampleBox(square, 1, 1), 0, 0), (Px{25, 50, 128, 128}));  // 127.5 rounds up
  // Three to two: each destination covers one and a half source texels.
  const Image two =
      platform::ResampleBox(Image{3, 1, {0, 0, 0, 0, 90, 90, 90, 90, 180, 180, 180, 180}}, 2, 1);
  EXPECT_EQ(Texel(two, 0, 0)[0], 30);   // (2 x 0 + 1 x 90) / 3
  EXPECT_EQ(Texel(two, 1, 0)[0], 150);  // (1 x 90 + 2 x 180) / 3
  EXPECT_EQ(Texel(platform::ResampleBox(Image{2, 1, {0, 0, 0, 255, 200, 100, 50, 255}}, 3, 1), 1, 0),
            (Px{100, 50, 25, 255}));  // growing: half of each
  const Image source = platform::MakeImage(7, 5, 0x80C03010);
  for (const auto& [w, h] : {std::pair{3, 2}, {16, 11}})
    EXPECT_EQ(platform::ResampleBox(source, w, h).bgra, platform::MakeImage(w, h, 0x80C03010).bgra) << w;
  EXPECT_EQ(platform::ResampleBox(source, 0, -3).width, 1);
  EXPECT_EQ(platform::ResampleBox(Image{4, 4, {}}, 2, 2).bgra,
            std::vector<std::uint8_t>(16, 0));  // no texels
}

TEST(ImageMipChain, HalvesEachSideDownToOneByOne) {
  // A checkerboard of black and white: every level keeps its mean grey.
  Image top = platform::MakeImage(256, 64, 0xFF000000);
  for (std::size_t i = 0; i < top.bgra.size(); ++i)
    if (i % 4 != 3 && ((i / 4) % 256 + (i / 4) / 256) % 2 == 1) top.bgra[i] = 255;
  const std::vector<Image> chain = platform::BuildMipChain(top);
  ASSERT_EQ(chain.size(), 9u);
  EXPECT_EQ(chain[1].width, 128);
  EXPECT_EQ(chain[6].height, 1);  // 4 x 1, then 2 x 1 and 1 x 1
  EXPECT_EQ(Texel(chain.back(), 0, 0), (Px{128, 128, 128, 255}));
  EXPECT_TRUE(platform::BuildMipChain(Image{}).empty());
}

}  // namespace
