#include "tools/musicgen/Harmony.h"

#include <array>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr std::array<int, 7> kMajor{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> kMinor{0, 2, 3, 5, 7, 8, 10};

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  parts.push_back(part);
  return parts;
}

}  // namespace

Harmony::Harmony(int tonicMidi, Mode mode, int beatsPerBar, std::string_view chords)
    : tonic_(tonicMidi), mode_(mode), beatsPerBar_(beatsPerBar) {
  std::istringstream in{std::string(chords)};
  std::string bar;
  while (in >> bar) {
    if (bar == "|") continue;
    const std::vector<std::string> parts = Split(bar, ',');
    for (std::size_t p = 0; p < parts.size(); ++p) {
      const double beat = bars_ * beatsPerBar + beatsPerBar * static_cast<double>(p) / parts.size();
      spans_.push_back({beat, ParseChord(parts[p])});
    }
    ++bars_;
  }
  if (bars_ == 0) throw std::invalid_argument("no chords");
}

int Harmony::ScaleStep(int index) const {
  const auto& scale = mode_ == Mode::Major ? kMajor : kMinor;
  const int octave = FloorDiv(index, 7);
  return scale[static_cast<std::size_t>(index - 7 * octave)] + 12 * octave;
}

Harmony::Chord Harmony::ParseChord(std::string_view token) const {
  std::size_t i = 0;
  int accidental = 0;
  if (i < token.size() && (token[i] == 'b' || token[i] == '#')) accidental = token[i++] == 'b' ? -1 : 1;
  if (i >= token.size() || token[i] < '1' || token[i] > '7')
    throw std::invalid_argument("bad chord: " + std::string(token));
  const int index = token[i++] - '1';
  const char quality = i < token.size() && token[i] != '7' ? token[i++] : ' ';
  bool seventh = false;
  if (i < token.size() && token[i] == '7') {
    seventh = true;
    ++i;
  }
  if (i != token.size() || (quality != ' ' && quality != 'M' && quality != 'm' && quality != 'd'))
    throw std::invalid_argument("bad chord: " + std::string(token));
  const int root = ScaleStep(index) + accidental;
  const auto fromScale = [&](int up) { return ScaleStep(index + up) - ScaleStep(index); };
  Chord chord;
  chord.root = ((root % 12) + 12) % 12;
  const int third = quality == 'M' ? 4 : (quality == ' ' ? fromScale(2) : 3);
  const int fifth = quality == 'd' ? 6 : (quality == ' ' ? fromScale(4) : 7);
  chord.intervals = {0, third, fifth};
  if (seventh) chord.intervals.push_back(fromScale(6));
  return chord;
}

const Harmony::Chord& Harmony::ChordAt(double beat) const {
  const double beats = Beats();
  const double b = beat - beats * std::floor(beat / beats);
  const Span* found = &spans_.front();
  for (const Span& span : spans_)
    if (span.beat <= b + 1e-9) found = &span;
  return found->chord;
}

int Harmony::DegreeToMidi(int degree, int accidental, int baseMidi) const {
  return baseMidi + ScaleStep(degree - 1) + accidental;
}

int Harmony::Place(int offsetFromTonic, int low) const {
  const int pitchClass = tonic_ + offsetFromTonic;
  return low + (((pitchClass - low) % 12) + 12) % 12;
}
