// The sound file reader: sounds with a path and nested files, repeated
// names joining one entry, and every error logged with the file and line
// while reading goes on.

#include <gtest/gtest.h>

#include "sound/YSoundLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class YSoundLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::WriteFile(wav_, sound_test::MonoWav(64)); }
  void TearDown() override { ClearSounds(); }

  // Loads `text` as the sound file; returns its error lines, less the
  // parser's complaints about the characters after a failed tag.
  std::vector<std::string> Load(const std::string& text) {
    testing_support::WriteFile(file_, text);
    LogCapture log;
    LoadSounds(file_);
    EXPECT_EQ(log.Lines().at(0), "Parse sounds from file, " + file_);
    std::vector<std::string> errors;
    for (const std::string& line : log.Lines())
      if (line.starts_with("Sound init parser error") && line.find("Expected '<'.") == std::string::npos)
        errors.push_back(line);
    return errors;
  }
  std::string Error(const std::string& message, int line) const {
    return "Sound init parser error, " + message + ", file: " + file_ + ", line: " + std::to_string(line);
  }

  testing_support::ScopedTempDir dir_;
  std::string file_ = dir_.File("sound_fx.yml"), wav_ = dir_.File("a.wav");
};

TEST_F(YSoundLoaderTest, DeclaresSoundsWithTheirVariants) {
  const std::string file = "<file path=\"" + wav_ + "\">";
  EXPECT_EQ(Load("<sound name=\"click\" path=\"" + wav_ + "\">\n" + file + "</sound>\n<sound name=\"click\">" +
                 file + "</sound>\n<sound name=\"solo\" path=\"" + wav_ + "\"></sound>\n"),
            std::vector<std::string>{});
  ASSERT_NE(FindSound("click"), nullptr);
  EXPECT_EQ(FindSound("click")->VariantCount(), 3u);
  EXPECT_EQ(FindSound("solo")->VariantCount(), 1u);
  EXPECT_EQ(FindSound("Click"), nullptr);
}

TEST_F(YSoundLoaderTest, ErrorsNameTheFileAndLineAndReadingGoesOn) {
  const std::string mp3 = dir_.File("x.mp3"), gone = dir_.File("gone.wav");
  EXPECT_EQ(Load("<file path=\"" + wav_ + "\">\n<sound name=\"bad\" path=\"" + mp3 + "\">\n<file path=\"" + gone +
                 "\"> <file path=\"noext\"> <file path=\"" + wav_ + "\">\n</sound></sound>\n"),
            (std::vector<std::string>{Error("Tag <file> outside <sound>.", 0), Error("Unknown file type: " + mp3, 1),
                                      Error("Could not open WAV file " + gone, 2), Error("Invalid filename: noext", 2),
                                      Error("Expected <sound>.", 3)}));
  EXPECT_EQ(FindSound("bad")->VariantCount(), 1u);
}

}  // namespace
