#include "tools/soundgen/UiEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/soundgen/Tones.h"

namespace ui_effects {
namespace {

using tones::kRate;
using K = Biquad::Kind;

// A coin struck on something hard: a metal disc's few inharmonic modes and
// a short bright click.
void AddCoin(MonoSound& s, double start, double base, float amplitude, double tau, Rng& rng) {
  constexpr std::array<double, 4> kRatio{1.0, 1.593, 2.135, 2.653};
  constexpr std::array<float, 4> kLevel{1.0F, 0.6F, 0.45F, 0.3F};
  for (std::size_t m = 0; m < kRatio.size(); ++m)
    tones::AddPartial(s, start, base * kRatio[m], amplitude * kLevel[m], 0.0004, tau / (1.0 + 0.6 * m));
  tones::AddNoiseBurst(s, start, 0.01, Biquad(K::HighPass, kRate, 4000, 0.7), amplitude * 0.8F, 0.0002, 0.001,
                       rng);
}

}  // namespace

MonoSound Tuc() {
  MonoSound s(kRate, 0.08);
  Rng rng(11);
  tones::AddPartial(s, 0.0, 1150, 1.0F, 0.0005, 0.011);
  tones::AddPartial(s, 0.0, 2750, 0.5F, 0.0005, 0.006);
  tones::AddPartial(s, 0.0, 4100, 0.25F, 0.0005, 0.004);
  tones::AddNoiseBurst(s, 0.0, 0.01, Biquad(K::BandPass, kRate, 3000, 1.0), 0.8F, 0.0003, 0.0015, rng);
  return s;
}

MonoSound Tuc2() {
  MonoSound s(kRate, 0.09);
  Rng rng(12);
  tones::AddGlide(s, 0.0, 720, 620, 0.02, 1.0F, 0.0008, 0.013);
  tones::AddPartial(s, 0.0, 1650, 0.4F, 0.0005, 0.006);
  tones::AddNoiseBurst(s, 0.0, 0.01, Biquad(K::BandPass, kRate, 1800, 1.0), 0.6F, 0.0003, 0.002, rng);
  return s;
}

MonoSound Clock() {
  MonoSound s(kRate, 0.12);
  Rng rng(13);
  tones::AddNoiseBurst(s, 0.0, 0.11, Biquad(K::BandPass, kRate, 3200, 15), 6.0F, 0.0002, 0.0008, rng);
  tones::AddNoiseBurst(s, 0.0, 0.11, Biquad(K::BandPass, kRate, 5400, 20), 4.0F, 0.0002, 0.0006, rng);
  tones::AddPartial(s, 0.0, 2100, 0.3F, 0.0004, 0.005);
  tones::AddPartial(s, 0.0, 900, 0.25F, 0.0006, 0.004);
  return s;
}

MonoSound Shuffle() {
  MonoSound s(kRate, 0.75);
  Rng rng(14);
  constexpr int kCards = 30;
  for (int k = 0; k < kCards; ++k) {
    const double t = 0.04 + 0.52 * std::pow(k / double(kCards), 0.85) + 0.003 * rng.Bipolar();
    const Biquad band(K::BandPass, kRate, rng.Range(2500, 5000), 0.9);
    tones::AddNoiseBurst(s, t, 0.012, band, rng.Range(0.4F, 1.0F), 0.0004, 0.0025, rng);
  }
  tones::AddNoiseBurst(s, 0.02, 0.6, Biquad(K::HighPass, kRate, 1800, 0.7), 0.12F, 0.05, 0.25, rng);
  tones::AddNoiseBurst(s, 0.6, 0.12, Biquad(K::LowPass, kRate, 900, 0.7), 0.6F, 0.002, 0.02, rng);
  return s;
}

MonoSound Sell() {
  MonoSound s(kRate, 0.75);
  Rng rng(15);
  std::vector<double> times;
  for (int k = 0; k < 10; ++k) times.push_back(0.01 + 0.5 * std::pow(rng.Uniform(), 1.5));
  std::sort(times.begin(), times.end());
  for (std::size_t k = 0; k < times.size(); ++k) {
    const float level = rng.Range(0.5F, 1.0F) * static_cast<float>(1.0 - 0.05 * static_cast<double>(k));
    AddCoin(s, times[k], rng.Range(2600, 3800), level, rng.Range(0.04F, 0.12F), rng);
  }
  return s;
}

MonoSound Buy() {
  MonoSound s(kRate, 0.7);
  Rng rng(16);
  AddCoin(s, 0.0, 3100, 0.8F, 0.06, rng);
  AddCoin(s, 0.06, 3500, 0.7F, 0.05, rng);
  tones::AddBell(s, 0.11, 2093, 0.7F, 1.4, 1.2, 0.2);
  tones::AddBell(s, 0.11, 2637, 0.5F, 1.4, 1.0, 0.17);
  return s;
}

}  // namespace ui_effects
