// The hall of fame: the bytes of "stats.dat", the ranking, the ten kept, the
// campaigns in progress on the shown list, and damaged files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "framework/MemoryInStream.h"
#include "framework/MemoryOutStream.h"
#include "framework/FileAlerts.h"
#include "players/Stats.h"
#include "tests/framework/LogCapture.h"
#include "tests/players/PlayersFixture.h"

namespace {

using StatsTest = PlayersTest;
using Names = std::vector<std::string>;

ScoreRecord Record(std::string name, int level, int difficulty = 0, int levelsLost = 0, int score = 0,
                   int goldWon = 0) {
  return {std::move(name), level, 0, 0, difficulty, 0, 0, levelsLost, goldWon, score};
}

Names NamesOf(const std::vector<ScoreRecord>& records) {
  Names names;
  for (const ScoreRecord& r : records) names.push_back(r.name);
  return names;
}

std::string Le32(std::int32_t v) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return bytes;
}

TEST(StatsFile, RecordLayout) {
  MemoryOutStream out;
  Stats::Write(out, {ScoreRecord{"", 1, 2, 3, 4, 5, 6, 7, 8, -9}, Record("Ab", 0)});
  std::string expected = Le32(2) + std::string("\0\0", 2);
  for (int v : {1, 2, 3, 4, 5, 6, 7, 8, -9}) expected += Le32(v);
  expected += std::string("\x02\x00" "Ab", 4);
  for (int i = 0; i < 9; ++i) expected += Le32(0);
  EXPECT_EQ(out.Bytes(), expected);
  MemoryInStream in(out.Bytes());
  const std::vector<ScoreRecord> back = Stats::Read(in);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].score, -9);
  EXPECT_EQ(back[1].name, "Ab");
}

TEST(StatsFile, DamagedCountsAndShortFilesReadOnlyWholeRecords) {
  MemoryOutStream out;
  Stats::Write(out, {Record("One", 1), Record("Two", 2)});
  const std::string whole = out.Bytes();
  const std::pair<std::string, std::size_t> cases[] = {
      {Le32(-5) + whole.substr(4), 0}, {Le32(0x7fffffff) + whole.substr(4), 2}, {whole.substr(0, whole.size() - 1), 1},
      {whole.substr(0, 3), 0},         {Le32(3) + whole.substr(4), 2},          {"", 0},
  };
  for (const auto& [bytes, records] : cases)
    for (bool sized : {true, false}) {
      MemoryInStream in(bytes, sized);
      EXPECT_EQ(Stats::Read(in).size(), records) << bytes.size() << (sized ? " sized" : " unsized");
    }
}

TEST(StatsRanking, KeysInOrder) {
  std::vector<ScoreRecord> records = {
      Record("low", 1, 5, 0, 999),   Record("hard", 3, 2),           Record("easy", 3, 1),
      Record("lossy", 3, 2, 4, 999), Record("scored", 3, 2, 0, 50), Record("gold", 3, 2, 0, 50, 9),
  };
  std::stable_sort(records.begin(), records.end(), StatsRecordLess);
  EXPECT_EQ(NamesOf(records), (Names{"gold", "scored", "hard", "lossy", "easy", "low"}));
}

TEST_F(StatsTest, AddKeepsTheBestTenAndSaves) {
  Stats stats;
  stats.Load();
  EXPECT_TRUE(stats.records.empty()) << "no file yet";
  for (int i = 0; i < 10; ++i) stats.AddRecord(Record("r" + std::to_string(i), i + 1));
  stats.AddRecord(Record("worst", 0));
  EXPECT_EQ(stats.records.size(), 10u);
  EXPECT_EQ(stats.records.back().name, "r0") << "the new record ranked lowest and was dropped";
  stats.AddRecord(Record("best", 50));
  EXPECT_EQ(stats.records.front().name, "best");
  EXPECT_EQ(stats.records.back().name, "r1");
  Stats again;
  again.Load();
  EXPECT_EQ(NamesOf(again.records), NamesOf(stats.records));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "QuennelVarrick" / "stats.dat.tmp"));
}

TEST_F(StatsTest, ShownListAddsCampaignsInProgress) {
  Stats stats;
  for (int i = 0; i < 3; ++i) stats.AddRecord(Record("done" + std::to_string(i), 2 * i));
  stats.SetInProgressSource([] { return std::vector<ScoreRecord>{Record("run1", 3), Record("run2", 1)}; });
  stats.CopyRecords();
  EXPECT_EQ(NamesOf(stats.shown), (Names{"done2", "run1", "done1", "run2", "done0"}));
  for (int i = 3; i < 10; ++i) stats.AddRecord(Record("done" + std::to_string(i), 2 * i));
  EXPECT_EQ(stats.records.size(), 10u) << "campaigns in progress never enter the file";
  ASSERT_EQ(stats.shown.size(), 10u);
  EXPECT_EQ(stats.shown[8].name, "run1");
  EXPECT_EQ(stats.shown.back().name, "done1") << "run2 and done0 rank below the tenth";
}

// A won campaign met again (its save read once more) is not counted twice,
// nor added where it would not stay among the ten.
TEST_F(StatsTest, AddRecordOnceSkipsARecordHeldOrOneThatWouldNotStay) {
  Stats stats;
  EXPECT_TRUE(stats.AddRecordOnce(Record("won", 3)));
  EXPECT_FALSE(stats.AddRecordOnce(Record("won", 3)));
  for (int i = 0; i < 9; ++i) stats.AddRecord(Record("r" + std::to_string(i), 5));
  EXPECT_FALSE(stats.AddRecordOnce(Record("tie", 3))) << "placed after its equal, it would be cut";
  EXPECT_TRUE(stats.AddRecordOnce(Record("better", 4)));
  EXPECT_EQ(stats.records.size(), 10u);
  EXPECT_EQ(stats.records.back().name, "better");
}

// A name the save writer changes (both kinds of quote: its double quotes
// become apostrophes) is the same win under either name; rows of one win
// held twice become the one added. A name the writer keeps is its own.
TEST_F(StatsTest, AWinIsTheSameUnderTheNameItsSaveReadsBack) {
  Stats stats;
  stats.records = {Record("Jo'e \"Q\"", 3), Record("Jo'e 'Q'", 3), Record("\"Q\"", 3)};
  EXPECT_FALSE(stats.AddRecordOnce(Record("Jo'e 'Q'", 3)));
  EXPECT_EQ(NamesOf(stats.records), (Names{"\"Q\"", "Jo'e 'Q'"}));
  EXPECT_TRUE(stats.AddRecordOnce(Record("'Q'", 3)));
}

// A folder in the hall's place is not a hall: it is said in the log.
TEST_F(StatsTest, AFolderInPlaceOfTheHallIsLogged) {
  const std::filesystem::path file = dir.Path() / "QuennelVarrick" / "stats.dat";
  std::filesystem::create_directories(file);
  LogCapture log;
  Stats stats;
  stats.Load();
  EXPECT_TRUE(stats.records.empty());
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_NE(log.Lines()[0].find("stats.dat is a folder, not a file"), std::string::npos) << log.Lines()[0];
}

}  // namespace

namespace {

// A hall of fame that cannot be written (a full disk) keeps its old file
// whole, leaves no ".tmp" behind, and is told to the player, once until a
// record is written again.
TEST_F(StatsTest, ARecordThatCannotBeWrittenKeepsTheOldFileAndIsTold) {
  Stats stats;
  stats.AddRecord(Record("kept", 3));
  const std::filesystem::path file = dir.Path() / "QuennelVarrick" / "stats.dat";
  const std::string before = testing_support::ReadFile(file);
  FileAlerts::Reset();
  {
    testing_support::ScopedWriteFault full("stats.dat.tmp");
    stats.AddRecord(Record("lost", 5));
  }
  EXPECT_EQ(testing_support::ReadFile(file), before);
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));
  FileAlerts::Unsaved what{};
  EXPECT_TRUE(FileAlerts::TakeFailedSave(what) && what == FileAlerts::Unsaved::kHallOfFame);
  // Once a record is written again, the next failure is told again.
  stats.AddRecord(Record("written", 1));
  testing_support::ScopedWriteFault full("stats.dat.tmp");
  stats.AddRecord(Record("lost again", 2));
  EXPECT_TRUE(FileAlerts::TakeFailedSave(what));
}

// A hall that cannot be read whole keeps its whole records, is moved to a
// free name of its own, never written over, and is told; the next win
// writes a new file with the records kept. A whole hall stays where it is.
TEST_F(StatsTest, ADamagedHallIsKeptAsideWithItsWholeRecordsAndTold) {
  MemoryOutStream out;
  Stats::Write(out, {Record("One", 1), Record("Two", 2)});
  const std::string whole = out.Bytes();
  MemoryOutStream odd;
  Stats::Write(odd, {Record("Odd", 1, 9), Record("Two", 2)});
  const std::string file = (dir.Path() / "QuennelVarrick" / "stats.dat").string();
  const std::pair<std::string, Names> cases[] = {
      {Le32(-1) + whole.substr(4), {}},
      {"garbage, not a table at all", {}},
      {Le32(2) + "\xff\x7f" + whole.substr(6), {}},  // a name running past the end
      {whole.substr(0, whole.size() - 1), {"One"}},
      {whole + "more", {"One", "Two"}},
      {odd.Bytes(), {"Two"}},  // a difficulty outside the table
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    const auto& [bytes, kept] = cases[n];
    testing_support::WriteFile(file, bytes);
    FileAlerts::Reset();
    Stats stats;
    stats.Load();
    EXPECT_EQ(NamesOf(stats.records), kept) << n;
    const std::string aside = file + ".damaged" + (n > 0 ? std::to_string(n + 1) : "");
    EXPECT_EQ(testing_support::ReadFile(aside), bytes) << n << ": kept, beside the older ones";
    FileAlerts::Unsaved what{};
    EXPECT_TRUE(FileAlerts::TakeFailedSave(what) && what == FileAlerts::Unsaved::kDamagedHallOfFame) << n;
    stats.AddRecord(Record("Next", 3));
    Stats again;
    again.Load();
    EXPECT_EQ(again.records.size(), kept.size() + 1) << n;
  }
  EXPECT_FALSE(std::filesystem::exists(file + ".damaged7")) << "the last file written was whole";
  // A hall that cannot be opened at all (here not a regular file) is kept too.
  std::filesystem::remove(file);
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  Stats().Load();
  EXPECT_TRUE(std::filesystem::is_fifo(file + ".damaged7"));

  // With every name beside it taken, the damaged file stays and is not
  // written over.
  for (int n = 8; n <= 100; ++n) testing_support::WriteFile(file + ".damaged" + std::to_string(n), "");
  std::filesystem::remove(file);
  testing_support::WriteFile(file, cases[0].first);
  Stats stats;
  stats.Load();
  stats.AddRecord(Record("Lost", 3));
  EXPECT_EQ(testing_support::ReadFile(file), cases[0].first);
}

// A record at a level the campaign (here of three levels) does not have is
// left out, as a record of a difficulty outside the table is.
TEST_F(StatsTest, ARecordAtALevelTheCampaignLacksIsLeftOut) {
  MemoryOutStream out;
  Stats::Write(out, {Record("Far", 9999), Record("Last", 2), Record("Past", 3), Record("Below", -1)});
  MemoryInStream in(out.Bytes());
  std::string damage;
  EXPECT_EQ(NamesOf(Stats::Read(in, &damage, 3)), (Names{"Last"}));
  EXPECT_EQ(damage, "record 1 has a level or difficulty no campaign gives");
  testing_support::WriteFile(dir.Path() / "QuennelVarrick" / "stats.dat", out.Bytes());
  Stats stats;
  stats.levelCount = 3;
  stats.Load();
  EXPECT_EQ(NamesOf(stats.records), (Names{"Last"}));
}

}  // namespace
