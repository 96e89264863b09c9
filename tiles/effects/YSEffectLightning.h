// A lightning bolt between two points, drawn anew every frame for a short
// time with a fresh jitter; with branching it forks now and then. The only
// effect that draws itself (in the effects' draw pass).
#pragma once

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YSEffectLightning : public YSEffect {
 public:
  static constexpr float kWidth = 20.0f;
  static constexpr float kEndJitter = 30.0f;

  YSEffectLightning(const YVector3& start, const YVector3& end, float time, bool branching);
  // Finished once its time is up; otherwise asks to be drawn this frame.
  bool Update(float dt) override;
  // The bolt from the start to the end point shaken by up to kEndJitter
  // (the stored end point stays where it is).
  void Draw() override;

  YVector3 start;
  YVector3 end;
  float timeLeft;
  bool branching;
};

// The number of segments of a bolt of length d: d / 30, 1 to 20.
int BoltSegments(float length);
// Draws a bolt from a to b, 2 x width wide, in the "lightning" shader;
// with branching, forks of half the width now and then.
void DrawBolt(const YVector3& a, const YVector3& b, float width, bool branching);
