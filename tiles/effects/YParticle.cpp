#include "tiles/effects/YParticle.h"

#include "tiles/effects/EffectMath.h"

YColor YParticle::Colour() const {
  return effect_math::Blend(startColour, endColour, Progress());
}
