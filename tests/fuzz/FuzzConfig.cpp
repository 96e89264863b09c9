// Arbitrary bytes as the user's "config.yml": loaded, saved and loaded
// again, the settings must be the same (volumes to the six digits the file
// keeps; a text that holds both kinds of quote cannot be written whole),
// and the file saved must not change by another load and save.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/Init.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::filesystem::path g_user;  // the user folder the configuration lives in

struct Settings {
  bool fullscreen, maximized, fps, shadows;
  std::string videoMode;
  std::int32_t width, height, textureScale;
  float sound, music;
  bool operator==(const Settings&) const = default;
};

Settings Read(const Init& init) {
  return {init.fullscreen,  init.maximized,    init.fps,       init.shadows,     init.videoMode,
          init.windowWidth, init.windowHeight, g_textureScale, init.soundVolume, init.musicVolume};
}

bool HoldsBothQuotes(const std::string& text) {
  return text.find('"') != std::string::npos && text.find('\'') != std::string::npos;
}

bool Same(const Settings& a, const Settings& b) {
  const bool mode = a.videoMode == b.videoMode || HoldsBothQuotes(a.videoMode);
  return a.fullscreen == b.fullscreen && a.maximized == b.maximized && a.fps == b.fps &&
         a.shadows == b.shadows && mode && a.width == b.width && a.height == b.height &&
         a.textureScale == b.textureScale && std::fabs(a.sound - b.sound) <= 1e-6f &&
         std::fabs(a.music - b.music) <= 1e-6f;
}

std::string ReadConfigFile() {
  std::ifstream in(g_user / "config.yml", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A configuration object as a new run of the program builds it, loaded.
Settings LoadAndSave(std::string& written) {
  Init init;
  init.appData = fuzz::ScratchFolder().string();
  init.Load("config.yml");
  const Settings settings = Read(init);
  if (!init.SaveFile()) std::abort();
  written = ReadConfigFile();
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_user = fuzz::ScratchFolder() / "QuennelVarrick";
  std::filesystem::create_directories(g_user);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteBytes(g_user / "config.yml", data, size);
  std::string first, second, third;
  const Settings loaded = LoadAndSave(first);
  const Settings reloaded = LoadAndSave(second);
  if (!Same(loaded, reloaded) || LoadAndSave(third) != reloaded) std::abort();
  // A value that held both kinds of quote was written with apostrophes
  // only; from then on the file stays as it is.
  if (first != second && first.find('\'') == std::string::npos) std::abort();
  if (second != third) std::abort();
  return 0;
}
