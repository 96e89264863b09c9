#include "tools/splashgen/TextRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

constexpr float kFixed6 = 64.0f;       // 26.6 fixed point
constexpr float kFixed16 = 65536.0f;   // 16.16 fixed point

}  // namespace

// One rendered glyph's coverage, placed relative to the line's origin.
struct TextRasterizer::Glyph {
  int left = 0, top = 0, width = 0, rows = 0;
  std::vector<float> coverage;
};

TextRasterizer::TextRasterizer(const std::string& fontPath) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType could not start");
  if (FT_New_Face(library_, fontPath.c_str(), 0, &face_) != 0) {
    FT_Done_FreeType(library_);
    throw std::runtime_error("cannot read the font " + fontPath);
  }
}

TextRasterizer::~TextRasterizer() {
  FT_Done_Face(face_);
  FT_Done_FreeType(library_);
}

void TextRasterizer::SetSize(float pixelSize) const {
  FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * kFixed6)), 72, 72);
}

bool TextRasterizer::LoadGlyph(char c, float shift, bool render) const {
  const FT_UInt index = FT_Get_Char_Index(face_, static_cast<unsigned char>(c));
  if (FT_Load_Glyph(face_, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return false;
  if (!render) return true;
  FT_Outline_Translate(&face_->glyph->outline, static_cast<FT_Pos>(std::lround(shift * kFixed6)), 0);
  return FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) == 0;
}

float TextRasterizer::Kerning(char left, char right) const {
  if (!FT_HAS_KERNING(face_)) return 0;
  FT_Vector delta{};
  FT_Get_Kerning(face_, FT_Get_Char_Index(face_, static_cast<unsigned char>(left)),
                 FT_Get_Char_Index(face_, static_cast<unsigned char>(right)), FT_KERNING_UNFITTED, &delta);
  return static_cast<float>(delta.x) / kFixed6;
}

float TextRasterizer::Measure(std::string_view text, float pixelSize, float tracking) const {
  SetSize(pixelSize);
  float pen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) pen += tracking + Kerning(text[i - 1], text[i]);
    if (LoadGlyph(text[i], 0, false)) pen += static_cast<float>(face_->glyph->linearHoriAdvance) / kFixed16;
  }
  return pen;
}

float TextRasterizer::CapHeight(float pixelSize) const {
  SetSize(pixelSize);
  if (!LoadGlyph('H', 0, false)) return pixelSize * 0.7f;
  return static_cast<float>(face_->glyph->metrics.horiBearingY) / kFixed6;
}

Mask TextRasterizer::Render(std::string_view text, float pixelSize, float tracking, int pad) const {
  SetSize(pixelSize);
  std::vector<Glyph> glyphs;
  float pen = 0;
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) pen += tracking + Kerning(text[i - 1], text[i]);
    const float whole = std::floor(pen);
    if (!LoadGlyph(text[i], pen - whole, true)) continue;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    Glyph g{static_cast<int>(whole) + slot->bitmap_left, -slot->bitmap_top, static_cast<int>(bitmap.width),
            static_cast<int>(bitmap.rows), {}};
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x)
        g.coverage.push_back(static_cast<float>(bitmap.buffer[y * bitmap.pitch + x]) / 255.0f);
    pen += static_cast<float>(slot->linearHoriAdvance) / kFixed16;
    if (g.width == 0 || g.rows == 0) continue;
    minX = std::min(minX, g.left), maxX = std::max(maxX, g.left + g.width);
    minY = std::min(minY, g.top), maxY = std::max(maxY, g.top + g.rows);
    glyphs.push_back(std::move(g));
  }
  if (glyphs.empty()) minX = maxX = minY = maxY = 0;
  Mask mask(maxX - minX + 2 * pad, maxY - minY + 2 * pad);
  mask.originX = pad - minX;
  mask.originY = pad - minY;
  mask.advance = pen;
  for (const Glyph& g : glyphs)
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x)
        mask.Max(mask.originX + g.left + x, mask.originY + g.top + y,
                 g.coverage[static_cast<std::size_t>(y * g.width + x)]);
  return mask;
}
