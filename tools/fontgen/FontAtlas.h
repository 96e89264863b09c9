// Packs rendered glyphs into one square atlas image (white texels with the
// coverage in alpha, rows of glyphs left to right, top to bottom) and builds
// the glyph table whose quads address them. Each bitmap keeps `padding`
// empty texels on every side, so linear filtering and the smaller mip levels
// never pull in a neighbour; each quad reaches one texel past its bitmap so
// the glyph's edges fade out inside the quad.
#pragma once

#include <cstdint>

#include "tools/fontgen/FreeTypeFace.h"
#include "tools/fontgen/GlyphTable.h"
#include "tools/texgen/TgaWriter.h"

class FontAtlas {
 public:
  // `linePixels` is the line box height the glyphs were rendered for and
  // `ascender` the baseline's distance below its top, both in pixels.
  FontAtlas(int size, int padding, float linePixels, float ascender);

  // Gives the byte value the glyph's advance and quad; a glyph without a
  // bitmap (a blank) gets its advance and an empty quad. False when the
  // atlas has no room left for the bitmap.
  bool Place(std::uint8_t byte, const RenderedGlyph& glyph);

  const TgaImage& Image() const { return image_; }
  const GlyphTable& Table() const { return table_; }

 private:
  void CopyBitmap(const RenderedGlyph& glyph, int x, int y);
  void SetQuad(std::uint8_t byte, const RenderedGlyph& glyph, int x, int y);

  int size_, padding_;
  float linePixels_, ascender_;
  int penX_ = 0, shelfY_ = 0, shelfHeight_ = 0;  // the shelf being filled
  TgaImage image_;
  GlyphTable table_;
};
