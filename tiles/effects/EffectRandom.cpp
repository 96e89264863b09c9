#include "tiles/effects/EffectRandom.h"

#include "draw/EffectMath.h"

using namespace effect_math;

namespace {
constexpr float kShortest = 0.000001f;
}  // namespace

int EffectRandom::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7fffu);
}

float EffectRandom::Uniform() {
  return static_cast<float>(Next()) * (2.0f / 32767.0f) - 1.0f;
}

YVector3 EffectRandom::Direction2D() {
  for (;;) {
    const float x = Uniform();
    const YVector3 d(x, Uniform(), 0);
    if (Length(d) > kShortest) return Unit(d);
  }
}

YVector3 EffectRandom::Direction3D() {
  for (;;) {
    const float x = Uniform();
    const float y = Uniform();
    const YVector3 d(x, y, Uniform());
    if (Length(d) > kShortest) return Unit(d);
  }
}

EffectRandom& GetEffectRandom() {
  static EffectRandom random;
  return random;
}
