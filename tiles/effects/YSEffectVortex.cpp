#include "tiles/effects/YSEffectVortex.h"

#include <cmath>
#include <numbers>

#include "tiles/DuelBoard.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/TileMotion.h"

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}  // namespace

YSEffectVortex::YSEffectVortex(const DuelBoard& board_, YTile& tile_, const YVector3& target_, bool clockwise)
    : board(&board_),
      tile(&tile_),
      duration(0.75f + 0.15f * GetEffectRandom().Uniform()),
      spin(clockwise ? -360.0f : 360.0f),
      start(tile_motion::Position(tile_)),
      target(target_) {
  startAngle = std::atan2(start.y, start.x);
  angleChange = std::atan2(target.y, target.x) - startAngle;
  if (clockwise) {
    while (angleChange > -kPi) angleChange -= 2 * kPi;
  } else {
    while (angleChange < kPi) angleChange += 2 * kPi;
  }
  startRadius = std::hypot(start.x, start.y);
  radiusChange = std::hypot(target.x, target.y) - startRadius;
}

bool YSEffectVortex::Update(float dt) {
  time += dt;
  if (time >= duration) {
    tile->world = board->TileMatrix(*tile);
    return true;
  }
  const float t = time / duration;
  const float a = startAngle + t * angleChange;
  const float radius = startRadius + t * radiusChange;
  tile->world.SetRotationZ(t * spin);
  tile_motion::Place(
      *tile, YVector3(std::cos(a) * radius, std::sin(a) * radius, start.z + t * (target.z - start.z)));
  return false;
}
