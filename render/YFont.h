// A bitmap font: one advance width and one textured quad per byte value,
// drawn with the font's shader by YRender::DrawText / DrawTextEx. Fonts live
// in one process-wide list and are found by name; the fonts file
// (YFontLoader) fills them from their binary glyph tables. Every text-drawing
// caller goes through the operations here. Main thread only.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

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
  // The font data file: 256 little-endian float widths, then 256 glyphs of
  // 20 floats.
  static constexpr std::size_t kDataFileSize = 256 * 4 + 256 * sizeof(YGlyph);

  // A font known only by name: all widths 0, an all-zero glyph table and no
  // shader, so it draws nothing until its data is loaded. Registers itself
  // in the font list; the destructor takes it out again.
  explicit YFont(std::string fontName);
  virtual ~YFont();
  YFont(const YFont&) = delete;
  YFont& operator=(const YFont&) = delete;

  // The first listed font of exactly that name; when there is none, a new
  // font of that name, kept (and listed) to the end of the process. Never
  // null; the same name gives the same object on every call.
  static YFont* Find(std::string_view name);

  // Reads a font data file (a data name such as "fonts\mainfont.dat"). A
  // file that cannot be opened logs "Load font data error, file %s" and
  // changes nothing. A short file fills the tables up to its last whole
  // float and leaves the rest as it was, and logs how many bytes it held;
  // bytes past the tables are not read. Either is reported to FileAlerts.
  void LoadData(std::string_view fileName);

  // Advance widths in units of the text size (multiply by the size for UI
  // units). The text ends at its end or at a zero byte.
  float GetCharWidth(char c) const { return widths[static_cast<unsigned char>(c)]; }
  float GetTextWidth(std::string_view text) const;
  // The longest start of the text (up to a zero byte) whose width at `size`
  // stays strictly below maxWidth.
  std::string_view StartWithin(std::string_view text, float size, float maxWidth) const;

  // Text through the renderer with the font's shader and material: one glyph
  // quad per byte with an advance, y is the bottom of the line box in the UI
  // space (y downward). Returns the pen advance in UI units. A null font, a
  // font without a shader or no renderer draws nothing and returns 0.
  static float DrawText(YFont* font, float x, float y, float size, std::string_view text);
  // The text's StartWithin maxWidth.
  static float DrawTextClipped(YFont* font, float x, float y, float size, std::string_view text,
                               float maxWidth);
  // printf-formatted text, cut to 1023 bytes.
  static float DrawTextF(YFont* font, float x, float y, float size, const char* format, ...)
      __attribute__((format(printf, 5, 6)));

  // Advance widths by byte value, in units of the text size.
  std::array<float, 256> widths{};
  std::array<YGlyph, 256> glyphs{};
  // Draws the glyphs; not owned (shaders live in the shader list). Null
  // until loaded.
  YShader* shader = nullptr;
  std::string name;
};

// The UI's text font, "mainfont": found once and kept.
YFont* GetMainFont();
