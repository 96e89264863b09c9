#include "tools/musicgen/Drums.h"

#include <array>
#include <cmath>
#include <numbers>

#include "tools/musicgen/Instruments.h"
#include "tools/soundgen/Biquad.h"

namespace drums {
namespace {

using instruments::kRate;
using K = Biquad::Kind;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

std::vector<float> Frames(double seconds) {
  return std::vector<float>(static_cast<std::size_t>(seconds * kRate));
}

double Time(std::size_t i) {
  return static_cast<double>(i) / kRate;
}

// A 1 ms rise so that no hit starts with a jump.
double Rise(double t) {
  return std::min(1.0, t / 0.001);
}

std::vector<float> Kick(float v, Rng& rng) {
  std::vector<float> out = Frames(0.45);
  Biquad click(K::LowPass, kRate, 3000, 0.7);
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    phase += kTwoPi * (45 + 90 * std::exp(-t / 0.035)) / kRate;
    const double body = std::sin(phase) * std::exp(-t / 0.28);
    const double tick = 0.3 * std::exp(-t / 0.003) * click.Process(rng.Bipolar());
    out[i] = static_cast<float>(v * Rise(t) * (body + tick));
  }
  return out;
}

std::vector<float> Snare(float v, Rng& rng) {
  std::vector<float> out = Frames(0.35);
  Biquad rattle(K::BandPass, kRate, 3500, 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    const double drum = 0.5 * std::exp(-t / 0.05) * std::sin(kTwoPi * 185 * t) +
                        0.25 * std::exp(-t / 0.04) * std::sin(kTwoPi * 330 * t);
    const double wires = 1.6 * std::exp(-t / 0.13) * rattle.Process(rng.Bipolar());
    out[i] = static_cast<float>(v * Rise(t) * (drum + wires));
  }
  return out;
}

std::vector<float> Hat(float v, double decay, Rng& rng) {
  std::vector<float> out = Frames(decay * 3.2);
  Biquad air(K::HighPass, kRate, 7000, 0.7);
  Biquad sheen(K::BandPass, kRate, 10000, 1.5);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    const float noise = rng.Bipolar();
    const double metal = air.Process(noise) + 0.8 * sheen.Process(noise);
    out[i] = static_cast<float>(v * Rise(t) * std::exp(-t / decay) * metal);
  }
  return out;
}

std::vector<float> Tom(double f, float v, Rng& rng) {
  std::vector<float> out = Frames(0.5);
  Biquad skin(K::LowPass, kRate, 1500, 0.7);
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    phase += kTwoPi * f * (1.0 + 0.35 * std::exp(-t / 0.04)) / kRate;
    const double body = std::sin(phase) * std::exp(-t / 0.22);
    const double hit = 0.25 * std::exp(-t / 0.01) * skin.Process(rng.Bipolar());
    out[i] = static_cast<float>(v * Rise(t) * (body + hit));
  }
  return out;
}

// A kettle drum's first modes (1 : 1.504 : 1.742 : 2.0) and a felt mallet.
std::vector<float> Timpani(double f, float v, Rng& rng) {
  constexpr std::array<double, 4> kRatio{1.0, 1.504, 1.742, 2.0};
  constexpr std::array<double, 4> kLevel{1.0, 0.5, 0.3, 0.2};
  constexpr std::array<double, 4> kTau{1.1, 0.7, 0.5, 0.4};
  std::vector<float> out = Frames(2.2);
  Biquad felt(K::LowPass, kRate, 800, 0.7);
  std::array<double, 4> phase{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    const double bend = 1.0 + 0.02 * std::exp(-t / 0.05);
    double sum = 0.4 * std::exp(-t / 0.015) * felt.Process(rng.Bipolar());
    for (std::size_t m = 0; m < kRatio.size(); ++m) {
      phase[m] += kTwoPi * f * kRatio[m] * bend / kRate;
      sum += kLevel[m] * std::exp(-t / kTau[m]) * std::sin(phase[m]);
    }
    const double tail = std::min(1.0, (2.2 - t) / 0.1);
    out[i] = static_cast<float>(v * Rise(t) * tail * sum);
  }
  return out;
}

// Noise and a cluster of square waves at unrelated pitches, high-passed.
std::vector<float> Cymbal(float v, Rng& rng) {
  constexpr std::array<double, 6> kPitch{317, 453, 586, 799, 1013, 1371};
  std::vector<float> out = Frames(2.5);
  Biquad wash(K::HighPass, kRate, 5000, 0.7);
  Biquad ring(K::HighPass, kRate, 4000, 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    double squares = 0.0;
    for (double p : kPitch) squares += std::sin(kTwoPi * p * t) >= 0.0 ? 1.0 : -1.0;
    const double noise = wash.Process(rng.Bipolar()) * std::exp(-t / 0.9);
    const double metal = 0.15 * ring.Process(static_cast<float>(squares)) * std::exp(-t / 0.7);
    const double tail = std::min(1.0, (2.5 - t) / 0.2);
    out[i] = static_cast<float>(v * Rise(t) * tail * (noise + metal));
  }
  return out;
}

std::vector<float> Shaker(float v, Rng& rng) {
  std::vector<float> out = Frames(0.12);
  Biquad beads(K::BandPass, kRate, 7000, 1.2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    const double env = t < 0.012 ? t / 0.012 : std::exp(-(t - 0.012) / 0.03);
    out[i] = static_cast<float>(v * env) * beads.Process(rng.Bipolar());
  }
  return out;
}

}  // namespace

std::vector<float> Render(Voice voice, double frequency, float velocity, Rng& rng) {
  switch (voice) {
    case Voice::Kick:
      return Kick(velocity, rng);
    case Voice::Snare:
      return Snare(velocity, rng);
    case Voice::Hat:
      return Hat(velocity, 0.022, rng);
    case Voice::OpenHat:
      return Hat(velocity, 0.16, rng);
    case Voice::Tom:
      return Tom(frequency, velocity, rng);
    case Voice::Timpani:
      return Timpani(frequency, velocity, rng);
    case Voice::Cymbal:
      return Cymbal(velocity, rng);
    case Voice::Shaker:
      return Shaker(velocity, rng);
    default:
      return {};
  }
}

}  // namespace drums
