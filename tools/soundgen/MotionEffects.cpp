#include "tools/soundgen/MotionEffects.h"

#include <array>
#include <cmath>
#include <numbers>

#include "tools/soundgen/Tones.h"

namespace motion_effects {
namespace {

using tones::kRate;
using K = Biquad::Kind;
constexpr double kPi = std::numbers::pi;

// Air pushed by a wing: noise through a band that sweeps up from f0 to f1,
// swelling quickly and dying away more slowly.
void AddSwish(MonoSound& s, double start, double length, double f0, double f1, float amplitude, Rng& rng) {
  Biquad band(K::BandPass, kRate, f0, 0.9);
  Biquad soften(K::LowPass, kRate, 2500, 0.7);
  const auto first = static_cast<std::size_t>(start * kRate);
  const auto count = static_cast<std::size_t>(length * kRate);
  std::vector<float>& out = s.Samples();
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double x = static_cast<double>(i) / static_cast<double>(count);
    if (i % 32 == 0) band.Tune(f0 * std::pow(f1 / f0, x), 0.9);
    const double env = std::pow(std::sin(kPi * std::pow(x, 0.6)), 2.0);
    out[first + i] += amplitude * soften.Process(band.Process(static_cast<float>(env) * rng.Bipolar()));
  }
}

}  // namespace

MonoSound Walk(int variant) {
  constexpr std::array<double, 3> kPitch{1.0, 0.9, 1.12};
  constexpr std::array<float, 3> kGrit{0.35F, 0.45F, 0.3F};
  const double p = kPitch.at(static_cast<std::size_t>(variant));
  MonoSound s(kRate, 0.22);
  Rng rng(100 + static_cast<std::uint64_t>(variant));
  tones::AddGlide(s, 0.0, 110 * p, 55 * p, 0.05, 1.0F, 0.003, 0.035);
  tones::AddNoiseBurst(s, 0.002, 0.18, Biquad(K::LowPass, kRate, 1600 * p, 0.7), 0.7F, 0.004, 0.04, rng);
  for (int g = 0; g < 12; ++g) {
    const double t = 0.004 + 0.085 * rng.Uniform();
    const Biquad band(K::BandPass, kRate, rng.Range(1500, 3500), 1.5);
    tones::AddNoiseBurst(s, t, 0.008, band,
                         kGrit.at(static_cast<std::size_t>(variant)) * rng.Range(0.5F, 1.0F), 0.0003, 0.002,
                         rng);
  }
  tones::AddNoiseBurst(s, 0.045 + 0.01 * variant, 0.1, Biquad(K::LowPass, kRate, 1000, 0.7), 0.3F, 0.003,
                       0.02, rng);
  return s;
}

MonoSound Fly() {
  MonoSound s(kRate, 0.8);
  Rng rng(21);
  constexpr std::array<float, 3> kLevel{1.0F, 0.85F, 0.7F};
  for (std::size_t b = 0; b < kLevel.size(); ++b) {
    const double t = 0.26 * static_cast<double>(b);
    AddSwish(s, t, 0.24, 280, 900, 3.0F * kLevel[b], rng);
    tones::AddGlide(s, t + 0.07, 90, 60, 0.1, 0.25F * kLevel[b], 0.02, 0.05);
  }
  return s;
}

MonoSound Teleport() {
  constexpr double kLength = 1.3;
  MonoSound s(kRate, kLength);
  Rng rng(22);
  struct Partial {
    double frequency, rate, phase;
    float amplitude;
  };
  std::vector<Partial> partials;
  for (int k = 0; k < 14; ++k)
    partials.push_back(
        {rng.Range(700, 4200), rng.Range(7, 15), rng.Range(0, 6.28F), 1.0F / std::sqrt(1.0F + k)});
  Biquad whoosh(K::BandPass, kRate, 600, 1.5);
  std::vector<float>& out = s.Samples();
  std::vector<double> phases(partials.size(), 0.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = s.Time(i);
    const double env = t < 0.35 ? std::pow(std::sin(kPi / 2 * t / 0.35), 2.0) : std::exp(-(t - 0.35) / 0.3);
    const double rise = 1.0 + 0.5 * t / kLength;
    double sum = 0.0;
    for (std::size_t k = 0; k < partials.size(); ++k) {
      phases[k] += 2 * kPi * partials[k].frequency * rise / kRate;
      const double tremolo = 0.6 + 0.4 * std::sin(2 * kPi * partials[k].rate * t + partials[k].phase);
      sum += partials[k].amplitude * tremolo * std::sin(phases[k]);
    }
    if (i % 32 == 0) whoosh.Tune(600 * std::pow(5000.0 / 600.0, t / kLength), 1.5);
    const double noise = 0.6 * whoosh.Process(rng.Bipolar());
    const double hum = 0.3 * std::sin(2 * kPi * (200 + 150 * t) * t);
    out[i] = static_cast<float>(env * (0.5 * sum + noise + hum));
  }
  return s;
}

}  // namespace motion_effects
