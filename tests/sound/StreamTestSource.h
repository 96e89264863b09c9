// Generated PCM for the stream and music player tests: a source of `frames`
// frames whose samples come from a function of the frame index (negated on
// the right of stereo), and a pump that refills streams while it renders.
#pragma once

#include <functional>
#include <vector>

#include "framework/YLock.h"
#include "sound/StreamSource.h"
#include "sound/YSoundStream.h"

namespace sound_test {

class GeneratedSource : public StreamSource {
 public:
  using Sample = std::function<std::int16_t(int frame)>;
  GeneratedSource(platform::PcmFormat format, int frames, Sample sample)
      : format_(format), frames_(frames), sample_(std::move(sample)) {}
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t n = 0;
    for (; position_ < frames_ && n + 2 * format_.channels <= buffer.size(); ++position_) {
      for (int channel = 0; channel < format_.channels; ++channel) {
        auto value = static_cast<std::uint16_t>(channel ? -sample_(position_) : sample_(position_));
        buffer[n++] = static_cast<std::uint8_t>(value & 0xff);
        buffer[n++] = static_cast<std::uint8_t>(value >> 8);
      }
    }
    return n;
  }
  void Rewind() override { position_ = 0; }
  platform::PcmFormat Format() const override { return format_; }

 private:
  platform::PcmFormat format_;
  int frames_, position_ = 0;
  Sample sample_;
};

struct Frame {
  std::int16_t left, right;
};

// Until `frames` frames are rendered: refills the streams, calls `step` with
// the frames rendered so far, renders `chunk` frames. Returns them.
inline std::vector<Frame> Pump(const std::vector<YSoundStream*>& streams, int frames,
                               const std::function<void(int rendered)>& step = {}, int chunk = 1024) {
  std::vector<Frame> rendered;
  std::vector<std::int16_t> out(static_cast<std::size_t>(chunk) * 2);
  while (static_cast<int>(rendered.size()) < frames) {
    for (YSoundStream* stream : streams) stream->Refill();
    if (step) step(static_cast<int>(rendered.size()));
    YLock hold(SoundLock());
    if (!GetSoundDevice() || !GetSoundDevice()->Render(out)) break;
    for (std::size_t i = 0; i < out.size(); i += 2) rendered.push_back({out[i], out[i + 1]});
  }
  return rendered;
}

}  // namespace sound_test
