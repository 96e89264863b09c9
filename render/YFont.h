// A bitmap font: one advance width and one textured quad per byte value,
// drawn with the font's shader by YRender::DrawText / DrawTextEx. This is the
// font's data; finding fonts by name and loading them from the fonts file and
// the binary glyph tables come with the font files.
#pragma once

#include <array>
#include <string>

class YShader;

// One corner of a glyph quad. gx runs from the pen position to the right and
// gy from the top of the line box (0) to its bottom (1), both in units of the
// text size; gz is kept from the glyph table but not drawn; u, v address the
// font's texture.
struct YGlyphCorner {
  float gx = 0, gy = 0, gz = 0;
  float u = 0, v = 0;
};

// A glyph's quad: four corners in triangle-fan order (80 bytes in the glyph
// table).
struct YGlyph {
  YGlyphCorner corners[4];
};
static_assert(sizeof(YGlyph) == 80);

class YFont {
 public:
  // A font known only by name: all widths 0, an all-zero glyph table and no
  // shader, so it draws nothing until its data is loaded.
  explicit YFont(std::string fontName);

  // Advance widths by byte value, in units of the text size.
  std::array<float, 256> widths{};
  std::array<YGlyph, 256> glyphs{};
  // Draws the glyphs; not owned (shaders live in the shader list). Null
  // until loaded.
  YShader* shader = nullptr;
  std::string name;
};
