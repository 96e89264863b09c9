#include "tiles/effects/YSEffectFire.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"
#include "tiles/effects/TileMotion.h"

using namespace effect_math;

YSEffectFire::YSEffectFire(YTile& tile_, float time)
    : life(time), trailTime(time / 2), visibleTime(time / 4), tile(&tile_) {}

bool YSEffectFire::Update(float dt) {
  life -= dt;
  trailTime -= dt;
  visibleTime -= dt;
  if (life < 0) return true;
  const YVector3 at =
      tile_motion::Position(*tile) + YVector3(0, 0, 0.9f) + GetEffectRandom().Direction3D() * 0.2f;
  GetParticleSystem().AddParticle3D(0.5f, 1.0f, 0.05f, at, YVector3(0, 1, 0.5f), 5, nullptr, Shaders().fire,
                                    YColor(1, 1, 1, 0.2f), YColor(0.7f, 0, 0, 1));
  if (visibleTime > 0) tile_motion::Show(*tile);
  if (trailTime > 0) tile_motion::Trail(*tile);
  return false;
}
