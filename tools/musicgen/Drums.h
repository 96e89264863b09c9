// The drum kit of the music generator, all from sine sweeps and filtered
// noise: kick, snare, hi-hats, tom and timpani (both tuned to the given
// frequency), cymbal and shaker.
#pragma once

#include <vector>

#include "tools/musicgen/NoteEvent.h"
#include "tools/soundgen/Rng.h"

namespace drums {

// One hit of a drum voice at velocity 0..1; frequency matters only for
// the tuned drums. A pitched voice given here renders silence.
std::vector<float> Render(Voice voice, double frequency, float velocity, Rng& rng);

}  // namespace drums
