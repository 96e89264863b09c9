// Flames rising for a short time: over one of a side's mana bars (the
// flame mana) or over a side's portrait (the hellfire).
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YSEffectFlameMana : public YSEffect {
 public:
  static constexpr float kLife = 0.75f;
  YSEffectFlameMana(int side, int resource);
  bool Update(float dt) override;

  float life = kLife;
  YVector3 position;
};

class YSEffectHellfire : public YSEffect {
 public:
  static constexpr float kLife = 0.75f;
  explicit YSEffectHellfire(int side);
  bool Update(float dt) override;

  float life = kLife;
  YVector3 position;
};
