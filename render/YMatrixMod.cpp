#include "render/YMatrixMod.h"

#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kOneOver180 = 0.0055555557f;

// matrix := step x matrix (the step acts on a coordinate after what the
// matrix already holds).
void PreMultiply(YMatrix4& matrix, const YMatrix4& step) { matrix.Multiply(matrix, step); }

// The value once past `limit` on either side brought back by one `period`.
float WrapOnce(float value, float limit, float period) {
  if (value > limit) return value - period;
  if (value < -limit) return value + period;
  return value;
}

// (sin(phase) + 1) * (max - min) * 0.5 + min: `min` at the sine's low,
// `max` at its high, the middle at phase 0.
float SineBetween(float phaseDegrees, float min, float max) {
  return (std::sin(matrix_mod::ToRadians(phaseDegrees)) + 1.0f) * (max - min) * 0.5f + min;
}

}  // namespace

namespace matrix_mod {

float StepPhase(float phase, float rate, float dt) { return WrapOnce(phase + dt * rate, 180.0f, 360.0f); }

float ToRadians(float degrees) { return degrees * kPi * kOneOver180; }

YMatrix4 RotationAboutCentre(float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  YMatrix4 m;
  m.m[0][0] = c;
  m.m[0][1] = s;
  m.m[1][0] = -s;
  m.m[1][1] = c;
  m.m[2][0] = (1.0f - c + s) * 0.5f;
  m.m[2][1] = (1.0f - s - c) * 0.5f;
  return m;
}

}  // namespace matrix_mod

bool YModRotate::Apply(float dt, YMatrix4& matrix) {
  phase_ = matrix_mod::StepPhase(phase_, rate_, dt);
  PreMultiply(matrix, matrix_mod::RotationAboutCentre(matrix_mod::ToRadians(phase_)));
  return true;
}

bool YModScroll::Apply(float dt, YMatrix4& matrix) {
  // Only values beyond 1 wrap: an offset landing exactly on 1 stays there.
  u_ = WrapOnce(u_ + dt * rateX_, 1.0f, 1.0f);
  v_ = WrapOnce(v_ + dt * rateY_, 1.0f, 1.0f);
  YMatrix4 m;
  m.m[2][0] = u_;
  m.m[2][1] = v_;
  PreMultiply(matrix, m);
  return true;
}

bool YModPulse::Apply(float dt, YMatrix4& matrix) {
  phase_ = matrix_mod::StepPhase(phase_, vel_, dt);
  float k = SineBetween(phase_, min_, max_);
  if (std::fabs(k) < kMinScale) k = std::signbit(k) ? -kMinScale : kMinScale;
  const float inverse = 1.0f / k;
  YMatrix4 m;
  m.m[0][0] = inverse;
  m.m[1][1] = inverse;
  m.m[2][0] = (1.0f - inverse) * 0.5f;
  m.m[2][1] = (1.0f - inverse) * 0.5f;
  PreMultiply(matrix, m);
  return true;
}

bool YModSwing::Apply(float dt, YMatrix4& matrix) {
  phase_ = matrix_mod::StepPhase(phase_, vel_, dt);
  const float angle = SineBetween(phase_, min_, max_);
  PreMultiply(matrix, matrix_mod::RotationAboutCentre(matrix_mod::ToRadians(angle)));
  return true;
}

YModFlip::YModFlip(bool x, bool y) {
  if (x) flip_.m[0][0] = -1.0f;
  if (y) flip_.m[1][1] = -1.0f;
}

bool YModFlip::Apply(float, YMatrix4& matrix) {
  PreMultiply(matrix, flip_);
  return true;
}

YModOffset::YModOffset(float x, float y) {
  offset_.m[2][0] = x;
  offset_.m[2][1] = y;
}

bool YModOffset::Apply(float, YMatrix4& matrix) {
  PreMultiply(matrix, offset_);
  return true;
}
