// Writes 32-bit images as uncompressed TGA files (top row first, eight
// alpha bits), the format the game's shader files name for its textures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TgaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4, top row first

  TgaImage(int w, int h) : width(w), height(h), bgra(static_cast<std::size_t>(w * h * 4), 0) {}
  void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);
};

// False when the file could not be written completely.
bool WriteTga(const TgaImage& image, const std::string& path);
