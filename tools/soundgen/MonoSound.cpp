#include "tools/soundgen/MonoSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

MonoSound::MonoSound(int rate, double seconds)
    : rate_(rate), samples_(static_cast<std::size_t>(std::lround(std::max(seconds, 0.0) * rate)), 0.0F) {}

void MonoSound::Mix(const MonoSound& other, double atSeconds, float gain) {
  const auto start = static_cast<std::size_t>(std::lround(std::max(atSeconds, 0.0) * rate_));
  if (start >= samples_.size()) return;
  const std::size_t count = std::min(other.Size(), samples_.size() - start);
  for (std::size_t i = 0; i < count; ++i) samples_[start + i] += gain * other.samples_[i];
}

float MonoSound::Peak() const {
  float peak = 0.0F;
  for (float s : samples_) peak = std::max(peak, std::fabs(s));
  return peak;
}

void MonoSound::NormalizePeak(float target) {
  const float peak = Peak();
  if (peak <= 0.0F) return;
  const float gain = target / peak;
  for (float& s : samples_) s *= gain;
}

void MonoSound::FadeEnds(double fadeIn, double fadeOut) {
  const std::size_t n = samples_.size();
  const auto in = std::min(n, static_cast<std::size_t>(fadeIn * rate_));
  const auto out = std::min(n, static_cast<std::size_t>(fadeOut * rate_));
  for (std::size_t i = 0; i < in; ++i)
    samples_[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / in));
  for (std::size_t i = 0; i < out; ++i)
    samples_[n - 1 - i] *=
        static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / out));
}
