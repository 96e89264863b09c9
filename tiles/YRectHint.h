// A mouse-over area of the battle screen's side panels: a rectangle in the
// 1000 x 625 UI space and the side whose values it explains. The battle
// keeps fourteen of them (YTileset::Load); the panels find the one under
// the mouse and draw its text into the hint panel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/YRect.h"

class YTileset;

// The hint panel in the lower right corner: the title, and under it the
// text word-wrapped to 410 units (main font, size 15).
void DrawHintPanel(std::string_view title, std::string_view text);

class YRectHint {
 public:
  YRectHint(const YRect& area, std::int32_t hintSide) : rect(area), side(hintSide) {}
  virtual ~YRectHint() = default;

  // Whether the UI point lies in the rectangle, edges included.
  bool Contains(float x, float y) const;
  // Shows the hint for a mouse point inside the rectangle in the hint
  // panel: what Describe gives, when it gives something.
  virtual void Draw(float mouseX, float mouseY);
  // The title and text of the hint for a UI mouse point inside the
  // rectangle; false when there is nothing to show (the base never has).
  virtual bool Describe(float mouseX, float mouseY, std::string& title, std::string& text) const;

  YRect rect;
  std::int32_t side;  // 0 or 1
  const YTileset* battle = nullptr;  // whose values it explains; not owned
};
