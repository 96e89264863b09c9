// Sound buffers: the file type chosen by the extension, the texts of every
// refusal (raised to the caller, and logged by the WAV loader), and a valid
// file the device cannot take staying silent.

#include "sound/SoundError.h"
#include "sound/YSoundBuffer.h"
#include "tests/framework/LogCapture.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace sound_test;

class YSoundBufferTest : public LoopbackTest {
 protected:
  // Opens `name` (written with `bytes` unless empty); the error text, or ""
  // when it loaded.
  std::string OpenError(YSoundBuffer& buffer, const std::string& name, const std::string& bytes) {
    if (!bytes.empty()) testing_support::WriteFile(dir_.File(name), bytes);
    try {
      buffer.Open(dir_.File(name));
    } catch (const SoundError& error) {
      return error.what();
    }
    EXPECT_GT(buffer.PcmBytes(), 0u) << name;
    return "";
  }
  testing_support::ScopedTempDir dir_;
};

TEST_F(YSoundBufferTest, ChoosesTheReaderByExtension) {
  const std::string wav = MonoWav(64);
  const std::string adpcm = Riff(Chunk("fmt ", FormatBody(1, 22050, 4, 2, 20)) + Chunk("data", "abcd"));
  struct Case {
    std::string name, bytes, error;
  } cases[] = {
      {"upper.WAV", wav, ""},
      {"long.wave", wav, ""},
      {"music.mp3", wav, "Unknown file type: " + dir_.File("music.mp3")},
      {"noext", wav, "Invalid filename: " + dir_.File("noext")},
      {"adpcm.wav", adpcm, "Invalid WAV format " + dir_.File("adpcm.wav")},
      {"missing.wav", "", "Could not open WAV file " + dir_.File("missing.wav")},
      {"missing.ogg", "", "Could not open Ogg file."},
      {"fake.ogg", wav, "Could not open Ogg stream. Not Vorbis data."},
  };
  for (const Case& c : cases) {
    YSoundBuffer buffer;
    EXPECT_EQ(OpenError(buffer, c.name, c.bytes), c.error) << c.name;
  }
  YSoundBuffer twice;
  OpenError(twice, "upper.WAV", "");
  EXPECT_EQ(OpenError(twice, "upper.WAV", ""), "SoundBuffer already opened.");
}

TEST_F(YSoundBufferTest, WavLoaderLogsItsOwnErrorsAndDeviceRefusals) {
  testing_support::WriteFile(dir_.File("bad.wav"), "RIFF0000WAVEjunk");
  // 24-bit PCM: a valid WAV file that the device cannot take.
  testing_support::WriteFile(dir_.File("deep.wav"),
                             Riff(Chunk("fmt ", FormatBody(1, 44100, 24)) + Chunk("data", std::string(30, '\1'))));
  LogCapture log;
  YSoundBuffer bad, deep;
  OpenError(bad, "bad.wav", "");
  OpenError(deep, "deep.wav", "");
  const std::string badName = dir_.File("bad.wav"), deepName = dir_.File("deep.wav");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Load WAV file " + badName,
                                                   "Load WAV file error: Invalid WAV format " + badName,
                                                   "Load WAV file " + deepName, "OpenAL buffer error: " + deepName}));
  EXPECT_FALSE(deep.Restore());
}

}  // namespace
