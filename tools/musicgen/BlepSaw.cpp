#include "tools/musicgen/BlepSaw.h"

BlepSaw::BlepSaw(double rate, double phase) : rate_(rate), phase_(phase) {}

float BlepSaw::Next(double frequency) {
  const double dt = frequency / rate_;
  double value = 2.0 * phase_ - 1.0;
  if (phase_ < dt) {
    const double x = phase_ / dt;
    value -= x + x - x * x - 1.0;
  } else if (phase_ > 1.0 - dt) {
    const double x = (phase_ - 1.0) / dt;
    value -= x * x + x + x + 1.0;
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return static_cast<float>(value);
}
