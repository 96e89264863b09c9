#include "tools/musicgen/PluckedString.h"

#include <algorithm>
#include <cmath>

PluckedString::PluckedString(double rate, double frequency, float brightness, Rng& rng) {
  // The averaging filter delays by half a sample, the all-pass by d.
  const double period = rate / frequency - 0.5;
  auto length = static_cast<std::size_t>(std::floor(period));
  double d = period - static_cast<double>(length);
  if (d < 0.1 && length > 2) {
    --length;
    d += 1.0;
  }
  tune_ = static_cast<float>((1.0 - d) / (1.0 + d));
  const double decaySeconds = std::clamp(2.5 * std::pow(220.0 / frequency, 0.6), 0.6, 5.0);
  loss_ = static_cast<float>(std::pow(0.001, 1.0 / (frequency * decaySeconds)));
  line_.resize(std::max<std::size_t>(length, 2));
  float smooth = 0.0F;
  const float keep = 1.0F - brightness;
  for (float& s : line_) {
    smooth = keep * smooth + (1.0F - keep) * rng.Bipolar();
    s = smooth;
  }
  float mean = 0.0F;
  for (float s : line_) mean += s;
  mean /= static_cast<float>(line_.size());
  for (float& s : line_) s -= mean;
}

float PluckedString::Next() {
  const float current = line_[at_];
  const float averaged = loss_ * 0.5F * (current + previous_);
  previous_ = current;
  const float tuned = tune_ * averaged + apIn_ - tune_ * apOut_;
  apIn_ = averaged;
  apOut_ = tuned;
  line_[at_] = tuned;
  at_ = (at_ + 1) % line_.size();
  return current;
}
