// Writes a track's parts into a list of notes against its harmony: the
// melody from scale-degree text, and accompaniment from step patterns.
//
// A step pattern is one bar of characters ("R---F---"), or several bars
// separated by '|' that repeat in turn; each character is one equal step
// of the bar. For pitched parts: R, T, F, S, O play the chord's root,
// third, fifth, seventh (the octave when there is none) and the root an
// octave up, placed from the low note upwards; C plays the whole chord;
// a digit k plays the chord's k-th note counting upwards from the low
// note; lower-case letters play softer; '-' holds the previous note on;
// '.' is silence. For drums: X, x, o are loud, normal and soft hits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/musicgen/Harmony.h"
#include "tools/musicgen/NoteEvent.h"
#include "tools/musicgen/Song.h"
#include "tools/soundgen/Rng.h"

class Arranger {
 public:
  Arranger(const Harmony& harmony, std::uint64_t seed);

  // The melody (see Melody) with degree 1 at baseMidi; notes sound for
  // legato of their written length. It must fill the harmony's bars.
  void Melody(std::string_view notes, int baseMidi, const PartStyle& style, double legato);
  // A pitched part from a step pattern, its notes placed from low upwards.
  void Chords(std::string_view pattern, int low, const PartStyle& style);
  // A drum part from a step pattern, tuned to midi.
  void Drums(std::string_view pattern, int midi, const PartStyle& style);
  // A tuned drum part that follows the chord root, placed from low upwards.
  void DrumsOnRoot(std::string_view pattern, int low, const PartStyle& style);

  // A pattern that plays firstBar once every `bars` bars and rests between.
  static std::string OnceEvery(int bars, std::string_view firstBar);

  const std::vector<NoteEvent>& Events() const { return events_; }

  // The finished loop: the notes written so far, as long as the harmony, at
  // the tempo; the caller changes what differs from a looping track.
  Song ToSong(const char* file, const char* mood, double bpm) const;

 private:
  struct Step {
    double beat;
    double beats;  // the step and every '-' after it
    char symbol;
  };
  std::vector<Step> Steps(std::string_view pattern) const;
  std::vector<int> PitchesFor(char symbol, const Harmony::Chord& chord, int low) const;
  void Add(double beat, double beats, int midi, float velocity, const PartStyle& style);

  const Harmony& harmony_;
  Rng rng_;
  std::vector<NoteEvent> events_;
};
