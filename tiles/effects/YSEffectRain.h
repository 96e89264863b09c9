// A rain of particles falling through a point for a while: meteors, sparks,
// drops or snow over a portrait.
#pragma once

#include "framework/YColor.h"
#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

class YShader;

class YSEffectRain : public YSEffect {
 public:
  // A null shader rains sparks.
  YSEffectRain(const YVector3& centre, const YVector3& velocity, float spread, float life, float rate,
               const YColor& startColour, const YColor& endColour, YShader* shader);
  // Finished once its life is over; otherwise dt x rate particles (at least
  // one) start above the centre and fall through it.
  bool Update(float dt) override;

  YVector3 centre;
  YVector3 velocity;
  float life;
  float spread;
  float rate;
  YColor startColour, endColour;
  YShader* shader;
};
