// One finished composition: its notes and how it is to be mixed and
// written (tempo, loop or once, reverb, file name).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/musicgen/NoteEvent.h"

struct Song {
  std::string file;  // the file name in the music folder
  std::string mood;  // for the report
  double bpm = 120.0;
  double beats = 0.0;  // the written length; a loop is exactly this long
  bool loop = true;
  double tail = 0.0;  // once-tracks: seconds of ring after the music, faded out
  double reverbFeedback = 0.84;
  double reverbDamp = 0.3;
  float reverbWet = 1.0F;
  std::uint64_t seed = 1;
  std::vector<NoteEvent> events;
};
