// The hint over a side's level and health: a localised format filled with
// the level, experience, health and its maximum.
#pragma once

#include <string>
#include <utility>

#include "tiles/YRectHint.h"

class YPlayerHint : public YRectHint {
 public:
  YPlayerHint(const YRect& area, std::int32_t hintSide, std::string formatText)
      : YRectHint(area, hintSide), format(std::move(formatText)) {}

  bool Describe(float mouseX, float mouseY, std::string& title, std::string& text) const override;

  std::string format;
};
