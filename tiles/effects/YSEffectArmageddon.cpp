#include "tiles/effects/YSEffectArmageddon.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"

using namespace effect_math;

YSEffectArmageddon::YSEffectArmageddon(int side_)
    : side(side_), position(effect_points::Portrait(side_) + Point(0, 20)) {
  struct Blast {
    float rise, life, size;
  };
  constexpr Blast kBlasts[] = {{42, 0.8f, 35}, {21, 1.0f, 87.5f}, {0, 0.5f, 70}};
  for (const Blast& blast : kBlasts)
    GetParticleSystem().AddParticle2D(blast.life, blast.size, 3 * blast.size, position.x,
                                      position.y - blast.rise, 0, 0, -1, nullptr, Shaders().blast,
                                      YColor(1, 0.7f, 0.3f, 1), YColor(0, 0, 0, 1));
}

bool YSEffectArmageddon::Update(float dt) {
  life -= dt;
  if (life <= 0) return true;
  EffectRandom& random = GetEffectRandom();
  int n = static_cast<int>(dt * rate);
  if (n < 1) n = 1;
  for (int i = 0; i < n; ++i) {
    for (int which = 0; which < 2; ++which) {
      const float spread = 40 * random.Uniform();
      const YVector3 at = position + random.Direction2D() * spread;
      const float vy = 100 * random.Uniform() - 500;
      const float particleLife = 0.4f + 0.1f * random.Uniform();
      GetParticleSystem().AddParticle2D(particleLife, 10, 120, at.x, at.y, 0, vy, 5,
                                        effect_points::FlameGravity(side, which), Shaders().fire,
                                        YColor(1, 1, 1, 1), YColor(1, 0, 0, 0));
    }
  }
  return false;
}
