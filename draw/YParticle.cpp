#include "draw/YParticle.h"

#include "draw/EffectMath.h"

YColor YParticle::Colour() const {
  return effect_math::Blend(startColour, endColour, Progress());
}
