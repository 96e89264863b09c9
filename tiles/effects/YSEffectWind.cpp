#include "tiles/effects/YSEffectWind.h"

#include "draw/EffectMath.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/TileMotion.h"

using namespace effect_math;

YSEffectWind::YSEffectWind(YTile& tile_, const YVector3& wind)
    : tile(&tile_), delay(0.25f * (GetEffectRandom().Uniform() + 1)), velocity(wind) {}

bool YSEffectWind::Update(float dt) {
  if (delay > 0) {
    delay -= dt;
  } else {
    life -= dt;
    if (life < 0) return true;
    tile_motion::Place(*tile, tile_motion::Position(*tile) + velocity * dt);
    velocity = velocity * (1 + growth * dt);
  }
  tile_motion::Show(*tile);
  return false;
}
