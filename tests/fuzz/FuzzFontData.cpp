// Arbitrary bytes as a font's glyph table (advance widths and quads), read
// from a file and drawn with a recording renderer. The input's first byte
// gives the length of a text taken from the bytes after it; the rest is the
// table file. Drawing must advance the pen by the widths it measures, draw
// one quad per character with an advance, stop a clipped text strictly
// before its limit, and a wrapped block must keep every character but
// blanks and escapes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "render/YFont.h"
#include "render/YShader.h"
#include "render/YTextBlock.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/render/RecordingRender.h"

namespace {

std::string g_tablePath;
RecordingRender* g_recorder = nullptr;  // one for the whole run

std::size_t CharactersWithAdvance(const YFont& font, const std::string& text, float size) {
  std::size_t count = 0;
  for (const char c : text) {
    if (c == '\0') break;
    if (font.GetCharWidth(c) * size != 0.0f) ++count;
  }
  return count;
}

void CheckDrawing(YFont& font, RecordingRender& render, const std::string& text, float size) {
  render.ClearCalls();
  const float pen = YFont::DrawText(&font, 10, 20, size, text);
  if (render.Count("DrawQuad28") != CharactersWithAdvance(font, text, size)) std::abort();
  float sum = 0;
  for (const char c : text) {
    if (c == '\0') break;
    sum += font.GetCharWidth(c) * size;
  }
  if (!(pen == sum) && !(pen != pen && sum != sum)) std::abort();  // equal, or both not a number

  const float limit = size * 3;
  const float clipped = YFont::DrawTextClipped(&font, 10, 20, size, text, limit);
  if (clipped != 0.0f && !(clipped < limit)) std::abort();
}

// The characters a wrapped block must keep: all but blanks, up to a zero
// byte, less each backslash with the character after it (a lone one at the
// end goes alone).
std::size_t CharactersToKeep(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
      continue;
    }
    count += text[i] != ' ';
  }
  return count;
}

// Wrapping moves words between lines and drops blanks and escapes, but
// loses no other character, whatever the widths.
void CheckWrapping(YFont& font, const std::string& text, float size) {
  YTextBlock block;
  block.Layout(text, 0, 0, size * 8, &font, size);
  if (block.lines.empty()) std::abort();
  std::size_t kept = 0;
  for (const YTextBlock::Line& line : block.lines)
    for (const char c : line.text) kept += c != ' ';
  if (kept != CharactersToKeep(text)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_tablePath = (fuzz::ScratchFolder() / "font.dat").string();
  g_recorder = new RecordingRender;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t textLength = std::min<std::size_t>(data[0], size - 1);
  const std::string text(reinterpret_cast<const char*>(data + 1), textLength);
  fuzz::WriteBytes(g_tablePath, data + 1 + textLength, size - 1 - textLength);

  YFont font("fuzz");
  font.shader = GetShader("fuzz font");
  font.LoadData(g_tablePath);
  for (const float textSize : {1.0f, 24.0f}) {
    CheckDrawing(font, *g_recorder, text, textSize);
    CheckWrapping(font, text, textSize);
  }
  return 0;
}
