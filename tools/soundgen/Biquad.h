// A second-order filter with the usual low-pass, high-pass and band-pass
// responses, for shaping noise and tones. Coefficients can be changed
// between samples (sweeps) without losing the filter's state.
#pragma once

class Biquad {
 public:
  enum class Kind { LowPass, HighPass, BandPass };

  // q is the resonance; a band-pass has 0 dB gain at its centre.
  Biquad(Kind kind, double rate, double frequency, double q);

  // Moves the corner or centre; the frequency is held below Nyquist.
  void Tune(double frequency, double q);
  float Process(float x);

 private:
  Kind kind_;
  double rate_;
  double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double z1_ = 0, z2_ = 0;
};
