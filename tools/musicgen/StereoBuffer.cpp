#include "tools/musicgen/StereoBuffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

StereoBuffer::StereoBuffer(std::size_t frames)
    : channels_{std::vector<float>(frames), std::vector<float>(frames)} {}

void StereoBuffer::AddMono(std::size_t start, std::span<const float> samples, float gainLeft, float gainRight,
                           bool circular) {
  const std::size_t n = Frames();
  if (n == 0 || (!circular && start >= n)) return;
  std::size_t at = start % n;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (at == n) {
      if (!circular) return;
      at = 0;
    }
    channels_[0][at] += gainLeft * samples[i];
    channels_[1][at] += gainRight * samples[i];
    ++at;
  }
}

void StereoBuffer::AddScaled(const StereoBuffer& other, float gain) {
  for (std::size_t c = 0; c < channels_.size(); ++c) {
    const std::size_t n = std::min(Frames(), other.Frames());
    for (std::size_t i = 0; i < n; ++i) channels_[c][i] += gain * other.channels_[c][i];
  }
}

float StereoBuffer::Peak() const {
  float peak = 0.0F;
  for (const auto& channel : channels_)
    for (float s : channel) peak = std::max(peak, std::fabs(s));
  return peak;
}

void StereoBuffer::Scale(float gain) {
  for (auto& channel : channels_)
    for (float& s : channel) s *= gain;
}

void StereoBuffer::FadeIn(std::size_t frames) {
  frames = std::min(frames, Frames());
  for (std::size_t i = 0; i < frames; ++i) {
    const auto g =
        static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / frames));
    for (auto& channel : channels_) channel[i] *= g;
  }
}

void StereoBuffer::FadeOut(std::size_t frames) {
  frames = std::min(frames, Frames());
  const std::size_t n = Frames();
  for (std::size_t i = 0; i < frames; ++i) {
    const auto g =
        static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / frames));
    for (auto& channel : channels_) channel[n - 1 - i] *= g;
  }
}
