// A dealt tile flying in to its place: it starts off by an offset and flies
// straight home at 2 to 8 units a second, faster every frame, and ends
// exactly at home in the frame it would pass it. The board draws the tile.
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

struct YTile;

class YSEffectMoveToHome : public YSEffect {
 public:
  static constexpr float kGrowth = 5.0f;

  // The tile's place now is its home; it is moved off by `offset`.
  YSEffectMoveToHome(YTile& tile, const YVector3& offset);
  bool Update(float dt) override;

  YTile* tile;
  float growth = kGrowth;
  YVector3 velocity;
  YVector3 home;
};
