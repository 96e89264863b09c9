// A stream of sparks from a point into one of a side's resources (a mana
// bar or the health), spread over a short time, at least one a frame.
#pragma once

#include <cstdint>

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YSEffectCollectResource : public YSEffect {
 public:
  YSEffectCollectResource(const YVector3& origin, int side, int resource, std::int32_t count, float time);
  // Emits this frame's share: dt / time left of the sparks left, at least
  // one, at most all that are left; finished once the time is up or every
  // spark is out.
  bool Update(float dt) override;
  // The sparks a frame of dt emits with `countLeft` sparks and `timeLeft`
  // seconds left; never more than countLeft, whatever dt is.
  static std::int32_t ShareOf(float dt, float timeLeft, std::int32_t countLeft);

  int side;
  int resource;
  std::int32_t countLeft;
  float timeLeft;
  YVector3 origin;
};
