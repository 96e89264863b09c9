// The sound system: the volume rule, a sound's device buffer made when it
// is first played, the device's life over SoundShutdown /
// SoundInit (buffers restored from kept PCM, pending starts dropped, one
// failing resource not stopping the others), and the lock that guards the
// device against threads that use it while the main thread switches it.

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "framework/FrameworkHooks.h"
#include "sound/SoundError.h"
#include "sound/SoundHooks.h"
#include "sound/YSoundBuffer.h"
#include "sound/YSoundSource.h"
#include "tests/framework/LogCapture.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(SoundAttenuationTest, FollowsTheVolumeRule) {
  struct Case {
    float master, own;
    int expected;
  } cases[] = {{1.0f, 1.0f, 0}, {0.5f, 1.0f, -2500}, {1.0f, 0.5f, -2500}, {0.0f, 1.0f, -5000},
               {0.3333f, 1.0f, -3333}, {0.8f, 0.5f, -3000}, {2.0f, 1.0f, 0}, {-1.0f, 1.0f, -5000}};
  for (const Case& c : cases) EXPECT_EQ(SoundAttenuation(c.master, c.own), c.expected) << c.master << " x " << c.own;
}

bool HasDeviceBuffer(const YSoundBuffer& buffer) {
  YLock hold(SoundLock());
  return buffer.DeviceBuffer() != nullptr;
}

int Peak(const std::vector<std::int16_t>& samples) {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

class SoundSystemTest : public sound_test::LoopbackTest {
 protected:
  SoundEntry* LoadEntry(const char* name) {
    testing_support::WriteFile(dir_.File("beep.wav"), sound_test::MonoWav(44100));
    SoundEntry* entry = GetSound(name);
    entry->AddFile(dir_.File("beep.wav"));
    entry->Play({}, -1.0f, {});
    return entry;
  }
  testing_support::ScopedTempDir dir_;
};

TEST_F(SoundSystemTest, ShutdownAndInitRestoreBuffersFromTheirFilesAndDropPendingStarts) {
  SoundEntry* entry = LoadEntry("restore");
  YSoundSource& voice = entry->Voice(0);
  ASSERT_TRUE(voice.IsPlaying());  // queued
  // The device holds the samples; memory does not.
  EXPECT_TRUE(entry->Variant(0).Data().empty());
  EXPECT_EQ(entry->Variant(0).PcmBytes(), 88200u);
  SoundShutdown();
  EXPECT_FALSE(HasDeviceBuffer(entry->Variant(0)) || voice.HasVoice() || voice.IsPlaying());

  StartDevice();
  EXPECT_TRUE(HasDeviceBuffer(entry->Variant(0)) && voice.HasVoice());
  SoundFrame();
  EXPECT_EQ(Peak(Render(1024)), 0);  // the dropped start stays dropped
  entry->Play({}, -1.0f, {});
  SoundFrame();
  int full = Peak(Render(1024));
  EXPECT_GT(full, 1000);
  SetEffectsVolume(0.5f);  // -2500: gain 10^(-1.25) on the playing voice
  Render(512);
  EXPECT_NEAR(Peak(Render(512)) / static_cast<float>(full), 0.0562f, 0.005f);
  SetEffectsVolume(1.0f);
}

TEST_F(SoundSystemTest, ASoundGetsItsDeviceBufferWhenFirstPlayed) {
  testing_support::WriteFile(dir_.File("beep.wav"), sound_test::MonoWav(44100));
  SoundEntry* entry = GetSound("unplayed");
  entry->AddFile(dir_.File("beep.wav"));
  EXPECT_FALSE(HasDeviceBuffer(entry->Variant(0)));
  entry->Play({}, -1.0f, {});
  SoundFrame();
  EXPECT_TRUE(HasDeviceBuffer(entry->Variant(0)));
  EXPECT_GT(Peak(Render(1024)), 1000);
}

TEST_F(SoundSystemTest, AWavFileGoneSinceLoadingLeavesItsSoundSilentOnTheNextDevice) {
  SoundEntry* entry = LoadEntry("vanishing");
  std::filesystem::remove(dir_.File("beep.wav"));
  SoundShutdown();
  LogCapture log;
  StartDevice();
  EXPECT_FALSE(HasDeviceBuffer(entry->Variant(0)));
  const std::vector<std::string> lines = log.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "OpenAL buffer error: " + dir_.File("beep.wav")), lines.end());
}

// A resource like a music stream: its own lock, then the sound lock, as
// the lock order says; it counts its calls and may fail to be created.
class TestResource : public YSoundResource, public SoundVolumeTarget {
 public:
  explicit TestResource(bool fails = false) : fails_(fails) { RegisterVolumeTarget(this); }
  ~TestResource() override { UnregisterVolumeTarget(this); }
  void Create() override {
    YLock own(lock_);
    if (fails_) throw SoundError("Broken resource");
    YLock sound(SoundLock());
    std::string error;
    const std::uint8_t pcm[4] = {};
    if (GetSoundDevice() && !buffer_) buffer_ = platform::SoundBuffer::Create(*GetSoundDevice(), {}, pcm, error);
  }
  void Release() override {
    YLock own(lock_);
    YLock sound(SoundLock());
    buffer_.reset();
  }
  void ApplyVolume() override { applied += SoundOn() ? 1 : 0; }
  bool HasBuffer() {
    YLock own(lock_);
    return buffer_ != nullptr;
  }
  std::atomic<int> applied{0};

 private:
  bool fails_;
  YCriticalSection lock_;
  std::unique_ptr<platform::SoundBuffer> buffer_;
};

TEST_F(SoundSystemTest, OneFailingResourceDoesNotStopTheOthers) {
  SoundShutdown();
  TestResource broken(true), healthy;
  LogCapture log;
  StartDevice();
  EXPECT_TRUE(healthy.HasBuffer());
  std::vector<std::string> lines = log.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "OpenAL init error: Broken resource"), lines.end());
}

TEST_F(SoundSystemTest, ThreadsUsingTheDeviceSurviveShutdownAndInit) {
  TestResource stream;
  std::atomic<bool> stop{false};
  std::thread refill([&] {
    while (!stop) stream.Create();
  });
  for (int i = 0; i < 20; ++i) {
    SoundShutdown();
    StartDevice();
    SetMusicVolume(0.5f);
  }
  stop = true;
  refill.join();
  SetMusicVolume(1.0f);
  EXPECT_EQ(stream.applied, 21);
  SoundShutdown();
  EXPECT_FALSE(stream.HasBuffer());
  StartDevice();
  EXPECT_TRUE(stream.HasBuffer());
}

TEST_F(SoundSystemTest, WindowHooksSwitchSoundAndReapplyVolumes) {
  TestResource stream;
  stream.Create();
  InstallSoundHooks();
  GetFrameworkHooks().enableSound(false);
  EXPECT_FALSE(SoundOn());
  GetFrameworkHooks().enableSound(true);
  EXPECT_TRUE(SoundOn());
  EXPECT_EQ(stream.applied, 1);
  GetFrameworkHooks().soundShutdown();
  EXPECT_FALSE(stream.HasBuffer());
  RemoveSoundHooks();
}

TEST(SoundDeviceMissingTest, LogsAndRunsSilently) {
  testing_support::ScopedTempDir dir;
  LogCapture log;
  SoundInitOn(nullptr, "");
  EXPECT_EQ(log.Lines().at(0), "OpenAL init error: Could not create OpenAL device.");
  testing_support::WriteFile(dir.File("a.wav"), sound_test::MonoWav(100));
  SoundEntry* entry = GetSound("silent");
  entry->AddFile(dir.File("a.wav"));
  entry->Play({}, -1.0f, {});
  EXPECT_FALSE(HasDeviceBuffer(entry->Variant(0)) || entry->Voice(0).IsPlaying());
  ClearSounds();
}

}  // namespace
