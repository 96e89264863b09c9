// The music generator's instruments: each note is rendered on its own into
// a mono signal that starts at the note's onset and ends when its release
// (or ring) has died away.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/musicgen/NoteEvent.h"

namespace instruments {

inline constexpr int kRate = 44100;

// A note of the voice at frequency Hz, held for gate seconds, velocity
// 0..1. seed makes the noise parts of a note reproducible.
std::vector<float> Render(Voice voice, double frequency, double gate, float velocity, std::uint64_t seed);

}  // namespace instruments
