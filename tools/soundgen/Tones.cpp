#include "tools/soundgen/Tones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tones {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Sample range [first, last) of a sound that starts at start and lasts
// length seconds, clipped to the buffer.
struct Span {
  std::size_t first;
  std::size_t last;
};

Span SpanOf(const MonoSound& sound, double start, double length) {
  const auto first = static_cast<std::size_t>(std::lround(std::max(start, 0.0) * sound.Rate()));
  const auto last = static_cast<std::size_t>(std::lround(std::max(start + length, 0.0) * sound.Rate()));
  return {std::min(first, sound.Size()), std::min(last, sound.Size())};
}

double Rise(double t, double attack) {
  return t >= attack ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
}

}  // namespace

void AddPartial(MonoSound& sound, double start, double frequency, float amplitude, double attack,
                double tau) {
  const Span span = SpanOf(sound, start, attack + tau * 6.9);
  std::vector<float>& s = sound.Samples();
  for (std::size_t i = span.first; i < span.last; ++i) {
    const double t = sound.Time(i) - start;
    const double env = Rise(t, attack) * std::exp(-std::max(t - attack, 0.0) / tau);
    s[i] += static_cast<float>(amplitude * env * std::sin(kTwoPi * frequency * t));
  }
}

void AddGlide(MonoSound& sound, double start, double f0, double f1, double glide, float amplitude,
              double attack, double tau) {
  const Span span = SpanOf(sound, start, attack + tau * 6.9);
  std::vector<float>& s = sound.Samples();
  double phase = 0.0;
  for (std::size_t i = span.first; i < span.last; ++i) {
    const double t = sound.Time(i) - start;
    const double f = f0 * std::pow(f1 / f0, std::min(t / glide, 1.0));
    phase += kTwoPi * f / sound.Rate();
    const double env = Rise(t, attack) * std::exp(-std::max(t - attack, 0.0) / tau);
    s[i] += static_cast<float>(amplitude * env * std::sin(phase));
  }
}

void AddNoiseBurst(MonoSound& sound, double start, double length, Biquad filter, float amplitude,
                   double attack, double tau, Rng& rng) {
  const Span span = SpanOf(sound, start, length);
  std::vector<float>& s = sound.Samples();
  for (std::size_t i = span.first; i < span.last; ++i) {
    const double t = sound.Time(i) - start;
    const double env = Rise(t, attack) * std::exp(-std::max(t - attack, 0.0) / tau);
    s[i] += amplitude * filter.Process(static_cast<float>(env) * rng.Bipolar());
  }
}

void AddBell(MonoSound& sound, double start, double frequency, float amplitude, double ratio, double index,
             double tau) {
  const Span span = SpanOf(sound, start, tau * 6.9);
  std::vector<float>& s = sound.Samples();
  for (std::size_t i = span.first; i < span.last; ++i) {
    const double t = sound.Time(i) - start;
    const double mod = index * std::exp(-t / (tau * 0.3)) * std::sin(kTwoPi * frequency * ratio * t);
    const double env = Rise(t, 0.002) * std::exp(-t / tau);
    s[i] += static_cast<float>(amplitude * env * std::sin(kTwoPi * frequency * t + mod));
  }
}

}  // namespace tones
