// A tile burnt by a fire spell: flames rise from it while it glows and
// fades away. The tile is already removed; it is seen for the first quarter
// of the time and trails for the first half.
#pragma once

#include "tiles/effects/YSEffect.h"

struct YTile;

class YSEffectFire : public YSEffect {
 public:
  YSEffectFire(YTile& tile, float time);
  bool Update(float dt) override;

  float life;
  float trailTime;
  float visibleTime;
  YTile* tile;
};
