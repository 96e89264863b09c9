// A comet: a point flying at a steady speed from a start to a target,
// shedding sparks. The bolts of the spells are comets from the clash point
// to a portrait that burst when they arrive.
#pragma once

#include "framework/YColor.h"
#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YSEffectComet : public YSEffect {
 public:
  YSEffectComet(const YVector3& start, const YVector3& target, float speed, float rate,
                const YColor& startColour, const YColor& endColour);
  // Finished (without moving) once the target is nearer than this frame's
  // step; otherwise moves and emits dt x rate sparks, at least one.
  bool Update(float dt) override;

  float speed;  // units per second
  float rate;   // sparks per second
  YVector3 position;
  YVector3 target;
  YColor startColour, endColour;
};

// A comet from the clash point to a side's portrait that adds its burst
// there in the frame it arrives.
class YSEffectBolt : public YSEffectComet {
 public:
  YSEffectBolt(int side, float speed, float rate, const YColor& startColour, const YColor& endColour);
  bool Update(float dt) override;

 protected:
  virtual void Arrive() = 0;
};

class YSEffectFireBolt : public YSEffectBolt {
 public:
  explicit YSEffectFireBolt(int side);

 protected:
  void Arrive() override;
};

class YSEffectIceBolt : public YSEffectBolt {
 public:
  explicit YSEffectIceBolt(int side);

 protected:
  void Arrive() override;
};

// Also sends a slower plain comet along the same way as its tail.
class YSEffectEnergyBlast : public YSEffectBolt {
 public:
  explicit YSEffectEnergyBlast(int side);

 protected:
  void Arrive() override;
};

class YSEffectAnnihilation : public YSEffectBolt {
 public:
  explicit YSEffectAnnihilation(int side);

 protected:
  void Arrive() override;
};

class YSEffectDoomBolt : public YSEffectBolt {
 public:
  explicit YSEffectDoomBolt(int side);

 protected:
  void Arrive() override;
};

// Also throws air sparks from both sides' air bars at its start.
class YSEffectPsionicBlast : public YSEffectBolt {
 public:
  explicit YSEffectPsionicBlast(int side);

 protected:
  void Arrive() override;
};
