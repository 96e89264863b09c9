#include "tools/musicgen/Mixdown.h"

#include <cmath>
#include <numbers>

#include "tools/musicgen/Instruments.h"
#include "tools/musicgen/Reverb.h"

namespace {

constexpr float kPeak = 0.85F;

double MidiToHz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

}  // namespace

Mixdown::Mixdown(const Song& song) : song_(song) {}

std::size_t Mixdown::Frames() const {
  const double seconds = song_.beats * 60.0 / song_.bpm + (song_.loop ? 0.0 : song_.tail);
  return static_cast<std::size_t>(std::lround(seconds * instruments::kRate));
}

void Mixdown::PlaceNotes(StereoBuffer& dry, StereoBuffer& send) const {
  const double framesPerBeat = 60.0 / song_.bpm * instruments::kRate;
  const double secondsPerBeat = 60.0 / song_.bpm;
  std::uint64_t index = 0;
  for (const NoteEvent& note : song_.events) {
    const std::vector<float> samples =
        instruments::Render(note.style.voice, MidiToHz(note.midi), note.beats * secondsPerBeat, note.velocity,
                            song_.seed * 1000003ULL + index++);
    // Constant-power panning, unity in the middle.
    const double angle = (note.style.pan + 1.0) * std::numbers::pi / 4.0;
    const auto left = static_cast<float>(std::cos(angle) * std::numbers::sqrt2 * note.style.level);
    const auto right = static_cast<float>(std::sin(angle) * std::numbers::sqrt2 * note.style.level);
    const auto start = static_cast<std::size_t>(std::lround(note.beat * framesPerBeat));
    dry.AddMono(start, samples, left, right, song_.loop);
    send.AddMono(start, samples, left * note.style.send, right * note.style.send, song_.loop);
  }
}

StereoBuffer Mixdown::Render() const {
  StereoBuffer dry(Frames());
  StereoBuffer send(Frames());
  PlaceNotes(dry, send);
  Reverb reverb(instruments::kRate, song_.reverbFeedback, song_.reverbDamp);
  dry.AddScaled(song_.loop ? reverb.ProcessLoop(send) : reverb.Process(send), song_.reverbWet);
  const float peak = dry.Peak();
  if (peak > 0.0F) dry.Scale(kPeak / peak);
  if (!song_.loop) {
    dry.FadeIn(static_cast<std::size_t>(0.005 * instruments::kRate));
    dry.FadeOut(static_cast<std::size_t>(std::min(song_.tail, 2.5) * instruments::kRate));
  }
  return dry;
}
