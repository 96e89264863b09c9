// The readers' shared base: error lines in each reader's own words, their
// cap, missing files, and the safe text formatter.
#include "framework/DataFileReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/FileAlerts.h"
#include "framework/TextFormat.h"
#include "platform/Paths.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

using testing_support::ScopedTempDir;
using testing_support::WriteFile;
using Lines = std::vector<std::string>;

namespace {

class ProbeReader : public DataFileReader {
 public:
  using DataFileReader::DataFileReader;
  using DataFileReader::ParseDataFile;
  using DataFileReader::ParseNamedStream;
  ProbeReader() { AddTag(MakeTag("a", {{"x", "0"}})); }
  explicit ProbeReader(ErrorText text) : DataFileReader(text) { AddTag(MakeTag("a", {{"x", "0"}})); }
};

}  // namespace

TEST(TextFormat, FillsOnlyPercentSAndDInOrderAndNeverReadsPastTheArguments) {
  const std::vector<std::string> two{"gold", "12"};
  EXPECT_EQ(FormatText("%s: %d coins", two), "gold: 12 coins");
  EXPECT_EQ(FormatText("%d%s%s%d", two), "gold12");  // in order, whatever the letter; missing ones are empty
  EXPECT_EQ(FormatText("100%% %x %5d %", two), "100% %x %5d %");  // other conversions stay as text
  EXPECT_EQ(FormatText("none", two), "none");
  EXPECT_EQ(FormatTextArgs("%s+%d=%d", "a", 2, -3L), "a+2=-3");
}

TEST(DataFileReader, LogsEachErrorInTheReadersOwnWordsWithFileAndLine) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "f.yml", "<a>\n<b>");
  LogCapture withFile;
  ProbeReader named({"Probe error, %s, file: %s, line: %d", true});
  EXPECT_TRUE(named.ParseDataFile(dir.File("f.yml")));
  EXPECT_EQ(withFile.Lines(), (Lines{"Probe error, Unknown tag: b, file: " + dir.File("f.yml") + ", line: 1"}));
  EXPECT_EQ(named.ErrorCount(), 1);

  LogCapture lineOnly;
  ProbeReader config({"Init parser error, %s, file: config.yml, line: %d", false});
  std::istringstream in("\n<b>");
  config.ParseNamedStream(in, "anything");
  EXPECT_EQ(lineOnly.Lines(), (Lines{"Init parser error, Unknown tag: b, file: config.yml, line: 1"}));

  LogCapture silentLog;
  ProbeReader silent;  // logs nothing but still counts
  std::istringstream again("\n<b>");
  silent.ParseNamedStream(again, "x");
  EXPECT_TRUE(silentLog.Lines().empty());
  EXPECT_EQ(silent.ErrorCount(), 1);
}

TEST(DataFileReader, AFloodOfErrorsWritesAHundredLinesAndOneSummaryAndGarbageIsCutShort) {
  LogCapture capture;
  ProbeReader reader({"E %s %s %d", true});
  std::istringstream some(std::string(500, '<'));
  reader.ParseNamedStream(some, "some.yml");
  Lines lines = capture.Lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(DataFileReader::kMaxErrorLines) + 1);
  EXPECT_EQ(lines.back(), std::to_string(reader.ErrorCount() - DataFileReader::kMaxErrorLines) +
                              " more parser errors in some.yml not shown");

  std::istringstream flood(std::string(4 << 20, '<'));
  reader.ParseNamedStream(flood, "flood.yml");
  EXPECT_EQ(reader.ErrorCount(), DataFileReader::kMaxErrors);
  lines = capture.Lines();
  EXPECT_EQ(lines.back(), std::to_string(DataFileReader::kMaxErrors - DataFileReader::kMaxErrorLines) +
                              " more parser errors in flood.yml not shown; the rest of the file was skipped");
  // The count starts again with the next file.
  std::istringstream clean("<a x=\"2\">");
  reader.ParseNamedStream(clean, "clean.yml");
  EXPECT_EQ(reader.ErrorCount(), 0);
}

TEST(DataFileReader, AMissingFileIsLoggedUnlessTheCallerExpectsIt) {
  ScopedTempDir dir;
  LogCapture capture;
  ProbeReader reader;
  EXPECT_FALSE(reader.ParseDataFile(dir.File("gone.yml")));
  EXPECT_FALSE(reader.ParseDataFile(dir.File("quiet.yml"), true));
  EXPECT_FALSE(reader.ParseDataFile(dir.Str()));  // a folder is not a data file
  EXPECT_EQ(capture.Lines(), (Lines{"Cannot read data file " + dir.File("gone.yml"),
                                    "Cannot read data file " + dir.Str()}));
}

// A game file that cannot be read, or has parser errors, is told to the
// player, also by a reader without error lines; the player's own files only
// reach the log.
TEST(DataFileReader, DamagedOrMissingGameFilesAreReportedOnce) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "bad.yml", "<a>\n<b>\n<c>");
  WriteFile(dir.Path() / "good.yml", "<a x=\"1\">");
  WriteFile(dir.Path() / "cut.yml", "<a x=\"1\">\n<a x=");
  FileAlerts::Reset();
  ProbeReader silent;
  {
    // A file cut inside a tag is damaged: logged naming it, whatever the
    // reader's own words, and told.
    LogCapture capture;
    silent.ParseDataFile(dir.File("cut.yml"));
    ProbeReader lineOnly({"Init parser error, %s, file: config.yml, line: %d", false});
    lineOnly.ParseDataFile(dir.File("cut.yml"));
    const std::string line =
        "The file " + platform::MapPath(dir.File("cut.yml")) + " is damaged: it ends inside a tag, line: 1";
    EXPECT_EQ(capture.Lines(), (Lines{line, line}));
    EXPECT_EQ(silent.ErrorCount(), 1);
  }
  silent.ParseDataFile(dir.File("bad.yml"));
  silent.ParseDataFile(dir.File("good.yml"));
  silent.ParseDataFile(dir.File("gone.yml"));
  silent.ParseDataFile(dir.File("quiet.yml"), true);
  ProbeReader players({"Player loader error, %s, line: %d", false, true});
  players.ParseDataFile(dir.File("bad.yml"));
  players.ParseDataFile(dir.File("players.yml"));
  EXPECT_EQ(FileAlerts::TakeFailedFiles(), (Lines{dir.File("cut.yml"), dir.File("bad.yml"), dir.File("gone.yml")}));
}
