#include "tiles/effects/YSEffectCollectResource.h"

#include <algorithm>

#include "tiles/effects/ParticleEmitters.h"

YSEffectCollectResource::YSEffectCollectResource(const YVector3& origin_, int side_, int resource_,
                                                 std::int32_t count, float time)
    : side(side_), resource(resource_), countLeft(count), timeLeft(time), origin(origin_) {}

// The share is worked out in floating point and held to the count before it
// becomes an integer: a tiny time left would otherwise overflow it.
std::int32_t YSEffectCollectResource::ShareOf(float dt, float timeLeft, std::int32_t countLeft) {
  if (countLeft <= 0) return 0;
  const double share = timeLeft > 0 ? static_cast<double>(dt) / timeLeft * countLeft : countLeft;
  const double held = std::clamp(share, 1.0, static_cast<double>(countLeft));
  return static_cast<std::int32_t>(held);
}

bool YSEffectCollectResource::Update(float dt) {
  const std::int32_t n = ShareOf(dt, timeLeft, countLeft);
  countLeft -= n;
  timeLeft -= dt;
  if (countLeft < 1) timeLeft = 0;
  for (std::int32_t i = 0; i < n; ++i) EmitResourceParticle(origin, side, resource);
  return timeLeft <= 0;
}
