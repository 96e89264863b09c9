// The sound layer on a loopback device: left-handed 3D placement, volumes,
// distance, starts held for the Commit, sample-exact streams, pause, refusals.
#include "platform/SoundDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

using namespace platform;
using Samples = std::vector<std::int16_t>;
constexpr int kRate = 44100;
constexpr PcmFormat kMono16{1, kRate, 16};
constexpr PcmFormat kStereo16{2, kRate, 16};

// 16-bit samples as little-endian bytes.
std::vector<std::uint8_t> Bytes(const Samples& samples) {
  std::vector<std::uint8_t> bytes;
  for (std::int16_t v : samples)
    bytes.insert(bytes.end(), {std::uint8_t(v & 0xFF), std::uint8_t(v >> 8 & 0xFF)});
  return bytes;
}

// Full-scale 1 kHz sine, mono.
Samples Sine(int frames) {
  Samples s(frames);
  for (int i = 0; i < frames; ++i)
    s[i] = static_cast<std::int16_t>(32767 * std::sin(2 * M_PI * 1000 * i / kRate));
  return s;
}

// Stereo frames numbered from `first`, every sample distinct.
Samples Ramp(int first, int frames) {
  Samples s;
  for (int f = first; f < first + frames; ++f) {
    s.push_back(static_cast<std::int16_t>(f % 20000 - 10000));
    s.push_back(static_cast<std::int16_t>(-(f % 15000)));
  }
  return s;
}

// Root mean square of one channel (0 left, 1 right), 1.0 = full-scale sine peak.
double Level(const Samples& s, int channel) {
  double sum = 0;
  for (std::size_t i = channel; i < s.size(); i += 2) sum += double(s[i]) * s[i];
  return std::sqrt(2 * sum / (s.size() / 2)) / 32768;
}

int FirstSound(const Samples& s, int channel) {
  for (std::size_t i = channel; i < s.size(); i += 2)
    if (s[i] != 0) return int(i / 2);
  return -1;
}

class SoundDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "null", 0);  // loopback needs no system driver
    device_ = SoundDevice::OpenLoopback(kRate, error_);
    ASSERT_NE(device_, nullptr) << error_;
    sine_ = SoundBuffer::Create(*device_, kMono16, Bytes(Sine(kRate / 10)), error_);
    ASSERT_NE(sine_, nullptr) << error_;
  }
  Samples Render(int frames) {
    Samples out(2 * frames);
    EXPECT_TRUE(device_->Render(out));
    return out;
  }
  std::unique_ptr<SoundVoice> Voice(Vector3f at, int volume = 0) {
    auto voice = SoundVoice::Create(*device_, *sine_, error_);
    voice->SetPosition(at);
    voice->SetVolume(volume);
    voice->Play(true);
    return voice;
  }
  // Level of both channels of a looping sine voice at `at`, after a Commit.
  std::pair<double, double> LevelsAt(Vector3f at, int volume = 0) {
    auto voice = Voice(at, volume);
    device_->Commit();
    const Samples out = Render(4410);
    return {Level(out, 0), Level(out, 1)};
  }

  std::string error_;
  std::unique_ptr<SoundDevice> device_;  // destroyed after everything made on it
  std::unique_ptr<SoundBuffer> sine_;
};

TEST_F(SoundDeviceTest, VolumeIsTenToTheHundredthsDbOverTwoThousand) {
  const std::pair<int, float> gains[] = {{0, 1},      {-2000, 0.1f}, {-2500, 0.05623f},
                                         {-10000, 0}, {300, 1},      {INT_MIN, 0}};
  for (auto [hundredths, gain] : gains)
    EXPECT_NEAR(GainFromHundredthsDb(hundredths), gain, 1e-4) << hundredths;
  // At the listener, both channels alike and scaled by the gain.
  const auto full = LevelsAt({0, 0, 0});
  const auto quiet = LevelsAt({0, 0, 0}, -2500);
  EXPECT_NEAR(full.first, full.second, 1e-3);
  EXPECT_NEAR(quiet.first / full.first, 0.0562, 0.001);
}

TEST_F(SoundDeviceTest, PanningFollowsLeftHandedCoordinates) {
  struct Case {
    Vector3f listenerAt, front, voiceAt;
    bool rightLouder;
  };
  const Case cases[] = {
      {{}, {0, 0, 1}, {2, 0, 0}, true},   {{}, {0, 0, 1}, {-2, 0, 0}, false},
      {{}, {0, 0, -1}, {2, 0, 0}, false}, {{}, {1, 0, 0}, {0, 0, -2}, true},
      {{}, {1, 0, 0}, {0, 0, 2}, false},  {{10, 0, 5}, {0, 0, 1}, {12, 0, 5}, true},
  };
  for (const Case& c : cases) {
    ListenerParams listener;
    listener.position = c.listenerAt;
    listener.front = c.front;
    device_->SetListener(listener, false);
    const auto [left, right] = LevelsAt(c.voiceAt);
    EXPECT_EQ(right > 2 * left, c.rightLouder)
        << c.voiceAt.x << "," << c.voiceAt.z << ": " << left << " " << right;
    EXPECT_EQ(left > 2 * right, !c.rightLouder);
  }
}

TEST_F(SoundDeviceTest, DistanceAndDopplerFollowTheListenersFactors) {
  struct Case {
    float distanceFactor, rolloff, distance, gain;
  };
  const Case cases[] = {
      {1, 1, 0.5f, 1}, {1, 1, 4, 0.25f}, {1, 0.5f, 3, 0.5f}, {1, 0, 100, 1}, {0.02f, 0.02f, 51, 0.5f}};
  const double reference = LevelsAt({0, 0, 1}).first;
  for (const Case& c : cases) {
    ListenerParams listener;
    listener.distanceFactor = c.distanceFactor;
    listener.rolloffFactor = c.rolloff;
    device_->SetListener(listener, true);  // deferred: takes effect at the Commit
    EXPECT_NEAR(LevelsAt({0, 0, c.distance}).first / reference, c.gain, 0.01) << c.distance;
  }
  // Doppler: velocities are in game units; with the last listener's 0.02 m
  // per unit, sound travels 17165 units/s.
  auto voice = Voice({0, 0, 10});
  voice->SetVelocity({0, 0, -17165.0f / 2});  // approaching at half the speed of sound
  device_->Commit();
  const Samples out = Render(kRate / 10);
  int crossings = 0;
  for (std::size_t i = 2; i < out.size(); i += 2) crossings += (out[i - 2] < 0) != (out[i] < 0);
  EXPECT_NEAR(crossings, 400, 4);  // 2 kHz for 0.1 s: pitch doubled
}

TEST_F(SoundDeviceTest, VoicesStartAtTheCommitTogether) {
  auto left = Voice({-1, 0, 0});
  EXPECT_EQ(FirstSound(Render(100), 0), -1);
  auto right = Voice({1, 0, 0});
  auto stopped = Voice({1, 0, 0});
  stopped->Stop();  // cancels its start
  auto destroyed = Voice({1, 0, 0});
  destroyed.reset();  // leaves the queue: the others still start
  EXPECT_TRUE(left->IsPlaying());
  EXPECT_FALSE(stopped->IsPlaying());
  EXPECT_EQ(FirstSound(Render(100), 1), -1);
  device_->Commit();
  const Samples out = Render(1000);
  EXPECT_EQ(FirstSound(out, 0), 1);  // the sine starts with a 0 sample
  EXPECT_EQ(FirstSound(out, 1), 1);
  EXPECT_NEAR(Level(out, 1), 1.0, 0.01);  // right alone, not doubled
  left->SetPosition({1, 0, 0});           // moves at the next Commit, not before
  EXPECT_GT(Level(Render(1000), 0), 0.9);
  device_->Commit();
  Render(100);  // the mixer glides to new gains over one render call
  EXPECT_LT(Level(Render(1000), 0), 0.01);
}

TEST_F(SoundDeviceTest, StreamPlaysBlocksExactlyWithoutGapsAndRestartsAfterRunningDry) {
  auto stream = StreamVoice::Create(*device_, 3, error_);
  ASSERT_NE(stream, nullptr) << error_;
  // Stereo 16-bit, then mono 8-bit (both sides, widened), then stereo again.
  const std::vector<std::uint8_t> mono8 = {0, 64, 128, 200, 255};
  ASSERT_TRUE(stream->QueueBlock(kStereo16, Bytes(Ramp(0, 700))));
  ASSERT_TRUE(stream->QueueBlock({1, kRate, 8}, mono8));
  ASSERT_TRUE(stream->QueueBlock(kStereo16, Bytes(Ramp(700, 300))));
  EXPECT_FALSE(stream->QueueBlock(kStereo16, Bytes(Ramp(0, 10))));  // none free
  EXPECT_EQ(stream->QueuedBlocks(), 3);
  stream->Play();
  Samples expected = Ramp(0, 700);
  for (std::uint8_t u : mono8) expected.insert(expected.end(), 2, std::int16_t((u - 128) * 256));
  const Samples tail = Ramp(700, 300);
  expected.insert(expected.end(), tail.begin(), tail.end());
  expected.resize(expected.size() + 2 * 95, 0);  // then silence: it ran dry
  EXPECT_EQ(Render(1100), expected);
  EXPECT_FALSE(stream->IsPlaying());
  EXPECT_EQ(stream->FreeBlocks(), 3);
  EXPECT_TRUE(stream->QueueBlock(kStereo16, Bytes(Ramp(5, 50))));
  stream->Play();
  EXPECT_EQ(Render(50), Ramp(5, 50));
  // A new rate waits until the queue has drained.
  ASSERT_TRUE(stream->QueueBlock(kStereo16, Bytes(Ramp(0, 100))));
  EXPECT_FALSE(stream->QueueBlock({2, 22050, 16}, Bytes(Ramp(0, 100))));
  stream->Stop();
  EXPECT_EQ(stream->FreeBlocks(), 3);
  EXPECT_TRUE(stream->QueueBlock({2, 22050, 16}, Bytes(Ramp(0, 100))));
}

TEST_F(SoundDeviceTest, StreamFedFromAnotherThreadPlaysEverySampleInOrder) {
  constexpr int kBlock = 256, kBlocks = 200;
  auto stream = StreamVoice::Create(*device_, 4, error_);
  std::atomic<bool> done{false};
  std::thread feeder([&] {
    for (int next = 0; next < kBlocks;) {
      if (stream->FreeBlocks() > 0 && stream->QueueBlock(kStereo16, Bytes(Ramp(next * kBlock, kBlock)))) {
        ++next;
        stream->Play();
      } else {
        std::this_thread::yield();
      }
    }
    done = true;
  });
  Samples heard;
  while (heard.size() < 2u * kBlock * kBlocks) {
    // Render only with a whole block queued ahead, so the stream never runs dry.
    if (stream->QueuedBlocks() < 2 && !done) {
      std::this_thread::yield();
      continue;
    }
    const Samples out = Render(kBlock / 2);
    heard.insert(heard.end(), out.begin(), out.end());
  }
  feeder.join();
  EXPECT_EQ(heard, Ramp(0, kBlock * kBlocks));
}

TEST_F(SoundDeviceTest, PauseSilencesOutputAndResumesWhereItStopped) {
  auto stream = StreamVoice::Create(*device_, 2, error_);
  ASSERT_TRUE(stream->QueueBlock(kStereo16, Bytes(Ramp(0, 2000))));
  stream->Play();
  EXPECT_EQ(Render(500), Ramp(0, 500));
  device_->SetPaused(true);
  auto voice = Voice({1, 0, 0});
  device_->Commit();  // started while paused: waits silently
  stream->Play();
  EXPECT_EQ(Render(300), Samples(600, 0));
  EXPECT_TRUE(stream->IsPlaying());
  EXPECT_TRUE(voice->IsPlaying());
  device_->SetPaused(false);
  const Samples out = Render(500);
  EXPECT_EQ(out[0], Ramp(500, 1)[0]);
  EXPECT_GT(Level(out, 1), 0.5);
}

TEST_F(SoundDeviceTest, BadInputIsRefusedWithAReason) {
  const std::vector<std::uint8_t> four(4, 0), three(3, 0), none;
  struct Case {
    PcmFormat format;
    const std::vector<std::uint8_t>* pcm;
  };
  const Case cases[] = {{{3, kRate, 16}, &four}, {{1, kRate, 24}, &three}, {{1, kRate, 12}, &four},
                        {{1, 50, 16}, &four},    {{1, 300000, 16}, &four}, {kMono16, &none},
                        {kStereo16, &three},     {kMono16, &three}};
  auto stream = StreamVoice::Create(*device_, 2, error_);
  for (const Case& c : cases) {
    std::string reason;
    EXPECT_EQ(SoundBuffer::Create(*device_, c.format, *c.pcm, reason), nullptr);
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(stream->QueueBlock(c.format, *c.pcm));
  }
  EXPECT_EQ(stream->FreeBlocks(), 2);
  for (int blocks : {0, -1, StreamVoice::kMaxBlocks + 1})
    EXPECT_EQ(StreamVoice::Create(*device_, blocks, error_), nullptr);
  EXPECT_EQ(SoundDevice::OpenLoopback(kRate, error_), nullptr) << "one device at a time";
  Samples odd(3);
  EXPECT_FALSE(device_->Render(odd));
}

TEST(SoundDeviceOpenTest, TheDefaultDeviceOpensOnTheNullDriverForItsVoicesAndPauses) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  const std::vector<std::string> names = SoundDevice::DriverNames();
  EXPECT_FALSE(names.empty());
  EXPECT_EQ(std::count(names.begin(), names.end(), ""), 0);
  std::string error;
  auto device = SoundDevice::Open({12, 2}, error);
  ASSERT_NE(device, nullptr) << error;
  // The stereo count (the library's default is 1) shows the counts were
  // passed; OpenAL Soft 1.19 raises the sum to at least 256 sources.
  EXPECT_EQ(device->VoiceLimits().stereo, 2);
  EXPECT_GE(device->VoiceLimits().mono, 12);
  EXPECT_EQ(device->EffectSends(), 0) << "each send costs memory in every voice";
  Samples out(2);
  EXPECT_FALSE(device->Render(out));  // not a loopback device
  device->SetPaused(true);            // the device's own pause
  device->SetPaused(false);
}

TEST_F(SoundDeviceTest, ObjectsOutlivingTheirOwnerFallSilentSafely) {
  auto voice = Voice({0, 0, 0});
  device_->Commit();
  sine_.reset();  // the buffer goes while the voice plays it
  EXPECT_FALSE(voice->IsPlaying());
  voice->Play(false);
  device_->Commit();
  EXPECT_EQ(Render(100), Samples(200, 0));
  auto stream = StreamVoice::Create(*device_, 2, error_);
  device_.reset();  // misuse: the device goes first
  voice->SetVolume(-100);
  voice->Play(true);
  EXPECT_FALSE(voice->IsPlaying());
  EXPECT_FALSE(stream->QueueBlock(kStereo16, Bytes(Ramp(0, 10))));
  stream->Play();
  EXPECT_FALSE(stream->IsPlaying());
  // A new device can be opened once the old one is gone.
  EXPECT_NE(SoundDevice::OpenLoopback(kRate, error_), nullptr) << error_;
}

}  // namespace
