#include "draw/TextDrawing.h"

#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YTextBlock.h"

namespace {
const YColor kShadow(0.1f, 0.1f, 0.1f, 1);

void DrawColoured(float x, float y, float size, const YColor& colour, std::string_view text) {
  YFont* font = GetMainFont();
  if (g_render == nullptr || font->shader == nullptr) return;
  g_render->SetShaderColor(font->shader, colour);
  YFont::DrawText(font, x, y, size, text);
}
}  // namespace

float AlignedTextStart(float x, float width, int align) {
  if (align == kAlignRight) return x - width;
  if (align == kAlignCentre) return x - width * 0.5f;
  return x;
}

void DrawTextAligned(float x, float y, float size, const YColor& colour, int align, std::string_view text) {
  const float width = GetMainFont()->GetTextWidth(text) * size;
  DrawColoured(AlignedTextStart(x, width, align), y, size, colour, text);
}

void DrawTextWithin(float x, float y, float width, float size, const YColor& colour, std::string_view text) {
  YFont* font = GetMainFont();
  if (g_render == nullptr || font->shader == nullptr) return;
  g_render->SetShaderColor(font->shader, colour);
  YFont::DrawTextClipped(font, x, y, size, text, width);
}

void DrawTextShadow(float x, float y, float size, const YColor& colour, std::string_view text) {
  DrawColoured(x - 1, y - 1, size, kShadow, text);
  DrawColoured(x, y, size, colour, text);
}

void DrawTextBlock(float x, float y, float width, float size, const YColor& colour, std::string_view text) {
  YFont* font = GetMainFont();
  if (g_render == nullptr || font->shader == nullptr) return;
  YTextBlock block;
  block.Layout(text, x, y, width, font, size);
  g_render->SetShaderColor(font->shader, colour);
  block.Draw();
}
