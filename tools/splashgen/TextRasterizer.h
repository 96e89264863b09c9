// Lines of text of one font file as coverage masks, through FreeType:
// unhinted outlines at fractional pen positions with the font's kerning, so
// large display lettering keeps its designed shapes and spacing.
#pragma once

#include <string>
#include <string_view>

#include "tools/splashgen/Mask.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

class TextRasterizer {
 public:
  // Opens the font; throws std::runtime_error naming the file when it is
  // missing or not a font FreeType reads.
  explicit TextRasterizer(const std::string& fontPath);
  ~TextRasterizer();
  TextRasterizer(const TextRasterizer&) = delete;
  TextRasterizer& operator=(const TextRasterizer&) = delete;

  // The pen advance of the text at `pixelSize` (the em in pixels), with
  // `tracking` pixels added after every letter but the last.
  float Measure(std::string_view text, float pixelSize, float tracking) const;
  // The text (ASCII) as a mask with `pad` empty pixels around its ink; the
  // mask's origin is the left end of the baseline and its advance the
  // Measure of the text.
  Mask Render(std::string_view text, float pixelSize, float tracking, int pad) const;
  // The height of a capital H above the baseline at `pixelSize`.
  float CapHeight(float pixelSize) const;

 private:
  struct Glyph;
  // Loads the glyph of `c` at the size, shifted right by `shift` (0..1) px.
  bool LoadGlyph(char c, float shift, bool render) const;
  float Kerning(char left, char right) const;
  void SetSize(float pixelSize) const;

  FT_LibraryRec_* library_ = nullptr;
  FT_FaceRec_* face_ = nullptr;
};
