// The hint over a side's spell list: the spell of the row under the mouse.
#pragma once

#include "tiles/YRectHint.h"

class YSlotsHint : public YRectHint {
 public:
  using YRectHint::YRectHint;
  bool Describe(float mouseX, float mouseY, std::string& title, std::string& text) const override;
};
