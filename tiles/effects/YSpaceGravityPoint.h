// A point that steers particles into itself (the mana and health bars, the
// flame points): a particle moving away turns back at once, one moving
// towards it is nudged gently.
#pragma once

#include "draw/YSpaceWarp.h"

class YSpaceGravityPoint : public YSpaceWarp {
 public:
  // The share of its speed a particle gains towards the point per frame.
  static constexpr float kTowards = 0.02f;
  static constexpr float kAway = 1.1f;

  YSpaceGravityPoint(float x, float y) : pointX(x), pointY(y) {}
  // Per frame, whatever dt is. A particle on the point is left alone.
  void Apply(YParticle& particle, float dt) override;

  float pointX, pointY;
};
