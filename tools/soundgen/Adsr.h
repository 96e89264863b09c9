// An attack-decay-sustain-release envelope evaluated at a time since the
// note's start, for a note held for a given gate time.
#pragma once

class Adsr {
 public:
  // Times in seconds; sustain is a level 0..1. Decay is a time constant
  // (the fall towards the sustain level is exponential), release is linear.
  Adsr(double attack, double decay, double sustain, double release);

  // The level at t seconds for a note held gate seconds; 0 once released.
  double Level(double t, double gate) const;
  double Release() const { return release_; }

 private:
  double HeldLevel(double t) const;

  double attack_;
  double decay_;
  double sustain_;
  double release_;
};
