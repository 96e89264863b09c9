#include "tiles/effects/YSpaceWhirl.h"

#include <cmath>

#include "draw/YParticle.h"

namespace {
constexpr float kOnPoint = 0.000001f;
}  // namespace

void YSpaceWhirl::Apply(YParticle& particle, float dt) {
  const float dx = pointX - particle.position.x, dy = pointY - particle.position.y;
  const float dist = std::sqrt(dx * dx + dy * dy);
  if (dist < kOnPoint) return;
  particle.velocity.x -= dy / dist * strength * dt;
  particle.velocity.y += dx / dist * strength * dt;
}
