#include "tiles/effects/YSpaceGravityPoint.h"

#include "draw/EffectMath.h"
#include "draw/YParticle.h"

using namespace effect_math;

namespace {
constexpr float kOnPoint = 0.000001f;  // nearer than this the way to the point has no direction
}  // namespace

void YSpaceGravityPoint::Apply(YParticle& particle, float) {
  const YVector3 towards = YVector3(pointX, pointY, 0) - particle.position;
  if (Length(towards) <= kOnPoint) return;
  const YVector3 u = Unit(towards);
  const float k = u.Dot(particle.velocity) >= 0 ? kTowards : kAway;
  particle.velocity = particle.velocity + u * (Length(particle.velocity) * k);
}
