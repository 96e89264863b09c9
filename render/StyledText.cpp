#include "render/StyledText.h"

#include "render/YFont.h"
#include "render/YRender.h"

float DrawStyledText(float x, float y, const UITextStyle& style, std::string_view text) {
  return DrawStyledTextColor(x, y, style, style.colour, text);
}

float DrawStyledTextColor(float x, float y, const UITextStyle& style, const YColor& colour,
                          std::string_view text) {
  if (style.font == nullptr || style.font->shader == nullptr || g_render == nullptr) return 0;
  g_render->SetShaderColor(style.font->shader, colour);
  return YFont::DrawText(style.font, x, y, style.size, text);
}
