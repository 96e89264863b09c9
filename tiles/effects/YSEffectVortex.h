// A dealt tile swirling to its new place: it turns about the scene's z axis
// by at least half a turn (clockwise or not), its distance from the axis and
// its height gliding to the target's, while it spins once about itself.
// Ends with the tile's home matrix. The board draws the tile itself.
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class DuelBoard;
struct YTile;

class YSEffectVortex : public YSEffect {
 public:
  // Duration 0.75 + 0.15 r seconds.
  YSEffectVortex(const DuelBoard& board, YTile& tile, const YVector3& target, bool clockwise);
  bool Update(float dt) override;

  const DuelBoard* board;
  YTile* tile;
  float angleChange;  // radians, at least pi in size, in the chosen sense
  float startAngle;
  float radiusChange;
  float startRadius;
  float time = 0;
  float duration;
  float spin;  // degrees over the whole flight
  YVector3 start;
  YVector3 target;
};
