// A sawtooth oscillator with its jumps smoothed by a polynomial band-limited
// step, so high notes do not alias into a hiss.
#pragma once

class BlepSaw {
 public:
  BlepSaw(double rate, double phase);

  // The next sample (-1..1) at the given frequency.
  float Next(double frequency);

 private:
  double rate_;
  double phase_;
};
