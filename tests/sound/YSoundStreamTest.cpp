// The sound stream on a loopback device: a looping file runs on across its
// seam sample for sample, a file played once sounds whole before its end is
// reported (once), each file plays in its own format, a playing stream plays
// on at the music volume across a device restart, a decoding error is logged
// and reported once.

#include <atomic>
#include <algorithm>
#include <chrono>
#include <thread>

#include "framework/FileAlerts.h"
#include "sound/SoundError.h"
#include "sound/YSoundStreamEvent.h"
#include "tests/framework/LogCapture.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/sound/StreamTestSource.h"

namespace {

using sound_test::Frame;
using sound_test::GeneratedSource;
using sound_test::Pump;

constexpr platform::PcmFormat kMono44{1, 44100, 16};
std::int16_t Loud(int) { return 8000; }
void WaitForRefills() { std::this_thread::sleep_for(std::chrono::milliseconds(3 * YSoundStream::kRefillIntervalMs)); }

struct EndCounter : YSoundStreamEvent {
  void OnStreamEnd(YSoundStream&) override { ++calls; }
  std::atomic<int> calls{0};
};

class YSoundStreamTest : public sound_test::LoopbackTest {
 protected:
  void TearDown() override {
    LoopbackTest::TearDown();
    SetMusicVolume(1.0f);
  }
  static void OpenGenerated(YSoundStream& stream, platform::PcmFormat format, int frames,
                            GeneratedSource::Sample sample = Loud) {
    stream.SetSourceOpener(
        [=](const std::string&) { return std::make_unique<GeneratedSource>(format, frames, sample); });
    stream.Open("generated");
  }
  // Frames among the first `end` whose left and right pass the level with these signs.
  static int CountLoud(const std::vector<Frame>& frames, std::size_t end, int rightSign = 1) {
    int count = 0;
    for (std::size_t i = 0; i < std::min(end, frames.size()); ++i)
      count += frames[i].left > 3000 && frames[i].right * rightSign > 3000;
    return count;
  }
  YSoundStream stream_{65536};
};

TEST_F(YSoundStreamTest, LoopingFileRunsOnAcrossItsSeam) {
  constexpr int kPeriod = 3001;  // the seams fall inside blocks
  auto ramp = [](int frame) { return static_cast<std::int16_t>(1000 + frame * 5); };
  OpenGenerated(stream_, kMono44, kPeriod, ramp);
  stream_.Play(true);
  std::vector<Frame> out = Pump({&stream_}, 44100);
  std::size_t first = 0;
  while (first < out.size() && out[first].left < 500) ++first;
  ASSERT_LT(first, 1024u);
  for (std::size_t i = first; i < out.size(); ++i)
    ASSERT_NEAR(out[i].left, ramp(static_cast<int>((i - first) % kPeriod)), 2) << "frame " << i;
}

TEST_F(YSoundStreamTest, PlayOnceReportsItsEndOnceAfterItsLastSample) {
  constexpr int kFrames = 20000;  // decoded whole by the first refill
  EndCounter listener;
  stream_.SetListener(&listener);
  OpenGenerated(stream_, kMono44, kFrames);
  stream_.Play(false);
  std::vector<std::pair<int, int>> callsAt;  // (frames rendered, calls) before each render
  std::vector<Frame> out = Pump({&stream_}, 3 * kFrames, [&](int n) { callsAt.emplace_back(n, listener.calls.load()); });
  WaitForRefills();
  stream_.SetListener(nullptr);
  EXPECT_EQ(listener.calls, 1);
  EXPECT_FALSE(stream_.IsPlaying());
  EXPECT_EQ(CountLoud(out, out.size()), kFrames);
  for (auto [rendered, calls] : callsAt)
    EXPECT_TRUE(calls == 0 || CountLoud(out, static_cast<std::size_t>(rendered)) == kFrames) << rendered;
}

TEST_F(YSoundStreamTest, EachFilePlaysInItsOwnFormat) {
  OpenGenerated(stream_, {2, 22050, 16}, 11025);  // half a second, right channel negated
  stream_.Play(false);
  std::vector<Frame> stereo = Pump({&stream_}, 44100);
  EXPECT_NEAR(CountLoud(stereo, stereo.size(), -1), 22050, 16);
  OpenGenerated(stream_, kMono44, 5000);
  stream_.Play(false);
  std::vector<Frame> mono = Pump({&stream_}, 22050);
  EXPECT_EQ(CountLoud(mono, mono.size()), 5000);
}

TEST_F(YSoundStreamTest, PlaysOnAtTheMusicVolumeAcrossADeviceRestart) {
  SetMusicVolume(0.5f);
  const float half = 8000.0f * platform::GainFromHundredthsDb(-2500);
  OpenGenerated(stream_, kMono44, 4410);
  stream_.Play(true);
  EXPECT_NEAR(Pump({&stream_}, 4096).back().left, half, 3.0f);
  SoundShutdown();
  WaitForRefills();  // the refill thread runs on without a device
  StartDevice();
  EXPECT_TRUE(stream_.IsPlaying());
  EXPECT_NEAR(Pump({&stream_}, 4096).back().left, half, 3.0f);
  SetMusicVolume(1.0f);
  stream_.SetVolume(0.5f);
  EXPECT_NEAR(Pump({&stream_}, 4096).back().left, half, 3.0f);
}

TEST_F(YSoundStreamTest, DecodingErrorIsLoggedOnceAndTheNextFilePlays) {
  struct BrokenSource : GeneratedSource {
    BrokenSource() : GeneratedSource(kMono44, 100000, Loud) {}
    std::size_t Read(std::span<std::uint8_t>) override { throw SoundError("Not Vorbis data."); }
  };
  LogCapture log;
  FileAlerts::Reset();
  stream_.SetSourceOpener([](const std::string&) { return std::make_unique<BrokenSource>(); });
  stream_.Open("broken");
  stream_.Play(true);
  Pump({&stream_}, 4096);
  WaitForRefills();
  std::vector<std::string> lines = log.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "SoundStream error: Not Vorbis data."), 1);
  EXPECT_EQ(FileAlerts::TakeFailedFiles(), std::vector<std::string>{"broken"});
  OpenGenerated(stream_, kMono44, 4410);
  stream_.Play(true);
  EXPECT_NEAR(Pump({&stream_}, 4096).back().left, 8000, 2);
}

}  // namespace
