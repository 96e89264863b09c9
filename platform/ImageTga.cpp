#include "platform/ImageTga.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform::tga {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr int kMaxPacketPixels = 128;

// Image types this reader understands.
constexpr std::uint8_t kTrueColour = 2, kGrey = 3, kTrueColourRle = 10, kGreyRle = 11;

// Descriptor bits: alpha bits per texel, column order, row order, interleave.
constexpr std::uint8_t kAlphaBitsMask = 0x0F, kRightToLeft = 0x10, kTopToBottom = 0x20,
                       kInterleaveMask = 0xC0;

struct Header {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;
  bool rle = false;
  bool grey = false;
  bool hasAlpha = false;
  bool topToBottom = false;
  bool rightToLeft = false;
  std::size_t dataOffset = 0;  // first byte of the texel data
};

int ReadLe16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

std::uint8_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

// Which texel layouts go with which image types.
bool KindSupported(std::uint8_t type, int depth) {
  if (type == kTrueColour || type == kTrueColourRle) return depth == 24 || depth == 32;
  if (type == kGrey || type == kGreyRle) return depth == 8;
  return false;
}

// Parses and checks the 18-byte header, the image id and colour map that
// follow it, and the image size against kMaxImageSide.
bool ParseHeader(std::string_view bytes, Header& header, std::string& error) {
  if (bytes.size() < kHeaderSize) {
    error = "not a PNG, JPEG or TGA image";
    return false;
  }
  const std::uint8_t mapType = Byte(bytes, 1), type = Byte(bytes, 2), depth = Byte(bytes, 16),
                     descriptor = Byte(bytes, 17);
  if (mapType > 1 || !KindSupported(type, depth) || (descriptor & kInterleaveMask) != 0) {
    error = "not a PNG, JPEG or TGA image of a supported kind";
    return false;
  }
  const std::size_t mapBytes =
      mapType == 1 ? static_cast<std::size_t>(ReadLe16(bytes, 5)) * ((Byte(bytes, 7) + 7u) / 8u) : 0;
  header.width = ReadLe16(bytes, 12);
  header.height = ReadLe16(bytes, 14);
  header.bytesPerPixel = depth / 8;
  header.rle = type == kTrueColourRle || type == kGreyRle;
  header.grey = type == kGrey || type == kGreyRle;
  header.hasAlpha = depth == 32 && (descriptor & kAlphaBitsMask) != 0;
  header.topToBottom = (descriptor & kTopToBottom) != 0;
  header.rightToLeft = (descriptor & kRightToLeft) != 0;
  header.dataOffset = kHeaderSize + Byte(bytes, 0) + mapBytes;
  if (header.width < 1 || header.height < 1 || header.width > kMaxImageSide ||
      header.height > kMaxImageSide) {
    error = "bad image size";
    return false;
  }
  if (header.dataOffset > bytes.size()) {
    error = "truncated file";
    return false;
  }
  return true;
}

// Whether the texel data could cover the image at all: raw data needs every
// texel's bytes, run-length data at most 128 texels per packet.
bool EnoughData(const Header& header, std::size_t available) {
  const std::uint64_t pixels = static_cast<std::uint64_t>(header.width) * header.height;
  const std::uint64_t bpp = header.bytesPerPixel;
  if (!header.rle) return pixels * bpp <= available;
  return pixels <= available / (1 + bpp) * kMaxPacketPixels + kMaxPacketPixels;
}

// One texel of the file as blue, green, red, alpha.
void PutTexel(const Header& header, const std::uint8_t* in, std::uint8_t* out) {
  if (header.grey) {
    out[0] = out[1] = out[2] = in[0];
    out[3] = 255;
    return;
  }
  out[0] = in[0];
  out[1] = in[1];
  out[2] = in[2];
  out[3] = header.hasAlpha ? in[3] : 255;
}

bool DecodeRaw(const Header& header, std::string_view data, std::uint8_t* out, std::size_t pixels) {
  const std::size_t bpp = header.bytesPerPixel;
  if (data.size() / bpp < pixels) return false;
  const auto* in = reinterpret_cast<const std::uint8_t*>(data.data());
  for (std::size_t i = 0; i < pixels; ++i) PutTexel(header, in + i * bpp, out + i * 4);
  return true;
}

// Run-length packets: a header byte (top bit: a run of one texel repeated,
// else literal texels; low seven bits: count - 1). A packet that runs past
// the last texel is cut at the image's end.
bool DecodeRle(const Header& header, std::string_view data, std::uint8_t* out, std::size_t pixels) {
  const std::size_t bpp = header.bytesPerPixel;
  const auto* in = reinterpret_cast<const std::uint8_t*>(data.data());
  std::size_t pos = 0, done = 0;
  while (done < pixels) {
    if (pos >= data.size()) return false;
    const std::uint8_t packet = in[pos++];
    const std::size_t count = std::min<std::size_t>((packet & 0x7F) + 1u, pixels - done);
    const bool run = (packet & 0x80) != 0;
    const std::size_t need = run ? bpp : count * bpp;
    if (data.size() - pos < need) return false;
    for (std::size_t i = 0; i < count; ++i) {
      PutTexel(header, in + pos + (run ? 0 : i * bpp), out + (done + i) * 4);
    }
    pos += need;
    done += count;
  }
  return true;
}

// Reorders texels stored bottom row first and/or right to left into top
// row first, left to right.
void ToTopLeftOrder(const Header& header, Image& image) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  if (!header.topToBottom) {
    for (int y = 0; y < image.height / 2; ++y) {
      std::uint8_t* a = image.bgra.data() + y * rowBytes;
      std::uint8_t* b = image.bgra.data() + (image.height - 1 - y) * rowBytes;
      std::swap_ranges(a, a + rowBytes, b);
    }
  }
  if (!header.rightToLeft) return;
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = image.bgra.data() + y * rowBytes;
    for (int l = 0, r = image.width - 1; l < r; ++l, --r) {
      std::swap_ranges(row + l * 4, row + l * 4 + 4, row + r * 4);
    }
  }
}

}  // namespace

std::optional<Image> Decode(std::string_view bytes, std::string& error) {
  Header header;
  if (!ParseHeader(bytes, header, error)) return std::nullopt;
  const std::string_view data = bytes.substr(header.dataOffset);
  if (!EnoughData(header, data.size())) {
    error = "truncated file";
    return std::nullopt;
  }
  Image image;
  image.width = header.width;
  image.height = header.height;
  const std::size_t pixels = static_cast<std::size_t>(header.width) * header.height;
  image.bgra.resize(pixels * 4);
  const bool ok = header.rle ? DecodeRle(header, data, image.bgra.data(), pixels)
                             : DecodeRaw(header, data, image.bgra.data(), pixels);
  if (!ok) {
    error = "truncated file";
    return std::nullopt;
  }
  ToTopLeftOrder(header, image);
  return image;
}

bool ReadSize(std::string_view bytes, int& width, int& height) {
  Header header;
  std::string error;
  if (!ParseHeader(bytes, header, error)) return false;
  if (!EnoughData(header, bytes.size() - header.dataOffset)) return false;
  width = header.width;
  height = header.height;
  return true;
}

}  // namespace platform::tga
