// A fade: moves a float from one value to another over a time, then leaves
// it at the end value. The float must outlive the fade.
#pragma once

#include "tiles/effects/YSEffect.h"

class YSEffectVol : public YSEffect {
 public:
  YSEffectVol(float& weight, float fromValue, float toValue, float seconds)
      : from(fromValue), to(toValue), duration(seconds), target(&weight) {}
  bool Update(float dt) override;

  float from;
  float to;
  float time = 0;
  float duration;
  float* target;  // not owned
};
