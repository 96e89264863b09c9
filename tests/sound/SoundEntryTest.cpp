// Named sounds on a loopback device: variants handed out in file order,
// at most seven voices, quiet requests ignored, and all starts of a frame
// beginning together at SoundFrame.

#include "sound/YSoundBuffer.h"
#include "sound/YSoundSource.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class SoundEntryTest : public sound_test::LoopbackTest {
 protected:
  // An entry of `variants` files of `frames` frames each.
  SoundEntry* MakeEntry(const std::string& name, int variants, int frames) {
    SoundEntry* entry = GetSound(name);
    for (int i = 0; i < variants; ++i) {
      std::string file = dir_.File(name + std::to_string(i) + ".wav");
      testing_support::WriteFile(file, sound_test::MonoWav(frames));
      entry->AddFile(file);
    }
    return entry;
  }
  static void PlayFull(SoundEntry* entry) { entry->Play({}, -1.0f, {}); }
  testing_support::ScopedTempDir dir_;
};

TEST_F(SoundEntryTest, VariantsGoToNewVoicesInFileOrder) {
  SoundEntry* entry = MakeEntry("three", 3, 4000);
  for (int i = 0; i < 4; ++i) PlayFull(entry);
  ASSERT_EQ(entry->VoiceCount(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(&entry->Voice(i).Source(), &entry->Variant(i % 3)) << i;
}

TEST_F(SoundEntryTest, SevenVoicesAtMostThenFreeOnesAreReused) {
  SoundEntry* entry = MakeEntry("single", 1, 441);
  for (int i = 0; i < 8; ++i) PlayFull(entry);
  EXPECT_EQ(entry->VoiceCount(), SoundEntry::kMaxVoices);
  EXPECT_EQ(entry->GetFreeVoice(), nullptr);  // the eighth is dropped
  SoundFrame();
  Render(4410);  // every voice has played out
  YSoundSource* reused = entry->GetFreeVoice();
  ASSERT_NE(reused, nullptr);
  EXPECT_FALSE(reused->IsPlaying());
  EXPECT_EQ(entry->VoiceCount(), SoundEntry::kMaxVoices);
}

TEST_F(SoundEntryTest, VolumeDecidesWhetherAndHowLoud) {
  struct Case {
    float volume, voiceVolume;  // voice volume 0: nothing plays
  } cases[] = {{0.05f, 0}, {0.0f, 0}, {-1.0f, 1.0f}, {0.1f, 0.1f}, {0.7f, 0.7f}};
  for (const Case& c : cases) {
    SoundEntry* entry = MakeEntry("vol" + std::to_string(c.volume), 1, 441);
    entry->Play({1, 2, 3}, c.volume, {});
    ASSERT_EQ(entry->VoiceCount(), c.voiceVolume > 0 ? 1u : 0u) << c.volume;
    EXPECT_FLOAT_EQ(entry->VoiceCount() ? entry->Voice(0).Volume() : 0.0f, c.voiceVolume);
  }
  EXPECT_EQ(FindSound("undeclared"), nullptr);
  EXPECT_EQ(GetSound("empty")->GetFreeVoice(), nullptr);
}

TEST_F(SoundEntryTest, PlaysOfOneFrameStartTogetherAtSoundFrame) {
  SoundEntry* entry = MakeEntry("pair", 1, 2000);
  PlayFull(entry);
  SoundFrame();
  int single = std::abs(Render(1024).at(1000));  // well past the start's ramp
  ASSERT_GT(single, 100);
  Render(2048);  // played out

  PlayFull(entry);
  EXPECT_EQ(Render(1024), std::vector<std::int16_t>(2048, 0));  // queued only
  PlayFull(entry);
  ASSERT_EQ(entry->VoiceCount(), 2u);  // the queued voice counts as busy
  SoundFrame();
  EXPECT_NEAR(std::abs(Render(1024).at(1000)), 2 * single, single / 20);
}

}  // namespace
