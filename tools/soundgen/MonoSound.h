// A mono sound being synthesised: float samples at a fixed rate, with the
// finishing steps every effect goes through (peak normalising and short
// fades at both ends so that playback starts and stops without a click).
#pragma once

#include <cstddef>
#include <vector>

class MonoSound {
 public:
  MonoSound(int rate, double seconds);

  int Rate() const { return rate_; }
  std::size_t Size() const { return samples_.size(); }
  double Seconds() const { return static_cast<double>(samples_.size()) / rate_; }
  // Time in seconds of sample i.
  double Time(std::size_t i) const { return static_cast<double>(i) / rate_; }
  std::vector<float>& Samples() { return samples_; }
  const std::vector<float>& Samples() const { return samples_; }

  // Adds sample i of the other sound at atSeconds + i, scaled; what falls
  // past the end is dropped.
  void Mix(const MonoSound& other, double atSeconds, float gain);
  float Peak() const;
  // Scales so that the largest magnitude equals target (silence stays).
  void NormalizePeak(float target);
  // Raised-cosine fades over the first and last given seconds.
  void FadeEnds(double fadeIn, double fadeOut);

 private:
  int rate_;
  std::vector<float> samples_;
};
