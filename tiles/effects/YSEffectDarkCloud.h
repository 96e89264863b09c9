// A dark cloud drifting from the clash point to a portrait, trailing smoke
// that rises. The curse and the poison are clouds that also set a side's
// mana bar alight; the poison leaves two green skulls where it arrives.
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YSEffectDarkCloud : public YSEffect {
 public:
  YSEffectDarkCloud(const YVector3& start, const YVector3& target, float speed, float rate);
  // Finished once this frame's step would pass the target (then Arrive);
  // otherwise moves and emits dt x rate puffs, at least one.
  bool Update(float dt) override;

  float speed;
  float rate;
  YVector3 position;
  YVector3 target;

 protected:
  virtual void Arrive();
};

class YSEffectCurse : public YSEffectDarkCloud {
 public:
  explicit YSEffectCurse(int side);
};

class YSEffectPoison : public YSEffectDarkCloud {
 public:
  explicit YSEffectPoison(int side);

 protected:
  void Arrive() override;
};
