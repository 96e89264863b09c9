// Images: decoding TGA, PNG and JPEG files into blue, green, red, alpha
// top row first; refusing truncated, corrupt and oversized files without
// crashing; encoding round trips; box resampling and mip chains.
//
// TGA and PNG files are built byte by byte here (PNG with uncompressed
// deflate blocks), independently of the decoders; JPEG files come from the
// encoder.
#include "platform/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

using platform::Image;
using Bytes = std::string;

// ---- Byte helpers --------------------------------------------------------------

void PutLe16(Bytes& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutBe32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

Bytes Of(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// The texel at (x, y) as {blue, green, red, alpha}.
std::array<int, 4> Texel(const Image& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.bgra[at], image.bgra[at + 1], image.bgra[at + 2], image.bgra[at + 3]};
}

std::array<int, 4> Bgra(int b, int g, int r, int a) {
  return {b, g, r, a};
}

// ---- TGA files -------------------------------------------------------------------

struct TgaSpec {
  int type = 2;
  int width = 2;
  int height = 2;
  int depth = 24;
  int descriptor = 0;
  Bytes id = {};
  int mapEntries = 0;  // a colour map of 24-bit entries, to be skipped
};

Bytes Tga(const TgaSpec& spec, const Bytes& data) {
  Bytes out;
  out.push_back(static_cast<char>(spec.id.size()));
  out.push_back(spec.mapEntries > 0 ? 1 : 0);
  out.push_back(static_cast<char>(spec.type));
  PutLe16(out, 0);
  PutLe16(out, spec.mapEntries);
  out.push_back(spec.mapEntries > 0 ? 24 : 0);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, spec.width);
  PutLe16(out, spec.height);
  out.push_back(static_cast<char>(spec.depth));
  out.push_back(static_cast<char>(spec.descriptor));
  out += spec.id;
  out += Bytes(static_cast<std::size_t>(spec.mapEntries) * 3, '\x7F');
  return out + data;
}

// 2 x 2, 24 bits, texels in file order: red, green, blue, white.
const Bytes kFour24 = Of({0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});

std::optional<Image> Decode(const Bytes& bytes) {
  return platform::DecodeImage(bytes);
}

TEST(ImageTga, BottomUpRowsComeOutTopRowFirst) {
  const auto image = Decode(Tga({}, kFour24));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 2);
  // The file's first row is the image's bottom row.
  EXPECT_EQ(Texel(*image, 0, 1), Bgra(0, 0, 255, 255));
  EXPECT_EQ(Texel(*image, 1, 1), Bgra(0, 255, 0, 255));
  EXPECT_EQ(Texel(*image, 0, 0), Bgra(255, 0, 0, 255));
  EXPECT_EQ(Texel(*image, 1, 0), Bgra(255, 255, 255, 255));
}

TEST(ImageTga, TopDownAndRightToLeftFlagsAreHonoured) {
  const auto topDown = Decode(Tga({.descriptor = 0x20}, kFour24));
  ASSERT_TRUE(topDown);
  EXPECT_EQ(Texel(*topDown, 0, 0), Bgra(0, 0, 255, 255));
  EXPECT_EQ(Texel(*topDown, 1, 1), Bgra(255, 255, 255, 255));

  const auto mirrored = Decode(Tga({.descriptor = 0x30}, kFour24));
  ASSERT_TRUE(mirrored);
  EXPECT_EQ(Texel(*mirrored, 1, 0), Bgra(0, 0, 255, 255));
  EXPECT_EQ(Texel(*mirrored, 0, 0), Bgra(0, 255, 0, 255));
}

TEST(ImageTga, ThirtyTwoBitsKeepAlphaOnlyWhenTheDescriptorDeclaresIt) {
  const Bytes texels = Of({1, 2, 3, 40, 5, 6, 7, 80});
  const auto withAlpha = Decode(Tga({.width = 2, .height = 1, .depth = 32, .descriptor = 0x28}, texels));
  ASSERT_TRUE(withAlpha);
  EXPECT_EQ(Texel(*withAlpha, 0, 0), Bgra(1, 2, 3, 40));
  EXPECT_EQ(Texel(*withAlpha, 1, 0), Bgra(5, 6, 7, 80));

  const auto noAlpha = Decode(Tga({.width = 2, .height = 1, .depth = 32, .descriptor = 0x20}, texels));
  ASSERT_TRUE(noAlpha);
  EXPECT_EQ(Texel(*noAlpha, 0, 0), Bgra(1, 2, 3, 255));
}

TEST(ImageTga, ImageIdAndColourMapAreSkipped) {
  const auto image = Decode(Tga({.descriptor = 0x20, .id = "made by a test", .mapEntries = 5}, kFour24));
  ASSERT_TRUE(image);
  EXPECT_EQ(Texel(*image, 0, 0), Bgra(0, 0, 255, 255));
  EXPECT_EQ(Texel(*image, 1, 1), Bgra(255, 255, 255, 255));
}

TEST(ImageTga, RunLengthPacketsMayCrossRows) {
  // 3 x 2, 32 bits, top down: a run of four, then two literal texels.
  const Bytes data = Of({0x83, 10, 20, 30, 255, 0x01, 1, 2, 3, 4, 5, 6, 7, 8});
  const auto image =
      Decode(Tga({.type = 10, .width = 3, .height = 2, .depth = 32, .descriptor = 0x28}, data));
  ASSERT_TRUE(image);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Texel(*image, i % 3, i / 3), Bgra(10, 20, 30, 255)) << i;
  EXPECT_EQ(Texel(*image, 1, 1), Bgra(1, 2, 3, 4));
  EXPECT_EQ(Texel(*image, 2, 1), Bgra(5, 6, 7, 8));
}

TEST(ImageTga, RunLength24BitsBottomUp) {
  // 2 x 2: literal pair for the bottom row, a run of two for the top row.
  const Bytes data = Of({0x01, 1, 1, 1, 2, 2, 2, 0x81, 9, 8, 7});
  const auto image = Decode(Tga({.type = 10}, data));
  ASSERT_TRUE(image);
  EXPECT_EQ(Texel(*image, 0, 1), Bgra(1, 1, 1, 255));
  EXPECT_EQ(Texel(*image, 1, 1), Bgra(2, 2, 2, 255));
  EXPECT_EQ(Texel(*image, 0, 0), Bgra(9, 8, 7, 255));
  EXPECT_EQ(Texel(*image, 1, 0), Bgra(9, 8, 7, 255));
}

TEST(ImageTga, APacketRunningPastTheImageIsCutAtItsEnd) {
  // A run of 128 texels for a 2 x 2 image, then a literal packet claiming more.
  const auto run = Decode(Tga({.type = 10}, Of({0xFF, 4, 5, 6})));
  ASSERT_TRUE(run);
  EXPECT_EQ(Texel(*run, 1, 1), Bgra(4, 5, 6, 255));
  const auto literal = Decode(Tga({.type = 10}, Of({0x7F, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4})));
  ASSERT_TRUE(literal);
  EXPECT_EQ(Texel(*literal, 1, 0), Bgra(4, 4, 4, 255));
}

TEST(ImageTga, GreyImagesRawAndRunLength) {
  const auto raw = Decode(Tga({.type = 3, .width = 2, .height = 1, .depth = 8}, Of({7, 200})));
  ASSERT_TRUE(raw);
  EXPECT_EQ(Texel(*raw, 0, 0), Bgra(7, 7, 7, 255));
  EXPECT_EQ(Texel(*raw, 1, 0), Bgra(200, 200, 200, 255));
  const auto rle = Decode(Tga({.type = 11, .width = 3, .height = 1, .depth = 8}, Of({0x82, 99})));
  ASSERT_TRUE(rle);
  EXPECT_EQ(Texel(*rle, 2, 0), Bgra(99, 99, 99, 255));
}

TEST(ImageTga, UnsupportedKindsAreRefused) {
  EXPECT_FALSE(Decode(Tga({.type = 1, .depth = 8}, Bytes(4, '\0'))));  // colour mapped
  EXPECT_FALSE(Decode(Tga({.depth = 16}, Bytes(8, '\0'))));            // 16-bit true colour
  EXPECT_FALSE(Decode(Tga({.descriptor = 0x40}, kFour24)));            // interleaved rows
  EXPECT_FALSE(Decode(Tga({.type = 3, .depth = 24}, kFour24)));        // grey must be 8 bits
  EXPECT_FALSE(Decode(Bytes("not an image at all, just some text here")));
}

TEST(ImageTga, EveryTruncationFailsCleanly) {
  const Bytes raw = Tga({.id = "id"}, kFour24);
  const Bytes rle = Tga({.type = 10}, Of({0x01, 1, 1, 1, 2, 2, 2, 0x81, 9, 8, 7}));
  for (const Bytes& file : {raw, rle}) {
    for (std::size_t n = 0; n < file.size(); ++n) {
      std::string error;
      EXPECT_FALSE(platform::DecodeImage(file.substr(0, n), &error)) << n;
      EXPECT_FALSE(error.empty());
    }
  }
}

TEST(ImageTga, SizesAreCheckedBeforeAnythingIsAllocated) {
  // Zero and oversized sides.
  EXPECT_FALSE(Decode(Tga({.width = 0}, kFour24)));
  EXPECT_FALSE(Decode(Tga({.width = 16385, .height = 1}, Bytes(16385 * 3, '\0'))));
  // 16384 x 16384 claimed by a few bytes: raw and run-length.
  std::string error;
  EXPECT_FALSE(platform::DecodeImage(Tga({.width = 16384, .height = 16384}, kFour24), &error));
  EXPECT_EQ(error, "truncated file");
  EXPECT_FALSE(
      platform::DecodeImage(Tga({.type = 10, .width = 16384, .height = 16384}, Of({0xFF, 1, 2, 3})), &error));
  EXPECT_EQ(error, "truncated file");
  int width = 0, height = 0;
  EXPECT_FALSE(platform::DecodeImageSize(Tga({.width = 16384, .height = 16384}, kFour24), width, height));
}

// ---- PNG files ---------------------------------------------------------------------

std::uint32_t Crc32(const Bytes& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& bytes) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : bytes) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

Bytes Chunk(const std::string& type, const Bytes& data) {
  Bytes out;
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  out += type + data;
  PutBe32(out, Crc32(type + data));
  return out;
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes Zlib(const Bytes& raw) {
  Bytes out = Of({0x78, 0x01});
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
    out.push_back(pos + n == raw.size() ? 1 : 0);
    PutLe16(out, static_cast<int>(n));
    PutLe16(out, static_cast<int>(~n & 0xFFFF));
    out += raw.substr(pos, n);
    pos += n;
  } while (pos < raw.size());
  PutBe32(out, Adler32(raw));
  return out;
}

struct PngSpec {
  std::uint32_t width = 1, height = 1;
  int depth = 8;
  int colourType = 2;
  bool interlaced = false;
  Bytes before = {};  // chunks between the header and the image data (PLTE, tRNS)
};

// `raw` is the filtered image data: each row (or each pass's row) opens with
// its filter byte.
Bytes Png(const PngSpec& spec, const Bytes& raw) {
  Bytes header;
  PutBe32(header, spec.width);
  PutBe32(header, spec.height);
  header += Of({spec.depth, spec.colourType, 0, 0, spec.interlaced ? 1 : 0});
  return Of({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}) + Chunk("IHDR", header) + spec.before +
         Chunk("IDAT", Zlib(raw)) + Chunk("IEND", "");
}

// Unfiltered rows of packed bytes.
Bytes Rows(std::initializer_list<Bytes> rows) {
  Bytes out;
  for (const Bytes& row : rows) out += '\0' + row;
  return out;
}

TEST(ImagePng, TrueColourWithAndWithoutAlpha) {
  const auto rgb = Decode(Png({.width = 2}, Rows({Of({10, 20, 30, 40, 50, 60})})));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(Texel(*rgb, 0, 0), Bgra(30, 20, 10, 255));
  EXPECT_EQ(Texel(*rgb, 1, 0), Bgra(60, 50, 40, 255));
  const auto rgba = Decode(Png({.height = 2, .colourType = 6}, Rows({Of({1, 2, 3, 4}), Of({5, 6, 7, 8})})));
  ASSERT_TRUE(rgba);
  EXPECT_EQ(Texel(*rgba, 0, 0), Bgra(3, 2, 1, 4));
  EXPECT_EQ(Texel(*rgba, 0, 1), Bgra(7, 6, 5, 8));
}

TEST(ImagePng, PaletteWithTransparency) {
  const Bytes palette = Chunk("PLTE", Of({255, 0, 0, 0, 255, 0, 0, 0, 255})) + Chunk("tRNS", Of({255, 128}));
  const auto image = Decode(Png({.width = 3, .colourType = 3, .before = palette}, Rows({Of({0, 1, 2})})));
  ASSERT_TRUE(image);
  EXPECT_EQ(Texel(*image, 0, 0), Bgra(0, 0, 255, 255));
  EXPECT_EQ(Texel(*image, 1, 0), Bgra(0, 255, 0, 128));
  EXPECT_EQ(Texel(*image, 2, 0), Bgra(255, 0, 0, 255));  // beyond tRNS: opaque
}

TEST(ImagePng, GreyOfEveryWidthBecomesEightBitGrey) {
  // One bit: 1 0 1 1 0 0 0 0.
  const auto bits = Decode(Png({.width = 8, .depth = 1, .colourType = 0}, Rows({Of({0xB0})})));
  ASSERT_TRUE(bits);
  EXPECT_EQ(Texel(*bits, 0, 0), Bgra(255, 255, 255, 255));
  EXPECT_EQ(Texel(*bits, 1, 0), Bgra(0, 0, 0, 255));
  EXPECT_EQ(Texel(*bits, 3, 0), Bgra(255, 255, 255, 255));
  // Sixteen bits scale to eight.
  const auto wide =
      Decode(Png({.width = 2, .depth = 16, .colourType = 0}, Rows({Of({0xFF, 0xFF, 0x80, 0x80})})));
  ASSERT_TRUE(wide);
  EXPECT_EQ(Texel(*wide, 0, 0), Bgra(255, 255, 255, 255));
  EXPECT_EQ(Texel(*wide, 1, 0), Bgra(128, 128, 128, 255));
  // Grey with alpha, and grey with a transparent value.
  const auto alpha = Decode(Png({.colourType = 4}, Rows({Of({90, 30})})));
  ASSERT_TRUE(alpha);
  EXPECT_EQ(Texel(*alpha, 0, 0), Bgra(90, 90, 90, 30));
  const auto keyed =
      Decode(Png({.width = 2, .colourType = 0, .before = Chunk("tRNS", Of({0, 7}))}, Rows({Of({7, 8})})));
  ASSERT_TRUE(keyed);
  EXPECT_EQ(Texel(*keyed, 0, 0)[3], 0);
  EXPECT_EQ(Texel(*keyed, 1, 0), Bgra(8, 8, 8, 255));
}

TEST(ImagePng, SixteenBitColourScalesToEightBits) {
  const auto image = Decode(
      Png({.depth = 16, .colourType = 6}, Rows({Of({0x12, 0x12, 0x34, 0x34, 0x56, 0x56, 0xFF, 0xFF})})));
  ASSERT_TRUE(image);
  EXPECT_EQ(Texel(*image, 0, 0), Bgra(0x56, 0x34, 0x12, 0xFF));
}

// The value of texel (x, y) of the interlaced test image, per channel.
Bytes InterlacedTexel(int x, int y) {
  return Of({x * 40, y * 40, x + y});
}

TEST(ImagePng, InterlacedImagesAreAssembled) {
  // Adam7 passes: start and step in x, then in y.
  const int passes[7][4] = {{0, 8, 0, 8}, {4, 8, 0, 8}, {0, 4, 4, 8}, {2, 4, 0, 4},
                            {0, 2, 2, 4}, {1, 2, 0, 2}, {0, 1, 1, 2}};
  const int size = 5;
  Bytes raw;
  for (const auto& pass : passes) {
    if (pass[0] >= size || pass[2] >= size) continue;  // an empty pass has no rows
    for (int y = pass[2]; y < size; y += pass[3]) {
      raw += '\0';
      for (int x = pass[0]; x < size; x += pass[1]) raw += InterlacedTexel(x, y);
    }
  }
  const auto image = Decode(Png({.width = size, .height = size, .interlaced = true}, raw));
  ASSERT_TRUE(image);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Bytes rgb = InterlacedTexel(x, y);
      EXPECT_EQ(Texel(*image, x, y),
                Bgra(static_cast<unsigned char>(rgb[2]), static_cast<unsigned char>(rgb[1]),
                     static_cast<unsigned char>(rgb[0]), 255))
          << x << "," << y;
    }
  }
}

TEST(ImagePng, EveryTruncationAndEveryFlippedByteIsHandled) {
  const Bytes file =
      Png({.width = 2, .height = 2}, Rows({Of({1, 2, 3, 4, 5, 6}), Of({7, 8, 9, 10, 11, 12})}));
  ASSERT_TRUE(Decode(file));
  for (std::size_t n = 0; n < file.size(); ++n) EXPECT_FALSE(Decode(file.substr(0, n))) << n;
  for (std::size_t i = 0; i < file.size(); ++i) {
    Bytes bad = file;
    bad[i] = static_cast<char>(bad[i] ^ 0x5A);
    const auto image = Decode(bad);  // must not crash; what decodes has the right shape
    if (image) {
      EXPECT_TRUE(platform::IsValidImage(*image)) << i;
    }
  }
}

TEST(ImagePng, ClaimedSizesBeyondTheLimitOrTheDataAreRefused) {
  std::string error;
  EXPECT_FALSE(platform::DecodeImage(Png({.width = 16385}, Rows({Bytes(16385 * 3, '\0')})), &error));
  // 16384 x 16384 claimed with a few hundred bytes of data.
  EXPECT_FALSE(
      platform::DecodeImage(Png({.width = 16384, .height = 16384}, Rows({Bytes(300, '\0')})), &error));
  EXPECT_EQ(error, "image larger than its data");
  int width = 0, height = 0;
  EXPECT_FALSE(platform::DecodeImageSize(Png({.width = 16384, .height = 16384}, Rows({Bytes(30, '\0')})),
                                         width, height));
}

// ---- Encoders and files ----------------------------------------------------------------

// A small image with a different colour in every texel.
Image Gradient(int width, int height, bool translucent) {
  Image image = platform::MakeImage(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* t = image.bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4;
      t[0] = static_cast<std::uint8_t>(x * 16);
      t[1] = static_cast<std::uint8_t>(y * 16);
      t[2] = static_cast<std::uint8_t>(128);
      t[3] = static_cast<std::uint8_t>(translucent ? 255 - x - y : 255);
    }
  }
  return image;
}

TEST(ImageCodecs, PngRoundTripsExactlyWithAndWithoutAlpha) {
  for (bool translucent : {false, true}) {
    const Image source = Gradient(7, 5, translucent);
    const auto bytes = platform::EncodePng(source);
    ASSERT_TRUE(bytes);
    const auto back = Decode(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 7);
    EXPECT_EQ(back->height, 5);
    EXPECT_EQ(back->bgra, source.bgra);
  }
  EXPECT_FALSE(platform::EncodePng(Image{}));
}

TEST(ImageCodecs, JpegRoundTripsCloselyInColourAndGrey) {
  const Image source = platform::MakeImage(16, 8, 0xFF3060C0);  // red 0x30, green 0x60, blue 0xC0
  const auto colour = platform::EncodeJpeg(source, 95, platform::JpegColour::Colour);
  ASSERT_TRUE(colour);
  const auto back = Decode(*colour);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->width, 16);
  ASSERT_EQ(back->height, 8);
  const auto texel = Texel(*back, 5, 3);
  EXPECT_NEAR(texel[0], 0xC0, 3);
  EXPECT_NEAR(texel[1], 0x60, 3);
  EXPECT_NEAR(texel[2], 0x30, 3);
  EXPECT_EQ(texel[3], 255);

  const auto grey = platform::EncodeJpeg(source, 95, platform::JpegColour::Grey);
  ASSERT_TRUE(grey);
  const auto greyBack = Decode(*grey);
  ASSERT_TRUE(greyBack);
  const auto g = Texel(*greyBack, 7, 7);
  EXPECT_EQ(g[0], g[1]);
  EXPECT_EQ(g[1], g[2]);
  EXPECT_NEAR(g[0], 0.299 * 0x30 + 0.587 * 0x60 + 0.114 * 0xC0, 3);
}

TEST(ImageCodecs, TruncatedOrCorruptJpegFails) {
  const auto file = platform::EncodeJpeg(Gradient(16, 16, false), 90, platform::JpegColour::Colour);
  ASSERT_TRUE(file);
  for (std::size_t n = 0; n < file->size(); ++n) {
    std::string error;
    EXPECT_FALSE(platform::DecodeImage(file->substr(0, n), &error)) << n;
    EXPECT_FALSE(error.empty()) << n;
  }
  for (std::size_t i = 2; i < file->size(); ++i) {
    Bytes bad = *file;
    bad[i] = static_cast<char>(bad[i] ^ 0xA5);
    const auto image = Decode(bad);  // must not crash; what decodes has the right shape
    if (image) {
      EXPECT_TRUE(platform::IsValidImage(*image)) << i;
    }
  }
  EXPECT_FALSE(Decode(Of({0xFF, 0xD8, 0xFF, 0xD9})));
}

TEST(ImageCodecs, FilesAreWrittenLoadedAndSizedByContent) {
  testing_support::ScopedTempDir dir;
  const Image source = Gradient(12, 6, true);
  ASSERT_TRUE(platform::WritePng(source, dir.File("a.png")));
  // A JPEG named .tga still decodes: the content decides.
  ASSERT_TRUE(platform::WriteJpeg(source, dir.File("b.tga"), 80, platform::JpegColour::Colour));
  testing_support::WriteFile(dir.Path() / "c.bin", Tga({.width = 3, .height = 4}, Bytes(36, '\x11')));
  for (const char* name : {"a.png", "b.tga"}) {
    int width = 0, height = 0;
    EXPECT_TRUE(platform::ReadImageSize(dir.File(name), width, height)) << name;
    EXPECT_EQ(width, 12);
    EXPECT_EQ(height, 6);
    const auto image = platform::LoadImageFile(dir.File(name));
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->width, 12);
  }
  int width = 0, height = 0;
  EXPECT_TRUE(platform::ReadImageSize(dir.File("c.bin"), width, height));
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 4);
  std::string error;
  EXPECT_FALSE(platform::LoadImageFile(dir.File("missing.png"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(platform::ReadImageSize(dir.File("missing.png"), width, height));
  EXPECT_FALSE(platform::WritePng(source, dir.File("no/such/folder/a.png")));
}

// ---- Resampling and mip chains -----------------------------------------------------------

Image FromTexels(int width, int height, std::initializer_list<std::array<int, 4>> texels) {
  Image image;
  image.width = width;
  image.height = height;
  for (const auto& t : texels)
    for (int c : t) image.bgra.push_back(static_cast<std::uint8_t>(c));
  return image;
}

TEST(ImageResample, ShrinkingAveragesTheFootprintExactly) {
  const Image square =
      FromTexels(2, 2, {{10, 0, 255, 0}, {20, 100, 255, 255}, {30, 0, 0, 0}, {40, 100, 0, 255}});
  const Image one = platform::ResampleBox(square, 1, 1);
  EXPECT_EQ(Texel(one, 0, 0), Bgra(25, 50, 128, 128));  // 127.5 rounds up
  // Three to two: each destination covers one and a half source texels.
  const Image row = FromTexels(3, 1, {{0, 0, 0, 0}, {90, 90, 90, 90}, {180, 180, 180, 180}});
  const Image two = platform::ResampleBox(row, 2, 1);
  EXPECT_EQ(Texel(two, 0, 0)[0], 30);   // (2 x 0 + 1 x 90) / 3
  EXPECT_EQ(Texel(two, 1, 0)[0], 150);  // (1 x 90 + 2 x 180) / 3
}

TEST(ImageResample, GrowingRepeatsAndBlendsBoundaries) {
  const Image row = FromTexels(2, 1, {{0, 0, 0, 255}, {200, 100, 50, 255}});
  const Image four = platform::ResampleBox(row, 4, 1);
  EXPECT_EQ(Texel(four, 0, 0), Texel(four, 1, 0));
  EXPECT_EQ(Texel(four, 2, 0), Bgra(200, 100, 50, 255));
  EXPECT_EQ(Texel(four, 3, 0), Bgra(200, 100, 50, 255));
  const Image three = platform::ResampleBox(row, 3, 1);
  EXPECT_EQ(Texel(three, 1, 0), Bgra(100, 50, 25, 255));  // half of each
}

TEST(ImageResample, AUniformColourStaysForAnySizes) {
  const Image source = platform::MakeImage(7, 5, 0x80C03010);
  for (const auto& [w, h] : {std::pair{3, 2}, {1, 1}, {7, 5}, {16, 11}, {13, 1}}) {
    const Image out = platform::ResampleBox(source, w, h);
    ASSERT_EQ(out.width, w);
    ASSERT_EQ(out.height, h);
    EXPECT_EQ(out.bgra, platform::MakeImage(w, h, 0x80C03010).bgra) << w << "x" << h;
  }
}

TEST(ImageResample, SizesBelowOneAndBadSourcesAreSafe) {
  const Image out = platform::ResampleBox(platform::MakeImage(4, 4, 0xFFFFFFFF), 0, -3);
  EXPECT_EQ(out.width, 1);
  EXPECT_EQ(out.height, 1);
  Image broken;
  broken.width = 4;
  broken.height = 4;  // no texels
  const Image fromBroken = platform::ResampleBox(broken, 2, 2);
  EXPECT_EQ(fromBroken.bgra, std::vector<std::uint8_t>(16, 0));
}

TEST(ImageMipChain, HalvesEachSideDownToOneByOne) {
  // A checkerboard of black and white: every level keeps its mean grey.
  Image top = platform::MakeImage(256, 64, 0xFF000000);
  for (int y = 0; y < 64; ++y)
    for (int x = (y & 1); x < 256; x += 2)
      for (int c = 0; c < 3; ++c) top.bgra[(static_cast<std::size_t>(y) * 256 + x) * 4 + c] = 255;
  const std::vector<Image> chain = platform::BuildMipChain(top);
  const std::vector<std::pair<int, int>> sizes = {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4},
                                                  {8, 2},    {4, 1},    {2, 1},   {1, 1}};
  ASSERT_EQ(chain.size(), sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    EXPECT_EQ(chain[i].width, sizes[i].first) << i;
    EXPECT_EQ(chain[i].height, sizes[i].second) << i;
  }
  EXPECT_EQ(chain[0].bgra, top.bgra);
  EXPECT_EQ(Texel(chain[1], 5, 5), Bgra(128, 128, 128, 255));
  EXPECT_EQ(Texel(chain.back(), 0, 0), Bgra(128, 128, 128, 255));
  EXPECT_EQ(platform::BuildMipChain(platform::MakeImage(1, 1)).size(), 1u);
  EXPECT_TRUE(platform::BuildMipChain(Image{}).empty());
}

}  // namespace
