#include "tools/musicgen/Melody.h"

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

double Melody::ParseBeats(const std::string& text) {
  const std::size_t slash = text.find('/');
  std::size_t used = 0;
  if (slash == std::string::npos) {
    const double beats = std::stod(text, &used);
    if (used != text.size() || beats <= 0) throw std::invalid_argument("bad duration: " + text);
    return beats;
  }
  const double num = std::stod(text.substr(0, slash));
  const double den = std::stod(text.substr(slash + 1));
  if (num <= 0 || den <= 0) throw std::invalid_argument("bad duration: " + text);
  return num / den;
}

Melody::Note Melody::ParseToken(const std::string& token) {
  Note note;
  const std::size_t colon = token.find(':');
  std::string pitch = token.substr(0, colon);
  if (colon != std::string::npos) note.beats = ParseBeats(token.substr(colon + 1));
  if (pitch == "r") {
    note.rest = true;
    return note;
  }
  if (!pitch.empty() && (pitch[0] == '#' || pitch[0] == 'b')) {
    note.accidental = pitch[0] == '#' ? 1 : -1;
    pitch.erase(0, 1);
  }
  std::size_t used = 0;
  note.degree = std::stoi(pitch, &used);
  if (used != pitch.size()) throw std::invalid_argument("bad note: " + token);
  return note;
}

std::vector<Melody::Note> Melody::Parse(std::string_view text, int beatsPerBar) {
  std::vector<Note> notes;
  std::istringstream in{std::string(text)};
  std::string token;
  double beat = 0.0;
  double barStart = 0.0;
  const auto checkBar = [&] {
    if (std::fabs(beat - barStart - beatsPerBar) > 1e-6)
      throw std::invalid_argument("bar at beat " + std::to_string(barStart) + " holds " +
                                  std::to_string(beat - barStart) + " beats");
    barStart = beat;
  };
  while (in >> token) {
    if (token == "|") {
      checkBar();
      continue;
    }
    Note note = ParseToken(token);
    note.beat = beat;
    beat += note.beats;
    notes.push_back(note);
  }
  checkBar();
  return notes;
}
