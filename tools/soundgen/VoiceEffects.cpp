#include "tools/soundgen/VoiceEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/soundgen/Adsr.h"
#include "tools/soundgen/Tones.h"

namespace voice_effects {
namespace {

using tones::kRate;
using K = Biquad::Kind;
constexpr double kPi = std::numbers::pi;

struct Syllable {
  double start, length, pitch;
  float level;
};

// Raised-cosine edges of a syllable: fade over `edge` at both ends.
double Edges(double t, double length, double edge) {
  if (t < 0.0 || t > length) return 0.0;
  const double x = std::min({t / edge, (length - t) / edge, 1.0});
  return 0.5 - 0.5 * std::cos(kPi * x);
}

// The source of one "ha": breath noise first, then a falling pulse train
// (harmonics of 1/k up to 4.5 kHz, like a glottal wave).
void AddHa(MonoSound& source, const Syllable& ha, Rng& rng) {
  std::vector<float>& out = source.Samples();
  const auto first = static_cast<std::size_t>(ha.start * kRate);
  const auto count = static_cast<std::size_t>(ha.length * kRate);
  double phase = 0.0;
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f0 = ha.pitch * (1.0 - 0.12 * t / ha.length) * (1.0 + 0.01 * std::sin(2 * kPi * 6 * t));
    phase += 2 * kPi * f0 / kRate;
    double voice = 0.0;
    for (int k = 1; k * f0 < 4500; ++k) voice += std::sin(k * phase) / k;
    const double breath = t < 0.045 ? 1.0 : 0.1 + 0.9 * std::max(0.0, 1.0 - (t - 0.045) / 0.03);
    const double voicing = Edges(t - 0.03, ha.length - 0.03, 0.03);
    out[first + i] += static_cast<float>(
        ha.level * (voicing * 0.5 * voice + breath * Edges(t, ha.length, 0.008) * 0.6 * rng.Bipolar()));
  }
}

// FM brass: the modulation index follows the loudness, so the tone
// brightens as it swells; a slow vibrato sets in on held notes.
void AddHorn(MonoSound& s, double start, double gate, double f, float level) {
  const Adsr env(0.05, 0.15, 0.8, 0.15);
  std::vector<float>& out = s.Samples();
  const auto first = static_cast<std::size_t>(start * kRate);
  const auto count = static_cast<std::size_t>((gate + env.Release()) * kRate);
  double carrier = 0.0;
  double modulator = 0.0;
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double a = env.Level(t, gate);
    const double vibrato =
        t > 0.25 ? 1.0 + 0.006 * std::min(1.0, (t - 0.25) / 0.3) * std::sin(2 * kPi * 5 * t) : 1.0;
    modulator += 2 * kPi * f * vibrato / kRate;
    carrier += 2 * kPi * f * vibrato / kRate;
    out[first + i] +=
        static_cast<float>(level * a * std::sin(carrier + (0.5 + 3.0 * a) * std::sin(modulator)));
  }
}

// A few early reflections, as in a stone hall.
void AddHall(MonoSound& s) {
  constexpr std::array<double, 4> kDelay{0.037, 0.061, 0.089, 0.131};
  constexpr std::array<float, 4> kGain{0.25F, 0.18F, 0.12F, 0.08F};
  const std::vector<float> dry = s.Samples();
  for (std::size_t k = 0; k < kDelay.size(); ++k) {
    const auto d = static_cast<std::size_t>(kDelay[k] * kRate);
    for (std::size_t i = d; i < dry.size(); ++i) s.Samples()[i] += kGain[k] * dry[i - d];
  }
}

}  // namespace

MonoSound Laugh() {
  MonoSound source(kRate, 1.3);
  Rng rng(41);
  constexpr std::array<Syllable, 4> kHa{
      {{0.02, 0.17, 215, 1.0F}, {0.25, 0.16, 200, 0.95F}, {0.47, 0.15, 185, 0.9F}, {0.68, 0.24, 168, 0.85F}}};
  for (const Syllable& ha : kHa) AddHa(source, ha, rng);
  // The formants of an open "a".
  std::array<Biquad, 3> formant{Biquad(K::BandPass, kRate, 800, 8), Biquad(K::BandPass, kRate, 1250, 10),
                                Biquad(K::BandPass, kRate, 2700, 15)};
  constexpr std::array<float, 3> kGain{1.0F, 0.7F, 0.35F};
  MonoSound s(kRate, source.Seconds());
  for (std::size_t i = 0; i < s.Size(); ++i) {
    const float x = source.Samples()[i];
    float y = 0.05F * x;
    for (std::size_t f = 0; f < formant.size(); ++f) y += kGain[f] * formant[f].Process(x);
    s.Samples()[i] = y;
  }
  return s;
}

MonoSound Combat() {
  MonoSound s(kRate, 1.8);
  constexpr double kD3 = 146.83;
  constexpr double kA3 = 220.0;
  for (double detune : {1.0, 1.0035}) {
    AddHorn(s, 0.0, 0.18, kD3 * detune, 0.5F);
    AddHorn(s, 0.24, 0.18, kD3 * detune, 0.5F);
    AddHorn(s, 0.48, 1.05, kA3 * detune, 0.5F);
  }
  AddHorn(s, 0.48, 1.05, kA3 / 2, 0.35F);
  AddHall(s);
  return s;
}

}  // namespace voice_effects
