#include "tools/soundgen/Biquad.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Biquad::Biquad(Kind kind, double rate, double frequency, double q) : kind_(kind), rate_(rate) {
  Tune(frequency, q);
}

void Biquad::Tune(double frequency, double q) {
  const double f = std::clamp(frequency, 10.0, rate_ * 0.45);
  const double w0 = 2.0 * std::numbers::pi * f / rate_;
  const double cosw = std::cos(w0);
  const double alpha = std::sin(w0) / (2.0 * std::max(q, 0.05));
  const double a0 = 1.0 + alpha;
  switch (kind_) {
    case Kind::LowPass:
      b0_ = (1.0 - cosw) / 2.0;
      b1_ = 1.0 - cosw;
      b2_ = b0_;
      break;
    case Kind::HighPass:
      b0_ = (1.0 + cosw) / 2.0;
      b1_ = -(1.0 + cosw);
      b2_ = b0_;
      break;
    case Kind::BandPass:
      b0_ = alpha;
      b1_ = 0.0;
      b2_ = -alpha;
      break;
  }
  b0_ /= a0;
  b1_ /= a0;
  b2_ /= a0;
  a1_ = -2.0 * cosw / a0;
  a2_ = (1.0 - alpha) / a0;
}

float Biquad::Process(float x) {
  const double y = b0_ * x + z1_;
  z1_ = b1_ * x - a1_ * y + z2_;
  z2_ = b2_ * x - a2_ * y;
  return static_cast<float>(y);
}
