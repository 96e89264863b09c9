// A small hall reverb after Schroeder and Moorer: eight damped feedback
// combs in parallel and four all-passes in series per channel, the right
// channel's delays a little longer than the left's for width.
#pragma once

#include <vector>

#include "tools/musicgen/StereoBuffer.h"

class Reverb {
 public:
  // feedback (0..1) sets the decay time, damp (0..1) how fast the highs die.
  Reverb(int rate, double feedback, double damp);

  // The reverberated (wet) signal of the input, as long as the input; a
  // tail that would pass the end is cut (give the input room for it).
  StereoBuffer Process(const StereoBuffer& input);
  // For a looping input: the network runs over the input twice and the
  // second pass is returned, so the tail of the end has wrapped into the
  // start and the result loops without a seam.
  StereoBuffer ProcessLoop(const StereoBuffer& input);

 private:
  struct Comb {
    std::vector<float> line;
    std::size_t at = 0;
    float store = 0.0F;
  };
  struct AllPass {
    std::vector<float> line;
    std::size_t at = 0;
  };
  struct Channel {
    std::vector<Comb> combs;
    std::vector<AllPass> passes;
  };

  float Step(Channel& channel, float in);
  void Run(const StereoBuffer& input, StereoBuffer* output);

  float feedback_;
  float damp_;
  Channel channels_[2];
};
