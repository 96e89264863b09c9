// Three fire blasts over a portrait, then flames that rise from it and bend
// towards the two flame points above it.
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YSEffectArmageddon : public YSEffect {
 public:
  static constexpr float kRate = 70.0f;
  static constexpr float kLife = 0.5f;

  explicit YSEffectArmageddon(int side);
  bool Update(float dt) override;

  int side;
  float rate = kRate;
  float life = kLife;
  YVector3 position;  // the portrait + (0, 20)
};
