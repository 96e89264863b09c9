// A mouse-over area of the battle screen's side panels: a rectangle in the
// 1000 x 625 UI space and the side whose values it explains. The battle
// keeps fourteen of them (YTileset::Load); the panels find the one under
// the mouse and draw its text into the hint panel.
#pragma once

#include <cstdint>

#include "framework/YRect.h"

class YRectHint {
 public:
  YRectHint(const YRect& area, std::int32_t hintSide) : rect(area), side(hintSide) {}
  virtual ~YRectHint() = default;

  // Whether the UI point lies in the rectangle, edges included.
  bool Contains(float x, float y) const;
  // Shows the hint for a mouse point inside the rectangle; the base shows
  // nothing.
  virtual void Draw(float mouseX, float mouseY);

  YRect rect;
  std::int32_t side;  // 0 or 1
};
