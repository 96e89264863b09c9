// Helpers of the sound tests: WAV files built byte by byte, and a fixture
// that runs the sound system on a loopback device whose output the test
// renders and inspects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/YLock.h"
#include "platform/SoundDevice.h"
#include "sound/SoundEntry.h"
#include "sound/SoundSystem.h"
#include "tests/support/TestSupport.h"

namespace sound_test {

inline std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xff));
  return out;
}

// One chunk: id, size (the body's unless given), body, pad byte when odd.
inline std::string Chunk(const std::string& id, const std::string& body, std::uint32_t declared = 0) {
  return id + Le(declared ? declared : static_cast<std::uint32_t>(body.size()), 4) + body +
         std::string(body.size() % 2, '\0');
}

// A format chunk body cut or padded to `bytes` (16 standard, 18 with the extra size).
inline std::string FormatBody(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                              std::uint32_t tag = 1, std::size_t bytes = 16) {
  std::uint32_t align = channels * bits / 8;
  std::string body =
      Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * align, 4) + Le(align, 2) + Le(bits, 2);
  body.resize(bytes, '\0');
  return body;
}

inline std::string Riff(const std::string& chunks) {
  return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

// `frames` mono 16-bit frames of one constant sample value.
inline std::string ConstantPcm(int frames, std::uint16_t value) {
  std::string pcm;
  for (int i = 0; i < frames; ++i) pcm += Le(value, 2);
  return pcm;
}

// A mono 16-bit WAV file at 44100 Hz holding a constant 8000.
inline std::string MonoWav(int frames) {
  return Riff(Chunk("fmt ", FormatBody(1, 44100, 16)) + Chunk("data", ConstantPcm(frames, 8000)));
}

// The sound system on a loopback device with one named one-file sound,
// for the code that plays it; shut down again when it goes.
class OneSound {
 public:
  explicit OneSound(std::string name) : name_(std::move(name)) {
    std::string error;
    SoundInitOn(platform::SoundDevice::OpenLoopback(44100, error), error);
    testing_support::WriteFile(dir_.File("one.wav"), MonoWav(441));
    GetSound(name_)->AddFile(dir_.File("one.wav"));
  }
  ~OneSound() {
    ClearSounds();
    SoundShutdown();
  }
  // Voices started so far (each play within one frame takes a voice).
  std::size_t Plays() const { return FindSound(name_)->VoiceCount(); }

 private:
  testing_support::ScopedTempDir dir_;
  std::string name_;
};

// Runs the sound system on a loopback device for one test.
class LoopbackTest : public ::testing::Test {
 protected:
  // Both master volumes start full, whatever the configuration's defaults.
  void SetUp() override {
    SetEffectsVolume(1.0f);
    SetMusicVolume(1.0f);
    StartDevice();
  }
  void TearDown() override {
    ClearSounds();
    SoundShutdown();
  }

  static void StartDevice() {
    std::string error;
    auto device = platform::SoundDevice::OpenLoopback(44100, error);
    ASSERT_TRUE(device) << error;
    SoundInitOn(std::move(device), error);
  }

  // Renders `frames` stereo frames; returns the interleaved samples.
  static std::vector<std::int16_t> Render(int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    YLock hold(SoundLock());
    EXPECT_TRUE(GetSoundDevice() && GetSoundDevice()->Render(out));
    return out;
  }
};

}  // namespace sound_test
