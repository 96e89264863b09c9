#include "draw/BarDrawing.h"

#include "draw/ImageDrawing.h"
#include "draw/TextDrawing.h"
#include "framework/IntToString.h"
#include "framework/YRect.h"
#include "render/YShader.h"

namespace {

YShader* BarShader() {
  static YShader* const shader = GetShader("pbar");
  return shader;
}

}  // namespace

float BarFill(std::int32_t value, std::int32_t maximum) {
  if (maximum <= 0 || value <= 0) return 0;
  if (value >= maximum) return 1;
  return static_cast<float>(static_cast<double>(value) / static_cast<double>(maximum));
}

void DrawProgressBar(float x, float y, float width, float height, std::int32_t value, std::int32_t maximum,
                     const YColor& textColour, const YColor& barColour) {
  const float fill = BarFill(value, maximum);
  DrawImageQuad(YRect(x, y, width, height), YRect(0, 0, 1, 1), nullptr, BarShader());
  if (fill > 0)
    DrawImageQuadTinted(YRect(x, y, width * fill, height), YRect(0, 0, fill, 1), kImageUpright, nullptr,
                        BarShader(), barColour);
  DrawTextAligned(x + width / 2, y + height, height, textColour, kAlignCentre, IntToString(value));
}

void DrawProgressBar2(float x, float y, float width, float height, std::int32_t value, std::int32_t maximum,
                      const YColor& textColour, const YColor& barColour) {
  const float fill = BarFill(value, maximum);
  DrawImageQuadTinted(YRect(x, y, width, height), YRect(0, 0, 1, 1), kImageQuarterTurn, nullptr, BarShader(),
                      kShaderColour);
  if (fill > 0) {
    const float filled = height * fill;
    DrawImageQuadTinted(YRect(x, y + height - filled, width, filled), YRect(0, 0, fill, 1), kImageQuarterTurn,
                        nullptr, BarShader(), barColour);
  }
  DrawTextAligned(x + width / 2, y + height + kVerticalBarTextSize, kVerticalBarTextSize, textColour, kAlignCentre,
                  IntToString(value));
}
