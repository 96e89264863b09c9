// The hint over one of a side's element bars: a localised format filled
// with the element's value and its maximum.
#pragma once

#include <string>
#include <utility>

#include "tiles/YRectHint.h"

class YManaHint : public YRectHint {
 public:
  YManaHint(const YRect& area, std::int32_t hintSide, std::int32_t hintElement, std::string formatText)
      : YRectHint(area, hintSide), element(hintElement), format(std::move(formatText)) {}

  bool Describe(float mouseX, float mouseY, std::string& title, std::string& text) const override;

  std::int32_t element;  // 0 air, 1 fire, 2 earth, 3 water
  std::string format;
};
