#include "tools/soundgen/SpellEffects.h"

#include <array>
#include <cmath>
#include <numbers>

#include "tools/soundgen/Tones.h"

namespace spell_effects {
namespace {

using tones::kRate;
using K = Biquad::Kind;
constexpr double kPi = std::numbers::pi;

// A soft chime: a few harmonic partials, the upper ones dying first.
void AddChime(MonoSound& s, double start, double f, float amplitude) {
  tones::AddPartial(s, start, f, amplitude, 0.003, 0.22);
  tones::AddPartial(s, start, 2.0 * f, 0.25F * amplitude, 0.003, 0.1);
  tones::AddPartial(s, start, 3.01 * f, 0.1F * amplitude, 0.003, 0.06);
}

// A struck metal bar: its first three (inharmonic) modes.
void AddBar(MonoSound& s, double start, double f, float amplitude) {
  tones::AddPartial(s, start, f, amplitude, 0.001, 0.15);
  tones::AddPartial(s, start, 2.756 * f, 0.5F * amplitude, 0.001, 0.08);
  tones::AddPartial(s, start, 5.404 * f, 0.25F * amplitude, 0.001, 0.05);
}

// Noise through a filter whose frequency follows sweep(t), shaped by env(t).
template <typename Sweep, typename Env>
void AddSweptNoise(MonoSound& s, Biquad filter, double q, float amplitude, Sweep sweep, Env env, Rng& rng) {
  std::vector<float>& out = s.Samples();
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = s.Time(i);
    if (i % 32 == 0) filter.Tune(sweep(t), q);
    out[i] += amplitude * filter.Process(static_cast<float>(env(t)) * rng.Bipolar());
  }
}

}  // namespace

MonoSound Skip() {
  MonoSound s(kRate, 0.55);
  AddChime(s, 0.0, 1318.5, 1.0F);
  AddChime(s, 0.12, 987.8, 0.9F);
  return s;
}

MonoSound Spell() {
  MonoSound s(kRate, 1.1);
  Rng rng(31);
  constexpr std::array<double, 4> kArpeggio{1046.5, 1318.5, 1568.0, 2093.0};
  for (std::size_t k = 0; k < kArpeggio.size(); ++k)
    tones::AddBell(s, 0.06 * k, kArpeggio[k], 0.6F, 3.5, 1.2, 0.3);
  tones::AddGlide(s, 0.0, 261.6, 523.2, 0.6, 0.35F, 0.25, 0.3);
  for (int k = 0; k < 25; ++k)
    tones::AddPartial(s, rng.Range(0.05F, 0.8F), rng.Range(3000, 7000), rng.Range(0.08F, 0.15F), 0.001, 0.03);
  tones::AddNoiseBurst(s, 0.0, 1.0, Biquad(K::HighPass, kRate, 5000, 0.7), 0.15F, 0.1, 0.3, rng);
  return s;
}

MonoSound Reflex() {
  MonoSound s(kRate, 0.7);
  constexpr std::array<float, 4> kEcho{1.0F, 0.55F, 0.3F, 0.16F};
  for (std::size_t k = 0; k < kEcho.size(); ++k) AddBar(s, 0.09 * k, 1400 * std::pow(1.06, k), kEcho[k]);
  tones::AddGlide(s, 0.0, 800, 2400, 0.12, 0.3F, 0.002, 0.08);
  return s;
}

MonoSound Fire() {
  constexpr double kLength = 1.2;
  MonoSound s(kRate, kLength);
  Rng rng(33);
  const auto roarPitch = [](double t) {
    return t < 0.25 ? 300 * std::pow(2500.0 / 300, t / 0.25) : 600 + 1900 * std::exp(-(t - 0.25) / 0.3);
  };
  const auto roarLevel = [](double t) {
    return t < 0.12 ? std::sin(kPi / 2 * t / 0.12) : (t < 0.3 ? 1.0 : std::exp(-(t - 0.3) / 0.35));
  };
  AddSweptNoise(s, Biquad(K::LowPass, kRate, 300, 0.9), 0.9, 0.8F, roarPitch, roarLevel, rng);
  tones::AddNoiseBurst(s, 0.0, 1.1, Biquad(K::LowPass, kRate, 180, 0.7), 1.2F, 0.05, 0.4, rng);
  for (int k = 0; k < 45; ++k) {
    const double t = 1.0 * std::pow(rng.Uniform(), 1.6);
    const Biquad band(K::BandPass, kRate, rng.Range(1800, 6000), 2.0);
    tones::AddNoiseBurst(s, t, 0.006, band, rng.Range(0.6F, 2.0F) * static_cast<float>(1.0 - t / kLength),
                         0.0002, 0.0012, rng);
  }
  return s;
}

MonoSound Water() {
  MonoSound s(kRate, 1.1);
  Rng rng(34);
  tones::AddNoiseBurst(s, 0.0, 0.5, Biquad(K::BandPass, kRate, 2200, 0.8), 0.8F, 0.004, 0.09, rng);
  tones::AddNoiseBurst(s, 0.0, 0.6, Biquad(K::LowPass, kRate, 700, 0.7), 0.4F, 0.004, 0.15, rng);
  for (int k = 0; k < 16; ++k) {
    const double t = rng.Range(0.04F, 0.9F);
    const double f0 = rng.Range(450, 1400);
    const double tau = 0.02 * std::sqrt(1000.0 / f0);
    tones::AddGlide(s, t, f0, f0 * 1.6, tau * 3, rng.Range(0.3F, 0.7F), 0.003, tau);
  }
  return s;
}

MonoSound Air() {
  constexpr double kLength = 1.3;
  MonoSound s(kRate, kLength);
  Rng rng(35);
  const auto centre = [](double t) { return 400 + 900 * std::sin(kPi * std::pow(t / kLength, 0.7)); };
  const auto swell = [](double t) { return std::pow(std::sin(kPi * std::pow(t / kLength, 0.6)), 2.0); };
  AddSweptNoise(s, Biquad(K::BandPass, kRate, 400, 0.8), 0.8, 1.0F, centre, swell, rng);
  const auto whistle = [&](double t) { return 2.2 * centre(t); };
  AddSweptNoise(s, Biquad(K::BandPass, kRate, 880, 12), 12, 2.5F, whistle, swell, rng);
  return s;
}

MonoSound Earth() {
  MonoSound s(kRate, 1.4);
  Rng rng(36);
  tones::AddNoiseBurst(s, 0.0, 1.35, Biquad(K::LowPass, kRate, 120, 0.9), 3.0F, 0.06, 0.45, rng);
  constexpr std::array<double, 3> kThud{0.0, 0.17, 0.41};
  constexpr std::array<float, 3> kLevel{1.0F, 0.8F, 0.6F};
  for (std::size_t k = 0; k < kThud.size(); ++k)
    tones::AddGlide(s, kThud[k], 70, 38, 0.15, kLevel[k], 0.003, 0.22);
  tones::AddNoiseBurst(s, 0.0, 0.08, Biquad(K::LowPass, kRate, 2500, 0.7), 0.6F, 0.001, 0.015, rng);
  for (int k = 0; k < 30; ++k) {
    const double t = 0.8 * rng.Uniform();
    const Biquad band(K::BandPass, kRate, rng.Range(500, 1500), 1.2);
    tones::AddNoiseBurst(s, t, 0.02, band, rng.Range(0.2F, 0.6F) * static_cast<float>(1.0 - t), 0.001, 0.006,
                         rng);
  }
  return s;
}

}  // namespace spell_effects
