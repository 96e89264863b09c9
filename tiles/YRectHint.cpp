#include "tiles/YRectHint.h"

#include "draw/TextDrawing.h"

namespace {
constexpr float kHintX = 540, kTitleY = 542, kTextY = 557;
constexpr float kHintWidth = 410;
constexpr float kHintTextSize = 15;
const YColor kTitleColour(1, 1, 0.5f, 1);
const YColor kTextColour(0.8f, 0.8f, 0.8f, 1);
}  // namespace

void DrawHintPanel(std::string_view title, std::string_view text) {
  DrawTextAligned(kHintX, kTitleY, kHintTextSize, kTitleColour, kAlignLeft, title);
  DrawTextBlock(kHintX, kTextY, kHintWidth, kHintTextSize, kTextColour, text);
}

bool YRectHint::Contains(float x, float y) const {
  return x >= rect.x && x <= rect.x + rect.width && y >= rect.y && y <= rect.y + rect.height;
}

void YRectHint::Draw(float mouseX, float mouseY) {
  std::string title, text;
  if (Describe(mouseX, mouseY, title, text)) DrawHintPanel(title, text);
}

bool YRectHint::Describe(float, float, std::string&, std::string&) const { return false; }
