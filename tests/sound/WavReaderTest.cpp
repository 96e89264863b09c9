// The WAV reader: chunks found within bounds whatever their order or
// padding, and every byte count taken from the file checked against what
// the file really holds.

#include <gtest/gtest.h>

#include "sound/WavReader.h"
#include "tests/sound/SoundTestSupport.h"

namespace {

using namespace sound_test;

WavStatus Parse(const std::string& bytes, WavData& out) {
  return ParseWav({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, out);
}

const std::string kFmt16 = Chunk("fmt ", FormatBody(2, 22050, 16));
const std::string kPcm = ConstantPcm(6, 1234);  // 12 bytes: three stereo frames

TEST(WavReaderTest, ReadsThePcmOfWellFormedLayouts) {
  struct Case {
    const char* what;
    std::string file;
    std::size_t pcmBytes;
  } cases[] = {
      {"16-byte format chunk", Riff(kFmt16 + Chunk("data", kPcm)), 12},
      {"18-byte format chunk", Riff(Chunk("fmt ", FormatBody(2, 22050, 16, 1, 18)) + Chunk("data", kPcm)), 12},
      {"LIST chunk first", Riff(Chunk("LIST", "INFOabc") + kFmt16 + Chunk("data", kPcm)), 12},
      {"odd chunk padded", Riff(kFmt16 + Chunk("junk", "odd") + Chunk("data", kPcm)), 12},
      {"data before fmt", Riff(Chunk("data", kPcm) + kFmt16), 12},
      {"data size beyond the file", Riff(kFmt16 + Chunk("data", kPcm, 1 << 30)), 12},
      {"truncated mid-frame", Riff(kFmt16 + Chunk("data", kPcm)).substr(0, 12 + 24 + 8 + 10), 8},
      {"RIFF size beyond the file", "RIFF" + Le(0xfffffff0u, 4) + "WAVE" + kFmt16 + Chunk("data", kPcm), 12},
  };
  for (const Case& c : cases) {
    WavData wav;
    ASSERT_EQ(Parse(c.file, wav), WavStatus::Ok) << c.what;
    EXPECT_EQ(wav.pcm.size(), c.pcmBytes) << c.what;
    EXPECT_EQ(wav.format, (platform::PcmFormat{2, 22050, 16})) << c.what;
  }
}

TEST(WavReaderTest, RefusesWhatIsNotPcmWave) {
  struct Case {
    const char* what;
    std::string file;
  } cases[] = {
      {"empty", ""},
      {"not RIFF", "RIFX" + Riff(kFmt16).substr(4)},
      {"not WAVE", "RIFF" + Le(4, 4) + "AVI "},
      {"ADPCM", Riff(Chunk("fmt ", FormatBody(1, 22050, 4, 2, 20)) + Chunk("data", kPcm))},
      {"format chunk too short", Riff(Chunk("fmt ", FormatBody(2, 22050, 16).substr(0, 14)) + Chunk("data", kPcm))},
      {"format chunk cut by the file end", Riff(kFmt16).substr(0, 12 + 8 + 10)},
      {"no data chunk", Riff(kFmt16)},
      {"no format chunk", Riff(Chunk("data", kPcm))},
      {"no channels", Riff(Chunk("fmt ", FormatBody(0, 22050, 16)) + Chunk("data", kPcm))},
      {"data hidden behind the RIFF size", "RIFF" + Le(4 + 24, 4) + "WAVE" + kFmt16 + Chunk("data", kPcm)},
  };
  for (const Case& c : cases) {
    WavData wav;
    EXPECT_EQ(Parse(c.file, wav), WavStatus::InvalidFormat) << c.what;
  }
  WavData wav;
  EXPECT_EQ(ReadWavFile("/nonexistent/folder/x.wav", wav), WavStatus::CannotOpen);
}

}  // namespace
