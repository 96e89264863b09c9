// The shipped sound effects and music, read by the game's own readers: every
// sound the game plays loads as mono 16-bit, and the nine tracks sort into
// the playlist order in one sample format.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "sound/OggStream.h"
#include "sound/SoundEntry.h"
#include "sound/SoundSystem.h"
#include "sound/YSoundBuffer.h"
#include "sound/YSoundLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(ShippedSound, EverySoundTheGameLooksUpLoadsAsMono16Bit) {
  testing_support::ScopedCwd cwd(QV_GAME_DIR);
  LogCapture log;
  LoadSounds("data\\sound_fx.yml");
  for (const std::string& line : log.Lines()) EXPECT_EQ(line.find("error"), std::string::npos) << line;
  std::vector<std::string> names = {"tuc",    "tuc2",    "walk",     "fly",    "teleport", "clock", "shuffle",
                                    "s_skip", "s_spell", "s_reflex", "combat", "laugh",    "sell",  "buy"};
  const std::string text = testing_support::ReadFile("data/sound_fx.yml");
  const std::regex declared("<sound name=\"([^\"]+)\"");
  std::size_t declaredCount = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), declared); it != std::sregex_iterator();
       ++it) {
    names.push_back((*it)[1].str());
    ++declaredCount;
  }
  // The sound device is opened for this many effects' voices.
  EXPECT_LE(declaredCount, static_cast<std::size_t>(kVoicedSounds));
  for (const std::string& name : names) {
    const SoundEntry* sound = FindSound(name);
    ASSERT_TRUE(sound && sound->VariantCount() > 0) << name;
    for (std::size_t i = 0; i < sound->VariantCount(); ++i)  // effects are placed in 3-D, so mono
      EXPECT_EQ(sound->Variant(i).Format(), (platform::PcmFormat{1, 44100, 16})) << name << " " << i;
  }
  EXPECT_EQ(FindSound("walk")->VariantCount(), 3u);
  ClearSounds();
}

// A music stream keeps the format of its first track.
TEST(ShippedMusic, NineTracksInOrderAndOneFormat) {
  std::vector<std::string> tracks;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(QV_GAME_DIR) / "music"))
    if (entry.path().extension() == ".ogg") tracks.push_back(entry.path().filename().string());
  std::sort(tracks.begin(), tracks.end());
  ASSERT_EQ(tracks.size(), 9U);
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    EXPECT_EQ(tracks[i].substr(0, 2), "0" + std::to_string(i));
    OggStream stream;
    stream.Open(std::string(QV_GAME_DIR) + "/music/" + tracks[i]);
    EXPECT_EQ(stream.Format(), (platform::PcmFormat{2, 44100, 16})) << tracks[i];
    EXPECT_GT(stream.TotalBytes(), 0) << tracks[i];
  }
}

}  // namespace
