#include "tiles/effects/YSpaceGravity.h"

#include "tiles/effects/EffectMath.h"
#include "tiles/effects/YParticle.h"

using namespace effect_math;

void YSpaceGravity::Apply(YParticle& particle, float dt) {
  particle.velocity = particle.velocity + force * dt;
}
