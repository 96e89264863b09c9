// The music player on a loopback device, driven by an injected clock and
// direct ticks: requests it ignores (a track that cannot be opened among
// them, reported), linear cross-fades (also when one is cut short), switching at once
// without a fade, the follow-up after a track played once, ticks while sound
// is off, and the polling thread.

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "framework/FileAlerts.h"
#include "sound/SoundError.h"
#include "sound/YMusicPlayer.h"
#include "tests/support/TestSupport.h"
#include "tests/framework/LogCapture.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/sound/StreamTestSource.h"

namespace {

// Tracks are 0.2 s of a constant level, "short" ones 0.05 s; "broken" ones
// cannot be opened.
std::unique_ptr<StreamSource> OpenTrack(const std::string& name) {
  if (name.find("broken") != std::string::npos) throw SoundError("Could not open Ogg file.");
  int frames = name.find("short") != std::string::npos ? 2205 : 8820;
  return std::make_unique<sound_test::GeneratedSource>(platform::PcmFormat{1, 44100, 16}, frames,
                                                       [](int) { return std::int16_t{8000}; });
}

class YMusicPlayerTest : public sound_test::LoopbackTest {
 protected:
  void SetUp() override {
    EnableSound(true);
    LoopbackTest::SetUp();
    for (const char* name : {"0_loop.ogg", "1_loop.ogg", "2_short.ogg", "3_broken.ogg", "notes.txt"})
      testing_support::WriteFile(dir_.File(name), "");
    player_.ScanFolder(dir_.Str());
  }
  void TickAfter(std::uint32_t ms) {
    now_ += ms;
    player_.Tick();
  }
  float Volume(int slot) { return player_.Slot(slot).Volume(); }
  bool Playing(int slot) { return player_.Slot(slot).IsPlaying(); }
  void Pump(int frames) { sound_test::Pump({&player_.Slot(0), &player_.Slot(1)}, frames); }

  testing_support::ScopedTempDir dir_;
  std::uint32_t now_ = 5000;
  YMusicPlayer player_{{[this] { return now_; }, OpenTrack, false}};
};

TEST_F(YMusicPlayerTest, IgnoresRequestsItCannotCarryOut) {
  const std::string at = dir_.Str() + "\\";
  EXPECT_EQ(player_.Playlist(), (std::vector<std::string>{at + "0_loop.ogg", at + "1_loop.ogg",
                                                          at + "2_short.ogg", at + "3_broken.ogg"}));
  for (auto [track, followUp] : {std::pair{4, -1}, {-1, -1}, {1, 4}}) player_.SelectTrackAt(track, followUp, 1.0f);
  TickAfter(100);
  EXPECT_EQ(player_.CurrentTrack(), -1);
  player_.SelectTrack(0, 0.0f);
  TickAfter(100);
  player_.SelectTrack(0, 1.0f);  // the current track
  TickAfter(100);
  EXPECT_FALSE(Playing(1));
  LogCapture log;
  FileAlerts::Reset();
  player_.SelectTrack(3, 1.0f);  // cannot be opened: logged once, dropped
  for (int i = 0; i < 3; ++i) TickAfter(100);
  std::vector<std::string> lines = log.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "OpenAL error: Could not open Ogg file."), 1);
  EXPECT_EQ(FileAlerts::TakeFailedFiles(), std::vector<std::string>{at + "3_broken.ogg"});
  EXPECT_EQ(player_.CurrentTrack(), 0);
  EXPECT_FLOAT_EQ(Volume(0), 1.0f);
}

// Only plain files join the playlist: a pipe would hold the polling thread
// (and the exit that waits for it), a folder cannot be played.
TEST_F(YMusicPlayerTest, ListsOnlyPlainFilesAndReportsAMissingFolder) {
  testing_support::ScopedTempDir music;
  testing_support::WriteFile(music.File("b.ogg"), "");
  ASSERT_EQ(mkfifo(music.File("a.ogg").c_str(), 0600), 0);
  std::filesystem::create_directory(music.Path() / "c.ogg");
  YMusicPlayer player{{[this] { return now_; }, OpenTrack, false}};
  LogCapture log;
  player.ScanFolder(music.Str());
  EXPECT_EQ(player.Playlist(), std::vector<std::string>{music.Str() + "\\b.ogg"});
  player.ScanFolder(music.File("gone"));
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Music folder " + music.File("gone") + " is missing"});
  EXPECT_EQ(player.Playlist().size(), 1u);
}

TEST_F(YMusicPlayerTest, CrossFadesLinearly) {
  player_.SelectTrack(0, 1.0f);
  TickAfter(100);
  EXPECT_TRUE(Playing(0));
  EXPECT_FLOAT_EQ(Volume(0), 0.0f);
  TickAfter(1000);
  player_.SelectTrack(1, 1.0f);
  TickAfter(100);  // track 1 starts on slot 1 from silence, slot 0 starts to fade out
  struct Step {
    std::uint32_t ms;
    float old, fresh;
  } steps[] = {{0, 1.0f, 0.0f},    {250, 0.75f, 0.25f}, {20, 0.75f, 0.25f} /* under 50 ms: no step */,
               {250, 0.48f, 0.52f}, {400, 0.08f, 0.92f}, {250, 0.0f, 1.0f}};
  for (const Step& step : steps) {
    if (step.ms) TickAfter(step.ms);
    EXPECT_NEAR(Volume(0), step.old, 1e-4) << now_;
    EXPECT_NEAR(Volume(1), step.fresh, 1e-4) << now_;
  }
  EXPECT_FALSE(Playing(0));
  EXPECT_EQ(player_.CurrentTrack(), 1);
}

TEST_F(YMusicPlayerTest, SwitchesAtOnceWithoutFadeAndStartsNewTracksSilent) {
  player_.SelectTrack(0, 0.0f);
  TickAfter(100);
  EXPECT_FLOAT_EQ(Volume(0), 1.0f);
  player_.SelectTrack(1, 1.0f);
  TickAfter(100);
  TickAfter(500);  // both slots at 0.5
  // A request during the cross-fade replaces slot 1's track: it starts from
  // silence, and slot 0 fades on from where it is.
  player_.SelectTrack(2, 1.0f);
  TickAfter(100);
  EXPECT_FLOAT_EQ(Volume(1), 0.0f);
  EXPECT_NEAR(Volume(0), 0.4f, 1e-4);
  TickAfter(100);
  EXPECT_NEAR(Volume(0), 0.3f, 1e-4);
  EXPECT_NEAR(Volume(1), 0.1f, 1e-4);
  player_.SelectTrack(1, 0.0f);
  TickAfter(100);
  EXPECT_FLOAT_EQ(Volume(1), 1.0f);
  EXPECT_TRUE(Playing(1));
  EXPECT_FALSE(Playing(0));
}

TEST_F(YMusicPlayerTest, FollowUpFadesInAfterATrackPlayedOnceAndLoops) {
  player_.SelectTrackAt(2, 0, 0.0f);
  TickAfter(100);
  Pump(8192);
  EXPECT_FALSE(Playing(0));
  EXPECT_EQ(player_.CurrentTrack(), 2);  // the follow-up waits for the next tick
  TickAfter(100);
  EXPECT_EQ(player_.CurrentTrack(), 0);
  EXPECT_FLOAT_EQ(Volume(0), 0.0f);
  TickAfter(500);
  EXPECT_NEAR(Volume(0), 0.5f, 1e-4);
  Pump(44100);
  EXPECT_TRUE(Playing(0));
}

TEST_F(YMusicPlayerTest, EndOfATrackNoLongerCurrentStartsNoFollowUp) {
  player_.SelectTrackAt(2, 0, 0.0f);
  TickAfter(100);
  player_.SelectTrackAt(1, 0, 1.0f);  // 1 plays once on slot 1 while 2 fades out
  TickAfter(100);
  Pump(4096);
  EXPECT_FALSE(Playing(0));
  TickAfter(100);
  EXPECT_EQ(player_.CurrentTrack(), 1);
}

TEST_F(YMusicPlayerTest, TicksWaitWhileSoundIsOff) {
  player_.SelectTrack(0, 1.0f);
  TickAfter(100);
  EnableSound(false);
  player_.SelectTrack(1, 1.0f);
  TickAfter(100);
  EXPECT_EQ(player_.CurrentTrack(), 0);
  EXPECT_FLOAT_EQ(Volume(0), 0.0f);
  now_ += 5000;
  EnableSound(true);
  TickAfter(0);  // the whole pause counts: the fade-in is over at once
  EXPECT_FLOAT_EQ(Volume(0), 1.0f);
  EXPECT_EQ(player_.CurrentTrack(), 1);
}

TEST_F(YMusicPlayerTest, PollingThreadTicksAndEndsWithThePlayer) {
  YMusicPlayer player({{}, OpenTrack, true});
  player.ScanFolder(dir_.Str());
  player.SelectTrack(0, 0.2f);
  for (int i = 0; i < 100 && player.Slot(0).Volume() < 1.0f; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(player.CurrentTrack(), 0);
  EXPECT_FLOAT_EQ(player.Slot(0).Volume(), 1.0f);
}

}  // namespace
