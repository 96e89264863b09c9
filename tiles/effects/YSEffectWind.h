// A tile blown off the board: after a short random delay it flies away
// along the wind, faster every frame, for 0.75 s. The tile is already
// removed; it is seen only while the wind shows it.
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

struct YTile;

class YSEffectWind : public YSEffect {
 public:
  static constexpr float kLife = 0.75f;
  static constexpr float kGrowth = 5.0f;

  // The delay is 0.25 x (r + 1): 0 to 0.5 s.
  YSEffectWind(YTile& tile, const YVector3& wind);
  bool Update(float dt) override;

  YTile* tile;
  float delay;
  float life = kLife;
  float growth = kGrowth;
  YVector3 velocity;
};
