// The unit of a monster whose type carries the boss flag, and of the hydra's
// heads.
#pragma once

#include "board/YTessorUnit.h"

class YTessorUnitBoss : public YTessorUnit {
 public:
  using YTessorUnit::YTessorUnit;
  UnitClass Class() const override { return UnitClass::kBoss; }
};
