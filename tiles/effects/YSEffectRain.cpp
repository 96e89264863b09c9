#include "tiles/effects/YSEffectRain.h"

#include <algorithm>

#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"

namespace {
constexpr float kFallDepth = 65.0f;   // how far below the centre a particle lives to fall
constexpr float kSlowestFall = 1.0f;  // a rain falling slower than this counts as this fast
}  // namespace

YSEffectRain::YSEffectRain(const YVector3& centre_, const YVector3& velocity_, float spread_, float life_,
                           float rate_, const YColor& startColour_, const YColor& endColour_,
                           YShader* shader_)
    : centre(centre_),
      velocity(velocity_),
      life(life_),
      spread(spread_),
      rate(rate_),
      startColour(startColour_),
      endColour(endColour_),
      shader(shader_) {}

bool YSEffectRain::Update(float dt) {
  life -= dt;
  if (life <= 0) return true;
  EffectRandom& random = GetEffectRandom();
  YShader* drawn = shader != nullptr ? shader : Shaders().spark;
  const float particleLife = kFallDepth / std::max(velocity.y, kSlowestFall) + 0.125f;
  int n = static_cast<int>(dt * rate);
  if (n < 1) n = 1;
  for (int i = 0; i < n; ++i) {
    const float x = centre.x + spread * random.Uniform();
    const float y = centre.y - spread - 0.5f * spread * random.Uniform();
    GetParticleSystem().AddParticle2D(particleLife, 5, 20, x, y, velocity.x, velocity.y, -1,
                                      effect_points::FallingForce(), drawn, startColour, endColour);
  }
  return false;
}
