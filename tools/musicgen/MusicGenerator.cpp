// Generates the game's nine music tracks into the folder given on the
// command line, as 44100 Hz stereo Ogg Vorbis files whose sorted names give
// the order the game selects them by. The tracks are rendered in parallel;
// each is deterministic. With --report it prints each track's length, peak
// and, for loops, how smoothly the end runs into the start.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tools/musicgen/BattleTracks.h"
#include "tools/musicgen/Instruments.h"
#include "tools/musicgen/Mixdown.h"
#include "tools/musicgen/PeaceTracks.h"
#include "tools/soundgen/OggVorbisWriter.h"

namespace {

constexpr float kQuality = 0.3F;

struct Result {
  bool ok = false;
  std::string line;  // the report line
};

// The step from the last frame to the first against the steps between
// neighbouring frames inside the track: their mean, their largest, and the
// share of them that are smaller than the seam's.
std::string SeamReport(const StereoBuffer& track) {
  double seam = 0.0;
  for (int c = 0; c < 2; ++c)
    seam = std::max(seam, static_cast<double>(std::fabs(track.Channel(c).front() - track.Channel(c).back())));
  double sum = 0.0;
  double largest = 0.0;
  std::size_t smaller = 0;
  for (int c = 0; c < 2; ++c) {
    const std::vector<float>& x = track.Channel(c);
    for (std::size_t i = 1; i < x.size(); ++i) {
      const double step = std::fabs(x[i] - x[i - 1]);
      sum += step;
      largest = std::max(largest, step);
      smaller += step < seam ? 1 : 0;
    }
  }
  const double steps = 2.0 * static_cast<double>(track.Frames() - 1);
  char text[200];
  std::snprintf(text, sizeof text,
                "  seam step %.5f, mean step %.5f (ratio %.2f), largest %.4f, seam above %.1f%% of steps",
                seam, sum / steps, seam * steps / sum, largest, 100.0 * static_cast<double>(smaller) / steps);
  return text;
}

Result Generate(const Song& song, const std::string& folder, int serial) {
  Result result;
  try {
    const StereoBuffer track = Mixdown(song).Render();
    result.ok = OggVorbisWriter::WriteFile(folder + "/" + song.file, track.Channels(), instruments::kRate,
                                           kQuality, serial);
    char text[240];
    std::snprintf(text, sizeof text, "%-17s %6.2f s %-5s peak %.3f  %s", song.file.c_str(),
                  static_cast<double>(track.Frames()) / instruments::kRate, song.loop ? "loop" : "once",
                  track.Peak(), song.mood.c_str());
    result.line = text + (song.loop ? "\n" + SeamReport(track) : std::string());
  } catch (const std::exception& e) {
    result.line = song.file + ": " + e.what();
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--report")) {
    std::fprintf(stderr, "usage: %s <music folder> [--report]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::vector<std::function<Song()>> tracks{
      peace_tracks::Menu,      peace_tracks::Panel,     peace_tracks::Finale,
      peace_tracks::Board,     battle_tracks::DuelEven, battle_tracks::DuelLow,
      battle_tracks::DuelHigh, battle_tracks::Victory,  battle_tracks::Defeat,
  };
  std::vector<Result> results(tracks.size());
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < tracks.size(); ++i)
    workers.emplace_back([&, i] {
      try {
        results[i] = Generate(tracks[i](), folder, 0x5177 + static_cast<int>(i));
      } catch (const std::exception& e) {
        results[i].line = e.what();
      }
    });
  for (std::thread& worker : workers) worker.join();
  bool ok = true;
  for (const Result& result : results) {
    if (!result.ok) std::fprintf(stderr, "music: %s\n", result.line.c_str());
    if (argc == 3 && result.ok) std::printf("%s\n", result.line.c_str());
    ok = ok && result.ok;
  }
  return ok ? 0 : 1;
}
