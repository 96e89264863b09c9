// A game font's glyph table: per byte value an advance width and a quad of
// four corners (gx, gy, gz, u, v), written as the 21,504-byte font data file
// the game loads (little-endian floats: 256 widths, then 256 x 20 corner
// values).
#pragma once

#include <array>
#include <string>

struct GlyphCorner {
  float gx = 0, gy = 0, gz = 0, u = 0, v = 0;
};

struct GlyphTable {
  // In units of the text size (the line box height).
  std::array<float, 256> widths{};
  // Corners top-left, bottom-left, bottom-right, top-right: counter-clockwise
  // on the screen, in the order the renderer draws them as a fan.
  std::array<std::array<GlyphCorner, 4>, 256> quads{};
};

// False when the file could not be written completely.
bool WriteGlyphTable(const GlyphTable& table, const std::string& path);
