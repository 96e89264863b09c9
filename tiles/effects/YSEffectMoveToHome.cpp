#include "tiles/effects/YSEffectMoveToHome.h"

#include "draw/EffectMath.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/TileMotion.h"

using namespace effect_math;

YSEffectMoveToHome::YSEffectMoveToHome(YTile& tile_, const YVector3& offset)
    : tile(&tile_), home(tile_motion::Position(tile_)) {
  tile_motion::Place(*tile, home + offset);
  velocity = Unit(offset * -1.0f) * (5 + 3 * GetEffectRandom().Uniform());
}

bool YSEffectMoveToHome::Update(float dt) {
  const YVector3 moved = tile_motion::Position(*tile) + velocity * dt;
  if ((home - moved).Dot(velocity) >= 0) {
    tile_motion::Place(*tile, moved);
    velocity = velocity * (1 + growth * dt);
    return false;
  }
  tile_motion::Place(*tile, home);
  return true;
}
