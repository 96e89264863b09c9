#include "tiles/effects/YSEffectFlames.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"

using namespace effect_math;

namespace {

// How one kind of flame throws its particles.
struct FlameStyle {
  float rate;        // per second
  float spread;      // how far from the point a flame starts
  float riseJitter;  // vertical speed: riseJitter x r - riseSpeed
  float riseSpeed;
  float startSize, endSize;
};

constexpr FlameStyle kManaFlame{100, 7, 40, 80, 15, 25};
constexpr FlameStyle kHellfire{300, 50, 50, 100, 20, 100};

// One frame of flames; true when the flames have burnt out.
bool Burn(float& life, const YVector3& point, const FlameStyle& style, float dt) {
  life -= dt;
  if (life <= 0) return true;
  EffectRandom& random = GetEffectRandom();
  int n = static_cast<int>(dt * style.rate);
  if (n < 1) n = 1;
  for (int i = 0; i < n; ++i) {
    const float spread = style.spread * random.Uniform();
    const YVector3 at = point + random.Direction2D() * spread;
    const float vy = style.riseJitter * random.Uniform() - style.riseSpeed;
    const float particleLife = 0.7f + 0.2f * random.Uniform();
    GetParticleSystem().AddParticle2D(particleLife, style.startSize, style.endSize, at.x, at.y, 0, vy, 10,
                                      nullptr, Shaders().fire, YColor(1, 1, 1, 1), YColor(1, 0, 0, 0));
  }
  return false;
}

}  // namespace

YSEffectFlameMana::YSEffectFlameMana(int side, int resource)
    : position(effect_points::ResourcePoint(side, resource)) {}

bool YSEffectFlameMana::Update(float dt) {
  return Burn(life, position, kManaFlame, dt);
}

YSEffectHellfire::YSEffectHellfire(int side) : position(effect_points::Portrait(side)) {}

bool YSEffectHellfire::Update(float dt) {
  return Burn(life, position, kHellfire, dt);
}
