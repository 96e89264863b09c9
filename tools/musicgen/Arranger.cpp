#include "tools/musicgen/Arranger.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "tools/musicgen/Melody.h"

namespace {

std::vector<std::string> Bars(std::string_view pattern) {
  std::vector<std::string> bars(1);
  for (char c : pattern) {
    if (c == '|')
      bars.emplace_back();
    else if (c != ' ')
      bars.back().push_back(c);
  }
  for (const std::string& bar : bars)
    if (bar.empty()) throw std::invalid_argument("empty bar in pattern " + std::string(pattern));
  return bars;
}

float DrumVelocity(char c) {
  switch (c) {
    case 'X':
      return 1.0F;
    case 'x':
      return 0.7F;
    case 'o':
      return 0.4F;
    default:
      throw std::invalid_argument(std::string("bad drum step ") + c);
  }
}

}  // namespace

Arranger::Arranger(const Harmony& harmony, std::uint64_t seed) : harmony_(harmony), rng_(seed) {}

void Arranger::Add(double beat, double beats, int midi, float velocity, const PartStyle& style) {
  const float human = 1.0F + 0.06F * rng_.Bipolar();
  events_.push_back({beat, beats, midi, std::clamp(velocity * human, 0.0F, 1.0F), style});
}

void Arranger::Melody(std::string_view notes, int baseMidi, const PartStyle& style, double legato) {
  const std::vector<Melody::Note> parsed = Melody::Parse(notes, harmony_.BeatsPerBar());
  if (parsed.empty() || std::fabs(parsed.back().beat + parsed.back().beats - harmony_.Beats()) > 1e-6)
    throw std::invalid_argument("the melody is not as long as the harmony");
  for (const Melody::Note& note : parsed) {
    if (note.rest) continue;
    const bool downbeat = std::fmod(note.beat, harmony_.BeatsPerBar()) < 1e-6;
    const int midi = harmony_.DegreeToMidi(note.degree, note.accidental, baseMidi);
    Add(note.beat, note.beats * legato, midi, downbeat ? 0.9F : 0.78F, style);
  }
}

std::vector<Arranger::Step> Arranger::Steps(std::string_view pattern) const {
  const std::vector<std::string> bars = Bars(pattern);
  std::vector<Step> steps;
  const int beatsPerBar = harmony_.BeatsPerBar();
  for (int b = 0; b < harmony_.Bars(); ++b) {
    const std::string& bar = bars[static_cast<std::size_t>(b) % bars.size()];
    const double stepBeats = static_cast<double>(beatsPerBar) / static_cast<double>(bar.size());
    for (std::size_t i = 0; i < bar.size(); ++i) {
      const double beat = b * beatsPerBar + static_cast<double>(i) * stepBeats;
      if (bar[i] == '-' && !steps.empty())
        steps.back().beats += stepBeats;
      else if (bar[i] != '-')
        steps.push_back({beat, stepBeats, bar[i]});
    }
  }
  std::erase_if(steps, [](const Step& s) { return s.symbol == '.'; });
  return steps;
}

std::vector<int> Arranger::PitchesFor(char symbol, const Harmony::Chord& chord, int low) const {
  const int root = harmony_.Place(chord.root, low);
  const std::vector<int>& iv = chord.intervals;
  switch (std::toupper(static_cast<unsigned char>(symbol))) {
    case 'R':
      return {root};
    case 'T':
      return {root + iv[1]};
    case 'F':
      return {root + iv[2]};
    case 'S':
      return {root + (iv.size() > 3 ? iv[3] : 12)};
    case 'O':
      return {root + 12};
    default:
      break;
  }
  std::vector<int> voicing;
  for (int interval : iv) voicing.push_back(harmony_.Place(chord.root + interval, low));
  std::sort(voicing.begin(), voicing.end());
  if (symbol == 'C' || symbol == 'c') return voicing;
  if (std::isdigit(static_cast<unsigned char>(symbol)) == 0)
    throw std::invalid_argument(std::string("bad step ") + symbol);
  const auto k = static_cast<std::size_t>(symbol - '0');
  return {voicing[k % voicing.size()] + 12 * static_cast<int>(k / voicing.size())};
}

void Arranger::Chords(std::string_view pattern, int low, const PartStyle& style) {
  for (const Step& step : Steps(pattern)) {
    const bool soft = std::islower(static_cast<unsigned char>(step.symbol)) != 0;
    const bool digit = std::isdigit(static_cast<unsigned char>(step.symbol)) != 0;
    const float velocity = digit ? 0.75F : (soft ? 0.6F : 0.9F);
    for (int midi : PitchesFor(step.symbol, harmony_.ChordAt(step.beat), low))
      Add(step.beat, step.beats * 0.95, midi, velocity, style);
  }
}

void Arranger::Drums(std::string_view pattern, int midi, const PartStyle& style) {
  for (const Step& step : Steps(pattern)) Add(step.beat, step.beats, midi, DrumVelocity(step.symbol), style);
}

void Arranger::DrumsOnRoot(std::string_view pattern, int low, const PartStyle& style) {
  for (const Step& step : Steps(pattern)) {
    const int midi = harmony_.Place(harmony_.ChordAt(step.beat).root, low);
    Add(step.beat, step.beats, midi, DrumVelocity(step.symbol), style);
  }
}

std::string Arranger::OnceEvery(int bars, std::string_view firstBar) {
  std::string pattern(firstBar);
  for (int b = 1; b < bars; ++b) pattern += "|" + std::string(firstBar.size(), '.');
  return pattern;
}

Song Arranger::ToSong(const char* file, const char* mood, double bpm) const {
  Song song;
  song.file = file;
  song.mood = mood;
  song.bpm = bpm;
  song.beats = harmony_.Beats();
  song.events = events_;
  return song;
}
