// A track's key and chord progression. Chords are written one token per
// bar ("1 6 4 5"; "4,5" splits a bar evenly): a scale degree 1-7, an
// optional flat or sharp before it ("b7" is the chord on the lowered
// seventh), an optional quality after it (M major, m minor, d diminished;
// otherwise the scale decides) and an optional 7 for the seventh.
#pragma once

#include <string_view>
#include <vector>

class Harmony {
 public:
  enum class Mode { Major, Minor };

  struct Chord {
    int root = 0;                // semitones above the tonic, 0..11
    std::vector<int> intervals;  // semitones above the root: 0, third, fifth[, seventh]
  };

  // Throws std::invalid_argument on a malformed chord token.
  Harmony(int tonicMidi, Mode mode, int beatsPerBar, std::string_view chords);

  int BeatsPerBar() const { return beatsPerBar_; }
  int Bars() const { return bars_; }
  double Beats() const { return static_cast<double>(bars_) * beatsPerBar_; }
  // The chord sounding at a beat (beats past the end wrap round).
  const Chord& ChordAt(double beat) const;
  // The pitch of a scale degree (1 = the tonic at baseMidi; 8 an octave
  // up; 0 and below go down), raised or lowered by accidental semitones.
  int DegreeToMidi(int degree, int accidental, int baseMidi) const;
  // The lowest MIDI note at or above low with the given pitch class offset
  // from the tonic.
  int Place(int offsetFromTonic, int low) const;

 private:
  struct Span {
    double beat;
    Chord chord;
  };
  Chord ParseChord(std::string_view token) const;
  int ScaleStep(int index) const;  // semitones of scale index (0-based, any integer)

  int tonic_;
  Mode mode_;
  int beatsPerBar_;
  int bars_ = 0;
  std::vector<Span> spans_;
};
