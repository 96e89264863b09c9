// A swirl about a point: particles near it are pushed round it, sideways to
// the line to the point (the portraits' dark explosions).
#pragma once

#include "draw/YSpaceWarp.h"

class YSpaceWhirl : public YSpaceWarp {
 public:
  YSpaceWhirl(float x, float y, float whirlStrength) : pointX(x), pointY(y), strength(whirlStrength) {}
  // A particle within 0.000001 of the point is left alone.
  void Apply(YParticle& particle, float dt) override;

  float pointX, pointY;
  float strength;  // units per second squared; the sign gives the sense
};
