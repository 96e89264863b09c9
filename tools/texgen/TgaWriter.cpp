#include "tools/texgen/TgaWriter.h"

#include <array>
#include <fstream>

void TgaImage::Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const std::size_t i = static_cast<std::size_t>((y * width + x) * 4);
  bgra[i] = b;
  bgra[i + 1] = g;
  bgra[i + 2] = r;
  bgra[i + 3] = a;
}

bool WriteTga(const TgaImage& image, const std::string& path) {
  std::array<std::uint8_t, 18> header{};
  header[2] = 2;  // uncompressed true colour
  header[12] = static_cast<std::uint8_t>(image.width & 0xff);
  header[13] = static_cast<std::uint8_t>(image.width >> 8);
  header[14] = static_cast<std::uint8_t>(image.height & 0xff);
  header[15] = static_cast<std::uint8_t>(image.height >> 8);
  header[16] = 32;
  header[17] = 0x20 | 8;  // top row first, eight alpha bits
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(header.data()), header.size());
  out.write(reinterpret_cast<const char*>(image.bgra.data()), static_cast<std::streamsize>(image.bgra.size()));
  return static_cast<bool>(out);
}
