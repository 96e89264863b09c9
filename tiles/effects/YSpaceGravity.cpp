#include "tiles/effects/YSpaceGravity.h"

#include "draw/EffectMath.h"
#include "draw/YParticle.h"

using namespace effect_math;

void YSpaceGravity::Apply(YParticle& particle, float dt) {
  particle.velocity = particle.velocity + force * dt;
}
