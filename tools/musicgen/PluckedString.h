// A plucked string by the Karplus-Strong method: a burst of noise circulates
// in a delay line one period long, softened a little on every pass. An
// all-pass stage tunes the loop to the exact fractional period.
#pragma once

#include <vector>

#include "tools/soundgen/Rng.h"

class PluckedString {
 public:
  // brightness 0..1 sets how much of the pluck's noise is kept in the highs.
  PluckedString(double rate, double frequency, float brightness, Rng& rng);

  float Next();

 private:
  std::vector<float> line_;
  std::size_t at_ = 0;
  float previous_ = 0.0F;
  float loss_;
  float tune_;  // all-pass coefficient
  float apIn_ = 0.0F;
  float apOut_ = 0.0F;
};
