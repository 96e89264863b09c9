// Generates the game's sound effects into the folder given on the command
// line: mono 16-bit WAV files at 44100 Hz, and one Ogg Vorbis file. With
// --report it prints each file's length and peak.
#include <cmath>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tools/soundgen/MonoSound.h"
#include "tools/soundgen/MotionEffects.h"
#include "tools/soundgen/OggVorbisWriter.h"
#include "tools/soundgen/SpellEffects.h"
#include "tools/soundgen/UiEffects.h"
#include "tools/soundgen/VoiceEffects.h"
#include "tools/soundgen/WavWriter.h"

namespace {

struct Effect {
  const char* file;  // the extension chooses the format
  std::function<MonoSound()> make;
  float peak;  // the normalised peak, below full scale
};

std::vector<Effect> Effects() {
  using namespace ui_effects;
  using namespace motion_effects;
  using namespace spell_effects;
  using namespace voice_effects;
  return {
      {"tuc.wav", Tuc, 0.6F},
      {"tuc2.wav", Tuc2, 0.55F},
      {"walk1.wav", [] { return Walk(0); }, 0.7F},
      {"walk2.wav", [] { return Walk(1); }, 0.7F},
      {"walk3.wav", [] { return Walk(2); }, 0.7F},
      {"fly.wav", Fly, 0.7F},
      {"teleport.wav", Teleport, 0.7F},
      {"clock.wav", Clock, 0.6F},
      {"shuffle.wav", Shuffle, 0.6F},
      {"s_skip.wav", Skip, 0.55F},
      {"s_spell.wav", Spell, 0.75F},
      {"s_reflex.wav", Reflex, 0.7F},
      {"s_fire.wav", Fire, 0.8F},
      {"s_water.wav", Water, 0.7F},
      {"s_air.wav", Air, 0.7F},
      {"s_earth.wav", Earth, 0.85F},
      {"combat.ogg", Combat, 0.85F},
      {"laugh.wav", Laugh, 0.75F},
      {"sell.wav", Sell, 0.65F},
      {"buy.wav", Buy, 0.65F},
  };
}

bool EndsWith(const std::string& s, const char* suffix) {
  const std::string tail(suffix);
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool Write(const MonoSound& sound, const std::string& path) {
  if (!EndsWith(path, ".ogg")) return WriteWav(sound, path);
  constexpr float kQuality = 0.5F;
  constexpr int kSerial = 0x5176;
  return OggVorbisWriter::WriteFile(path, std::span(&sound.Samples(), 1), sound.Rate(), kQuality, kSerial);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--report")) {
    std::fprintf(stderr, "usage: %s <sound folder> [--report]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool report = argc == 3;
  bool ok = true;
  for (const Effect& effect : Effects()) {
    MonoSound sound = effect.make();
    sound.FadeEnds(0.003, 0.006);
    sound.NormalizePeak(effect.peak);
    const std::string path = folder + "/" + effect.file;
    if (!Write(sound, path)) {
      std::fprintf(stderr, "could not write %s\n", path.c_str());
      ok = false;
    }
    if (report)
      std::printf("%-14s %5.3f s  peak %5.3f (%5.1f dBFS)\n", effect.file, sound.Seconds(), sound.Peak(),
                  20.0 * std::log10(sound.Peak()));
  }
  return ok ? 0 : 1;
}
