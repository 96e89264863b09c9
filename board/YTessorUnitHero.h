// The unit of a side's own player record: the hero, or a profile's player.
#pragma once

#include "board/YTessorUnit.h"

class YTessorUnitHero : public YTessorUnit {
 public:
  using YTessorUnit::YTessorUnit;
  UnitClass Class() const override { return UnitClass::kHero; }
};
