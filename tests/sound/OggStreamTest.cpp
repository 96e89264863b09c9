// The Ogg Vorbis reader: every way of failing to open ends in its text with
// nothing left open, and a real file (when the build generated one) decodes
// to exactly its declared size, rewinds, and loads whole as an effect.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "sound/OggStream.h"
#include "sound/SoundError.h"
#include "sound/YSoundBuffer.h"
#include "tests/support/TestSupport.h"

namespace {

std::string OpenError(const std::string& path) {
  OggStream stream;
  try {
    stream.Open(path);
  } catch (const SoundError& error) {
    EXPECT_FALSE(stream.IsOpen());
    return error.what();
  }
  return "";
}

TEST(OggStreamTest, ErrorsMapToTheirTexts) {
  struct Code {
    int code;
    const char* text;
  } codes[] = {{-128, "Read from media."},         {-129, "Internal logic fault (bug or heap/stack corruption."},
               {-132, "Not Vorbis data."},         {-133, "Invalid Vorbis header."},
               {-134, "Vorbis version mismatch."}, {-1, "Unknown Ogg error."}};
  for (const Code& c : codes) EXPECT_STREQ(OggErrorText(c.code), c.text) << c.code;

  testing_support::ScopedTempDir dir;
  testing_support::WriteFile(dir.File("empty.ogg"), "");
  testing_support::WriteFile(dir.File("text.ogg"), std::string(5000, 'x'));
  testing_support::WriteFile(dir.File("page.ogg"), "OggS" + std::string(200, '\0'));
  EXPECT_EQ(OpenError(dir.File("missing.ogg")), "Could not open Ogg file.");
  ASSERT_EQ(mkfifo(dir.File("pipe.ogg").c_str(), 0600), 0);  // would hold the opener until a writer comes
  EXPECT_EQ(OpenError(dir.File("pipe.ogg")), "Could not open Ogg file.");
  EXPECT_EQ(OpenError(dir.File("empty.ogg")), "Could not open Ogg stream. Not Vorbis data.");
  EXPECT_EQ(OpenError(dir.File("text.ogg")), "Could not open Ogg stream. Not Vorbis data.");
  EXPECT_NE(OpenError(dir.File("page.ogg")), "");
}

// The smallest Ogg file the build generated, if any.
std::string GeneratedOgg() {
  std::string best;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(QV_GAME_DIR, error), end; !error && it != end;
       it.increment(error))
    if (it->path().extension() == ".ogg" &&
        (best.empty() || std::filesystem::file_size(it->path()) < std::filesystem::file_size(best)))
      best = it->path().string();
  return best;
}

TEST(OggStreamTest, GeneratedFileDecodesToItsDeclaredSize) {
  std::string path = GeneratedOgg();
  if (path.empty()) GTEST_SKIP() << "no generated Ogg file in " << QV_GAME_DIR;
  OggStream stream;
  stream.Open(path);
  ASSERT_GT(stream.TotalBytes(), 0);
  std::vector<std::uint8_t> all(static_cast<std::size_t>(stream.TotalBytes()) + 100);
  EXPECT_EQ(stream.Read(all.data(), static_cast<int>(all.size())), stream.TotalBytes());
  stream.Rewind();
  std::vector<std::uint8_t> again(64);
  ASSERT_EQ(stream.Read(again.data(), 64), 64);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), all.begin()));
  YSoundBuffer whole;
  whole.Open(path);
  EXPECT_EQ(static_cast<std::int64_t>(whole.Data().size()), stream.TotalBytes());
}

}  // namespace
