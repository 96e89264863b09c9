#include "tools/fontgen/FontAtlas.h"

#include <algorithm>

FontAtlas::FontAtlas(int size, int padding, float linePixels, float ascender)
    : size_(size), padding_(padding), linePixels_(linePixels), ascender_(ascender), image_(size, size) {
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) image_.Set(x, y, 255, 255, 255, 0);
}

bool FontAtlas::Place(std::uint8_t byte, const RenderedGlyph& glyph) {
  table_.widths[byte] = glyph.advance / linePixels_;
  if (glyph.width == 0 || glyph.rows == 0) return true;
  const int cellWidth = glyph.width + 2 * padding_, cellHeight = glyph.rows + 2 * padding_;
  if (cellWidth > size_) return false;
  if (penX_ + cellWidth > size_) {
    shelfY_ += shelfHeight_;
    penX_ = shelfHeight_ = 0;
  }
  if (shelfY_ + cellHeight > size_) return false;
  CopyBitmap(glyph, penX_ + padding_, shelfY_ + padding_);
  SetQuad(byte, glyph, penX_ + padding_, shelfY_ + padding_);
  penX_ += cellWidth;
  shelfHeight_ = std::max(shelfHeight_, cellHeight);
  return true;
}

void FontAtlas::CopyBitmap(const RenderedGlyph& glyph, int x, int y) {
  for (int row = 0; row < glyph.rows; ++row) {
    for (int column = 0; column < glyph.width; ++column) {
      const auto at = static_cast<std::size_t>(row * glyph.width + column);
      image_.Set(x + column, y + row, 255, 255, 255, glyph.coverage[at]);
    }
  }
}

// The bitmap at texel (x, y) of the atlas, one texel wider on every side.
// Glyph coordinates are pixels from the pen (x) and from the line's top (y),
// divided by the line height; texture coordinates are texel edges.
void FontAtlas::SetQuad(std::uint8_t byte, const RenderedGlyph& glyph, int x, int y) {
  const float left = static_cast<float>(glyph.left - 1) / linePixels_;
  const float right = static_cast<float>(glyph.left + glyph.width + 1) / linePixels_;
  const float top = (ascender_ - static_cast<float>(glyph.top + 1)) / linePixels_;
  const float bottom = (ascender_ - static_cast<float>(glyph.top - glyph.rows - 1)) / linePixels_;
  const float texels = static_cast<float>(size_);
  const float u0 = static_cast<float>(x - 1) / texels, u1 = static_cast<float>(x + glyph.width + 1) / texels;
  const float v0 = static_cast<float>(y - 1) / texels, v1 = static_cast<float>(y + glyph.rows + 1) / texels;
  table_.quads[byte] = {{{left, top, 0, u0, v0},
                         {left, bottom, 0, u0, v1},
                         {right, bottom, 0, u1, v1},
                         {right, top, 0, u1, v0}}};
}
