#include "tools/musicgen/Instruments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/musicgen/BlepSaw.h"
#include "tools/musicgen/Drums.h"
#include "tools/musicgen/PluckedString.h"
#include "tools/soundgen/Adsr.h"
#include "tools/soundgen/Biquad.h"
#include "tools/soundgen/Rng.h"

namespace instruments {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
using K = Biquad::Kind;

std::vector<float> Frames(double seconds) {
  return std::vector<float>(static_cast<std::size_t>(seconds * kRate));
}

// A linear fade over the last seconds, so a cut-off ring never clicks.
void EndFade(std::vector<float>& s, double seconds) {
  const std::size_t n = std::min(s.size(), static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < n; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(n);
}

// Vibrato as a frequency factor: none before onset, then easing in.
double Vibrato(double t, double onset, double rate, double depth) {
  if (t < onset) return 1.0;
  return 1.0 + depth * std::min(1.0, (t - onset) / 0.3) * std::sin(kTwoPi * rate * (t - onset));
}

std::vector<float> Pluck(double f, double gate, float velocity, Rng& rng) {
  std::vector<float> out = Frames(gate + 1.2);
  PluckedString string(kRate, f, 0.35F + 0.55F * velocity, rng);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double damp = t < gate ? std::min(1.0, t / 0.0015) : std::exp(-(t - gate) / 0.35);
    out[i] = static_cast<float>(velocity * damp) * string.Next();
  }
  EndFade(out, 0.02);
  return out;
}

std::vector<float> Bell(double f, double gate, float velocity) {
  std::vector<float> out = Frames(gate + 1.2);
  const double tau = std::clamp(1.4 * std::pow(440.0 / f, 0.4), 0.4, 3.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double index = (0.6 + 1.4 * velocity) * std::exp(-t / 0.5);
    const double held = t < gate ? 1.0 : std::exp(-(t - gate) / 0.4);
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / tau) * held;
    const double tone = std::sin(kTwoPi * f * t + index * std::sin(kTwoPi * f * t)) +
                        0.15 * std::exp(-t / 0.15) * std::sin(kTwoPi * 3.98 * f * t);
    out[i] = static_cast<float>(velocity * env * tone);
  }
  EndFade(out, 0.02);
  return out;
}

// FM brass: the index follows the loudness, so the tone brightens as it swells.
std::vector<float> Brass(double f, double gate, float velocity) {
  const Adsr env(0.045, 0.2, 0.78, 0.12);
  std::vector<float> out = Frames(gate + env.Release());
  const double bright = (0.4 + 2.6 * velocity) * std::pow(std::min(1.0, 600.0 / f), 0.3);
  std::array<double, 2> phase{0.0, 0.0};
  constexpr std::array<double, 2> kDetune{0.9985, 1.0015};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double a = env.Level(t, gate);
    const double vib = Vibrato(t, 0.3, 5.2, 0.005);
    double sum = 0.0;
    for (std::size_t v = 0; v < phase.size(); ++v) {
      phase[v] += kTwoPi * f * kDetune[v] * vib / kRate;
      sum += std::sin(phase[v] + bright * a * std::sin(phase[v]));
    }
    out[i] = static_cast<float>(velocity * a * 0.5 * sum);
  }
  return out;
}

// Three detuned saws through a low-pass, with a gentle vibrato.
std::vector<float> Strings(double f, double gate, float velocity, const Adsr& env, Rng& rng) {
  std::vector<float> out = Frames(gate + env.Release());
  constexpr std::array<double, 3> kDetune{0.996, 1.0, 1.0035};
  std::array<BlepSaw, 3> saws{BlepSaw(kRate, rng.Uniform()), BlepSaw(kRate, rng.Uniform()),
                              BlepSaw(kRate, rng.Uniform())};
  Biquad tone(K::LowPass, kRate, std::min(7000.0, 3.0 * f + 900.0), 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = Vibrato(t, 0.2, 5.5, 0.0025);
    float sum = 0.0F;
    for (std::size_t v = 0; v < saws.size(); ++v) sum += saws[v].Next(f * kDetune[v] * vib);
    out[i] = static_cast<float>(velocity * env.Level(t, gate)) * tone.Process(sum / 3.0F);
  }
  return out;
}

std::vector<float> Flute(double f, double gate, float velocity, Rng& rng) {
  const Adsr env(0.07, 0.15, 0.85, 0.12);
  std::vector<float> out = Frames(gate + env.Release());
  Biquad breath(K::BandPass, kRate, 2.0 * f, 3.0);
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += kTwoPi * f * Vibrato(t, 0.15, 5.0, 0.005) / kRate;
    const double tone = std::sin(phase) + 0.22 * std::sin(2 * phase) + 0.07 * std::sin(3 * phase);
    const double air = 0.5 * breath.Process(rng.Bipolar());
    out[i] = static_cast<float>(velocity * env.Level(t, gate) * (0.8 * tone + air));
  }
  return out;
}

// A saw and a sine; the saw's low-pass closes quickly after the pluck.
std::vector<float> Bass(double f, double gate, float velocity) {
  const Adsr env(0.004, 0.35, 0.55, 0.06);
  std::vector<float> out = Frames(gate + env.Release());
  BlepSaw saw(kRate, 0.0);
  Biquad tone(K::LowPass, kRate, 1000, 1.2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    if (i % 16 == 0) tone.Tune(250 + 1400 * velocity * std::exp(-t / 0.12), 1.2);
    const double body = 0.6 * tone.Process(saw.Next(f)) + 0.5 * std::sin(kTwoPi * f * t);
    out[i] = static_cast<float>(velocity * env.Level(t, gate) * body);
  }
  return out;
}

// Two saws sung through the formants of an open "ah".
std::vector<float> Choir(double f, double gate, float velocity, Rng& rng) {
  const Adsr env(0.35, 0.4, 0.9, 0.6);
  std::vector<float> out = Frames(gate + env.Release());
  std::array<BlepSaw, 2> saws{BlepSaw(kRate, rng.Uniform()), BlepSaw(kRate, rng.Uniform())};
  std::array<Biquad, 3> formant{Biquad(K::BandPass, kRate, 700, 5), Biquad(K::BandPass, kRate, 1150, 7),
                                Biquad(K::BandPass, kRate, 2650, 10)};
  constexpr std::array<float, 3> kGain{1.0F, 0.6F, 0.25F};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = Vibrato(t, 0.25, 5.5, 0.0035);
    const float source = 0.5F * (saws[0].Next(f * 0.997 * vib) + saws[1].Next(f * 1.003 * vib));
    float sung = 0.0F;
    for (std::size_t k = 0; k < formant.size(); ++k) sung += kGain[k] * formant[k].Process(source);
    out[i] = static_cast<float>(1.5 * velocity * env.Level(t, gate)) * sung;
  }
  return out;
}

}  // namespace

std::vector<float> Render(Voice voice, double frequency, double gate, float velocity, std::uint64_t seed) {
  Rng rng(seed);
  switch (voice) {
    case Voice::Pluck:
      return Pluck(frequency, gate, velocity, rng);
    case Voice::Bell:
      return Bell(frequency, gate, velocity);
    case Voice::Brass:
      return Brass(frequency, gate, velocity);
    case Voice::Strings:
      return Strings(frequency, gate, velocity, Adsr(0.3, 0.3, 0.9, 0.6), rng);
    case Voice::StringsShort:
      return Strings(frequency, gate, velocity, Adsr(0.008, 0.08, 0.6, 0.08), rng);
    case Voice::StringsLead:
      return Strings(frequency, gate, velocity, Adsr(0.06, 0.3, 0.85, 0.25), rng);
    case Voice::Flute:
      return Flute(frequency, gate, velocity, rng);
    case Voice::Bass:
      return Bass(frequency, gate, velocity);
    case Voice::Choir:
      return Choir(frequency, gate, velocity, rng);
    default:
      return drums::Render(voice, frequency, velocity, rng);
  }
}

}  // namespace instruments
