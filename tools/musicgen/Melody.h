// Reads a melody written as scale degrees with durations in beats:
// "1:1.5 2:.5 3 5 | 5:2 r:2". A token is an optional '#' or 'b', a degree
// (1 = tonic, 8 = the tonic an octave up, 0 and below go down) or 'r' for a
// rest, then ':' and the beats (a decimal or a fraction such as 1/3; one
// beat when left out). '|' marks a bar line; every bar must be full.
#pragma once

#include <string_view>
#include <vector>

class Melody {
 public:
  struct Note {
    double beat = 0.0;
    double beats = 1.0;
    int degree = 1;
    int accidental = 0;
    bool rest = false;
  };

  // Throws std::invalid_argument on a malformed token or a bar whose
  // notes do not add up to beatsPerBar.
  static std::vector<Note> Parse(std::string_view text, int beatsPerBar);

 private:
  static Note ParseToken(const std::string& token);
  static double ParseBeats(const std::string& text);
};
