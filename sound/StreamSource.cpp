#include "sound/StreamSource.h"

#include <algorithm>
#include <climits>

#include "sound/OggStream.h"

namespace {

// An open OggStream seen as a stream source; the OggStream closes its file
// (logging it) when the source goes.
class OggStreamSource : public StreamSource {
 public:
  explicit OggStreamSource(const std::string& fileName) { ogg_.Open(fileName); }

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
      int want = static_cast<int>(std::min<std::size_t>(buffer.size() - filled, INT_MAX));
      int got = ogg_.Read(buffer.data() + filled, want);
      filled += static_cast<std::size_t>(std::max(got, 0));
      if (got < want) break;
    }
    return filled;
  }
  void Rewind() override { ogg_.Rewind(); }
  platform::PcmFormat Format() const override { return ogg_.Format(); }

 private:
  OggStream ogg_;
};

}  // namespace

std::unique_ptr<StreamSource> OpenOggStreamSource(const std::string& fileName) {
  return std::make_unique<OggStreamSource>(fileName);
}
