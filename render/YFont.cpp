#include "render/YFont.h"

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "framework/FileAlerts.h"
#include "framework/InFStream.h"
#include "framework/Log.h"
#include "render/YRender.h"

namespace {

// Every live font, in registration order (a removed font's place takes the
// last one).
std::vector<YFont*>& FontList() {
  static std::vector<YFont*> fonts;
  return fonts;
}

// The fonts Find made; they live to the end of the process. The font list is
// made first, so it outlives these fonts, which take themselves out of it.
std::vector<std::unique_ptr<YFont>>& CreatedFonts() {
  FontList();
  static std::vector<std::unique_ptr<YFont>> created;
  return created;
}

float LittleEndianFloat(const unsigned char* bytes) {
  const std::uint32_t bits =
      static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return std::bit_cast<float>(bits);
}

// The text up to its first zero byte.
std::string_view UpToZero(std::string_view text) {
  return text.substr(0, std::min(text.size(), text.find('\0')));
}

}  // namespace

YFont::YFont(std::string fontName) : name(std::move(fontName)) {
  FontList().push_back(this);
}

YFont::~YFont() {
  std::vector<YFont*>& fonts = FontList();
  const auto it = std::find(fonts.begin(), fonts.end(), this);
  if (it == fonts.end()) return;
  *it = fonts.back();
  fonts.pop_back();
}

YFont* YFont::Find(std::string_view fontName) {
  for (YFont* font : FontList())
    if (font->name == fontName) return font;
  return CreatedFonts().emplace_back(std::make_unique<YFont>(std::string(fontName))).get();
}

// The table is read whole and decoded float by float, so a short file
// stops at its last whole float and nothing is read past the tables. A
// file that is missing or short is named to the player: its text would
// draw with glyphs missing or misplaced.
void YFont::LoadData(std::string_view fileName) {
  const int nameLength = static_cast<int>(fileName.size());
  InFStream in(fileName);
  if (in.Failed()) {
    Log::Printf("Load font data error, file %.*s", nameLength, fileName.data());
    FileAlerts::NeededFileFailed(fileName);
    return;
  }
  std::array<unsigned char, kDataFileSize> bytes{};
  const std::size_t read = in.Read(bytes.data(), bytes.size());
  if (read < bytes.size()) {
    Log::Printf("Load font data error, file %.*s: %zu of %zu bytes", nameLength, fileName.data(), read,
                bytes.size());
    FileAlerts::NeededFileFailed(fileName);
  }
  const std::size_t floats = read / 4;
  std::size_t next = 0;
  const auto take = [&](float& value) {
    if (next < floats) value = LittleEndianFloat(bytes.data() + 4 * next);
    ++next;
  };
  for (float& width : widths) take(width);
  for (YGlyph& glyph : glyphs) {
    for (YGlyphCorner& c : glyph.corners) {
      for (float* value : {&c.gx, &c.gy, &c.gz, &c.u, &c.v}) take(*value);
    }
  }
}

float YFont::GetTextWidth(std::string_view text) const {
  float sum = 0;
  for (const char c : UpToZero(text)) sum += GetCharWidth(c);
  return sum;
}

float YFont::DrawText(YFont* font, float x, float y, float size, std::string_view text) {
  if (font == nullptr || font->shader == nullptr || g_render == nullptr) return 0;
  return g_render->DrawText(*font, x, y, size, text);
}

std::string_view YFont::StartWithin(std::string_view text, float size, float maxWidth) const {
  text = UpToZero(text);
  std::size_t count = 0;
  float used = 0;
  for (; count < text.size(); ++count) {
    const float next = used + GetCharWidth(text[count]) * size;
    if (!(next < maxWidth)) break;
    used = next;
  }
  return text.substr(0, count);
}

float YFont::DrawTextClipped(YFont* font, float x, float y, float size, std::string_view text,
                             float maxWidth) {
  if (font == nullptr) return 0;
  return DrawText(font, x, y, size, font->StartWithin(text, size, maxWidth));
}

float YFont::DrawTextF(YFont* font, float x, float y, float size, const char* format, ...) {
  std::array<char, 1024> buffer{};
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
  va_end(args);
  if (length < 0) return 0;
  const auto kept = std::min<std::size_t>(static_cast<std::size_t>(length), buffer.size() - 1);
  return DrawText(font, x, y, size, std::string_view(buffer.data(), kept));
}

YFont* GetMainFont() {
  static YFont* const mainFont = YFont::Find("mainfont");
  return mainFont;
}
