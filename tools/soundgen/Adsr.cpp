#include "tools/soundgen/Adsr.h"

#include <algorithm>
#include <cmath>

Adsr::Adsr(double attack, double decay, double sustain, double release)
    : attack_(std::max(attack, 1e-4)),
      decay_(std::max(decay, 1e-4)),
      sustain_(sustain),
      release_(std::max(release, 1e-4)) {}

double Adsr::HeldLevel(double t) const {
  if (t < attack_) return t / attack_;
  return sustain_ + (1.0 - sustain_) * std::exp(-(t - attack_) / decay_);
}

double Adsr::Level(double t, double gate) const {
  if (t < 0.0) return 0.0;
  if (t < gate) return HeldLevel(t);
  const double fall = 1.0 - (t - gate) / release_;
  return fall <= 0.0 ? 0.0 : HeldLevel(gate) * fall;
}
