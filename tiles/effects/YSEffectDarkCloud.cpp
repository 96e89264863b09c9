#include "tiles/effects/YSEffectDarkCloud.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"
#include "tiles/effects/YSEffectFlames.h"

using namespace effect_math;

YSEffectDarkCloud::YSEffectDarkCloud(const YVector3& start, const YVector3& target_, float speed_,
                                     float rate_)
    : speed(speed_), rate(rate_), position(start), target(target_) {}

bool YSEffectDarkCloud::Update(float dt) {
  const float step = dt * speed;
  const YVector3 u = Unit(target - position);
  if (step > Distance(position, target)) {
    Arrive();
    return true;
  }
  position = position + u * step;
  EffectRandom& random = GetEffectRandom();
  int n = static_cast<int>(dt * rate);
  if (n < 1) n = 1;
  for (int i = 0; i < n; ++i) {
    const float spread = 50 * random.Uniform();
    const YVector3 at = position + random.Direction2D() * spread;
    const float jx = 50 * random.Uniform();
    const float jy = 100 * random.Uniform();
    const YVector3 velocity = u * (0.5f * speed) + Point(jx, jy);
    GetParticleSystem().AddParticle2D(1.0f, 20, 200, at.x, at.y, velocity.x, velocity.y, 5,
                                      effect_points::RisingForce(), Shaders().cloud, YColor(0, 0, 0, 0.25f),
                                      YColor(0.5f, 0.5f, 0.5f, 0.01f));
  }
  return false;
}

void YSEffectDarkCloud::Arrive() {}

YSEffectCurse::YSEffectCurse(int side)
    : YSEffectDarkCloud(effect_points::ClashPoint(), effect_points::Portrait(side), 400, 150) {
  StartEffect<YSEffectFlameMana>(side, 1);
}

YSEffectPoison::YSEffectPoison(int side)
    : YSEffectDarkCloud(effect_points::ClashPoint(), effect_points::Portrait(side), 700, 150) {
  StartEffect<YSEffectFlameMana>((side + 1) % 2, 3);
}

void YSEffectPoison::Arrive() {
  for (float life : {1.0f, 0.5f})
    GetParticleSystem().AddParticle2D(life, 100, 300, target.x, target.y, 0, 0, -1, nullptr, Shaders().skull,
                                      YColor(0, 1, 0, 0.25f), YColor(0, 1, 0, 0));
}
