#include "tiles/effects/YSEffectComet.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"
#include "tiles/effects/SpellShows.h"

using namespace effect_math;

namespace {

const YColor kFlame(1, 0.7f, 0.3f, 1);
const YColor kFlameEnd(1, 0, 0, 0.5f);

// At least one a frame.
int CountThisFrame(float dt, float rate) {
  const int n = static_cast<int>(dt * rate);
  return n < 1 ? 1 : n;
}

}  // namespace

YSEffectComet::YSEffectComet(const YVector3& start, const YVector3& target_, float speed_, float rate_,
                             const YColor& startColour_, const YColor& endColour_)
    : speed(speed_),
      rate(rate_),
      position(start),
      target(target_),
      startColour(startColour_),
      endColour(endColour_) {}

bool YSEffectComet::Update(float dt) {
  const float step = dt * speed;
  const float distance = Distance(position, target);
  if (distance < step || distance <= 0) return true;
  position = position + Unit(target - position) * step;
  EffectRandom& random = GetEffectRandom();
  const int n = CountThisFrame(dt, rate);
  for (int i = 0; i < n; ++i) {
    const float vx = 150 * random.Uniform();
    const float vy = 150 * random.Uniform();
    GetParticleSystem().AddParticle2D(0.25f, 20, 10, position.x, position.y, vx, vy, 25, nullptr,
                                      Shaders().spark, startColour, endColour);
  }
  return false;
}

YSEffectBolt::YSEffectBolt(int side, float speed_, float rate_, const YColor& startColour_,
                           const YColor& endColour_)
    : YSEffectComet(effect_points::ClashPoint(), effect_points::Portrait(side), speed_, rate_, startColour_,
                    endColour_) {}

bool YSEffectBolt::Update(float dt) {
  if (!YSEffectComet::Update(dt)) return false;
  Arrive();
  return true;
}

YSEffectFireBolt::YSEffectFireBolt(int side) : YSEffectBolt(side, 1000, 200, kFlame, kFlameEnd) {}
void YSEffectFireBolt::Arrive() {
  Explosion(target, 70, 10, kFlame, YColor(1, 0, 0, 1), effect_points::FallingForce());
}

YSEffectIceBolt::YSEffectIceBolt(int side)
    : YSEffectBolt(side, 1000, 200, YColor(0.7f, 0.7f, 1, 1), YColor(0.5f, 0.5f, 1, 0.5f)) {}
void YSEffectIceBolt::Arrive() {
  IceExplosion(target, 70, 10);
}

YSEffectEnergyBlast::YSEffectEnergyBlast(int side)
    : YSEffectBolt(side, 1500, 500, YColor(1, 1, 1, 1), YColor(0.5f, 0, 0.5f, 0.5f)) {
  StartEffect<YSEffectComet>(position, target, 1200.0f, 500.0f, startColour, endColour);
}
void YSEffectEnergyBlast::Arrive() {
  EnergyExplosion(target, 100, 75);
}

YSEffectAnnihilation::YSEffectAnnihilation(int side)
    : YSEffectBolt(side, 750, 1000, YColor(1, 0.75f, 0.25f, 1), YColor(0.5f, 0, 0, 0.5f)) {}
void YSEffectAnnihilation::Arrive() {
  EnergyExplosion(target, 100, 200);
}

YSEffectDoomBolt::YSEffectDoomBolt(int side) : YSEffectBolt(side, 1000, 400, kFlame, kFlameEnd) {}
void YSEffectDoomBolt::Arrive() {
  IceExplosion(target, 100, 20);
}

YSEffectPsionicBlast::YSEffectPsionicBlast(int side)
    : YSEffectBolt(side, 1500, 500, YColor(1, 1, 0, 1), YColor(0.5f, 0.5f, 0, 0.5f)) {
  SpawnSparks(0, 0, 20);
  SpawnSparks(1, 0, 20);
}
void YSEffectPsionicBlast::Arrive() {
  SkullBurst(target, 100, YColor(1, 1, 0, 0.15f), YColor(1, 0, 0, 1));
}
