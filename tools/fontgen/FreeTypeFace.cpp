#include "tools/fontgen/FreeTypeFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>
#include <utility>

struct FreeTypeFace::Handles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;

  ~Handles() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

FreeTypeFace::FreeTypeFace(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
FreeTypeFace::~FreeTypeFace() = default;

std::unique_ptr<FreeTypeFace> FreeTypeFace::Open(const std::string& path, std::string& error) {
  auto handles = std::make_unique<Handles>();
  if (FT_Init_FreeType(&handles->library) != 0) {
    error = "FreeType could not start";
    return nullptr;
  }
  if (FT_New_Face(handles->library, path.c_str(), 0, &handles->face) != 0) {
    error = "cannot read the font " + path;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(handles->face) || FT_Select_Charmap(handles->face, FT_ENCODING_UNICODE) != 0) {
    error = "the font " + path + " is not a scalable Unicode font";
    return nullptr;
  }
  return std::unique_ptr<FreeTypeFace>(new FreeTypeFace(std::move(handles)));
}

bool FreeTypeFace::SetLineHeight(float linePixels) {
  const FT_Face face = handles_->face;
  if (face->units_per_EM == 0 || face->ascender <= face->descender || !(linePixels > 0)) return false;
  const float lineEm = static_cast<float>(face->ascender - face->descender) / face->units_per_EM;
  // Points at 72 dots per inch are pixels; the size in 26.6 fixed point.
  const auto size26_6 = static_cast<FT_F26Dot6>(std::lround(linePixels / lineEm * 64));
  if (FT_Set_Char_Size(face, 0, size26_6, 72, 72) != 0) return false;
  const float pixelsPerEm = static_cast<float>(size26_6) / 64;
  ascender_ = static_cast<float>(face->ascender) / face->units_per_EM * pixelsPerEm;
  return true;
}

bool FreeTypeFace::Render(std::uint32_t codePoint, RenderedGlyph& out) const {
  const FT_Face face = handles_->face;
  if (FT_Get_Char_Index(face, codePoint) == 0) return false;
  if (FT_Load_Char(face, codePoint, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  const bool empty = bitmap.rows == 0 || bitmap.width == 0;
  if (!empty && (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0)) return false;
  out.width = empty ? 0 : static_cast<int>(bitmap.width);
  out.rows = empty ? 0 : static_cast<int>(bitmap.rows);
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.advance = static_cast<float>(slot->linearHoriAdvance) / 65536.0f;
  out.coverage.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.rows), 0);
  for (int y = 0; y < out.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    std::memcpy(out.coverage.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width), row,
                static_cast<std::size_t>(out.width));
  }
  return true;
}
