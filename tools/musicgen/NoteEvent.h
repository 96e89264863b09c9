// The music generator's score: the instruments it can play and one note (or
// drum hit) of a track, placed in beats.
#pragma once

enum class Voice {
  // Pitched instruments.
  Pluck,
  Bell,
  Brass,
  Strings,
  StringsShort,
  StringsLead,
  Flute,
  Bass,
  Choir,
  // Drums (Tom and Timpani take the note's pitch).
  Kick,
  Snare,
  Hat,
  OpenHat,
  Tom,
  Timpani,
  Cymbal,
  Shaker,
};

// How a part is played: its instrument, loudness, place in the stereo field
// (-1 left .. 1 right) and how much of it goes to the reverb.
struct PartStyle {
  Voice voice = Voice::Pluck;
  float level = 1.0F;
  float pan = 0.0F;
  float send = 0.2F;
};

struct NoteEvent {
  double beat = 0.0;   // start, in beats from the start of the track
  double beats = 0.0;  // how long the note is held
  int midi = 60;       // pitch as a MIDI note number (60 = middle C)
  float velocity = 1.0F;
  PartStyle style;
};
