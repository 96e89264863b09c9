// Building blocks the effects are made of: decaying partials, gliding
// tones, filtered noise bursts and FM bells, each added into a MonoSound at
// a start time in seconds.
#pragma once

#include "tools/soundgen/Biquad.h"
#include "tools/soundgen/MonoSound.h"
#include "tools/soundgen/Rng.h"

namespace tones {

inline constexpr int kRate = 44100;

// A sine that rises over attack seconds and then decays with time
// constant tau; it is added until it has fallen 60 dB.
void AddPartial(MonoSound& sound, double start, double frequency, float amplitude, double attack, double tau);

// A sine gliding exponentially from f0 to f1 over glide seconds, shaped by
// a raised-cosine rise over attack seconds and an exponential decay.
void AddGlide(MonoSound& sound, double start, double f0, double f1, double glide, float amplitude,
              double attack, double tau);

// White noise shaped by a rise over attack and a decay with tau, then sent
// through the filter (so a resonant filter rings on); cut off after length
// seconds.
void AddNoiseBurst(MonoSound& sound, double start, double length, Biquad filter, float amplitude,
                   double attack, double tau, Rng& rng);

// A struck bell: a sine carrier modulated at ratio times its frequency, the
// modulation index and the level both decaying (the index faster).
void AddBell(MonoSound& sound, double start, double frequency, float amplitude, double ratio, double index,
             double tau);

}  // namespace tones
