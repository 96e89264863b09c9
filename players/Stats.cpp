#include "players/Stats.h"

#include <algorithm>

#include "framework/InFStream.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/FileAlerts.h"
#include "framework/OutFStream.h"
#include "framework/StreamHelpers.h"
#include "framework/XMLParser.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "players/DifficultyTable.h"

namespace {

// A record with an empty name: the two length bytes and nine values.
constexpr std::int32_t kSmallestRecord = 2 + 9 * 4;

void RankAndCut(std::vector<ScoreRecord>& records) {
  std::stable_sort(records.begin(), records.end(), StatsRecordLess);
  if (records.size() > Stats::kKept) records.resize(Stats::kKept);
}

// How many names a damaged hall may be kept under beside the file.
constexpr int kAsideNames = 100;

bool ReadRecord(InStream& in, ScoreRecord& record) {
  ReadString(in, record.name);
  for (std::int32_t* value : {&record.level, &record.gold, &record.experience, &record.difficulty, &record.fightsWon,
                              &record.fightsLost, &record.levelsLost, &record.goldWon, &record.score})
    ReadInt(in, *value);
  return !in.Failed();
}

// What no finished campaign of `levelCount` levels gives: such a record is
// left out.
bool CanBe(const ScoreRecord& record, std::int32_t levelCount) {
  return record.level >= 0 && record.level < levelCount && record.difficulty >= 0 &&
         record.difficulty < kDifficultyRows;
}

// Reads every whole record into `table`; returns what kept the table from
// being read whole, or nothing. The count is trusted only as far as the
// bytes left can hold records, so a damaged count never makes a large table.
std::string ReadTable(InStream& in, std::vector<ScoreRecord>& table, std::int32_t levelCount) {
  std::int32_t count = 0;
  if (ReadInt(in, count).Failed()) return "its record count is cut short";
  if (count < 0) return "its record count is negative";
  const std::int32_t left = in.BytesLeft();
  const std::int32_t fit = left >= 0 ? std::min(count, left / kSmallestRecord) : count;
  std::string found;
  for (std::int32_t i = 0; i < fit; ++i) {
    ScoreRecord record;
    if (!ReadRecord(in, record))
      return "record " + std::to_string(i + 1) + " is cut short or its name's length is wrong";
    if (CanBe(record, levelCount))
      table.push_back(std::move(record));
    else if (found.empty())
      found = "record " + std::to_string(i + 1) + " has a level or difficulty no campaign gives";
  }
  if (fit < count) return "it holds fewer records than its count says";
  if (found.empty() && in.BytesLeft() > 0) return "bytes follow its last record";
  return found;
}

}  // namespace

bool StatsRecordLess(const ScoreRecord& a, const ScoreRecord& b) {
  if (a.level != b.level) return a.level > b.level;
  if (a.difficulty != b.difficulty) return a.difficulty > b.difficulty;
  if (a.levelsLost != b.levelsLost) return a.levelsLost < b.levelsLost;
  if (a.score != b.score) return a.score > b.score;
  return a.goldWon > b.goldWon;
}

Stats::Stats() : fileName("stats.dat") {}

std::string Stats::FilePath() const { return GetInit().UserPath() + fileName; }

void Stats::Load() {
  records.clear();
  damagedInPlace_ = false;
  if (platform::PathIs(FilePath(), true)) {
    Log::Printf("The hall of fame %s is a folder, not a file: the hall is empty, and no record can be saved",
                platform::MapPath(FilePath()).c_str());
    return;
  }
  InFStream in(FilePath());
  std::string damage;
  if (in.Size() < 0 && platform::PathIs(FilePath(), false))
    damage = "it cannot be read";
  else if (in.BytesLeft() < 1)
    return;
  else
    records = Read(in, &damage, levelCount);
  if (!damage.empty()) SetDamagedFileAside(damage);
}

// The damaged file takes the first free name of "stats.dat.damaged",
// "stats.dat.damaged2", ... beside it, where nothing writes; the player is
// told. A file that cannot be moved stays, and the table is not saved over
// it in this run.
void Stats::SetDamagedFileAside(const std::string& damage) {
  const std::string path = FilePath();
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kDamagedHallOfFame);
  for (int n = 1; n <= kAsideNames; ++n) {
    const std::string aside = path + ".damaged" + (n > 1 ? std::to_string(n) : std::string());
    if (!platform::MoveKeepExisting(path, aside)) continue;
    Log::Printf("The hall of fame %s is damaged (%s): it is kept as %s, and its %d whole records stay",
                path.c_str(), damage.c_str(), aside.c_str(), static_cast<int>(records.size()));
    return;
  }
  Log::Printf("The hall of fame %s is damaged (%s) and cannot be set aside: it is not written over",
              path.c_str(), damage.c_str());
  damagedInPlace_ = true;
}

bool Stats::Save() const {
  if (damagedInPlace_) {
    Log::Printf("The hall of fame %s is not saved over its damaged file", FilePath().c_str());
    FileAlerts::SaveFailed(FileAlerts::Unsaved::kHallOfFame);
    return false;
  }
  OutFStream out(FilePath(), true);
  Write(out, records);
  if (out.Close()) {
    FileAlerts::SaveSucceeded(FileAlerts::Unsaved::kHallOfFame);
    return true;
  }
  Log::Printf("Could not save the hall of fame %s", FilePath().c_str());
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kHallOfFame);
  return false;
}

void Stats::AddRecord(const ScoreRecord& record) {
  records.push_back(record);
  RankAndCut(records);
  Save();
  CopyRecords();
}

bool Stats::AddRecordOnce(const ScoreRecord& record) {
  if (!CanBe(record, levelCount)) return false;
  const auto same = [&record](const ScoreRecord& r) { return SameWin(r, record); };
  const auto held = std::ranges::count_if(records, same);
  if (held > 1) {
    std::erase_if(records, same);
    AddRecord(record);
  }
  if (held > 0) return false;
  // Ranked after every record it does not rank above, as AddRecord places it.
  const auto before =
      std::ranges::count_if(records, [&](const ScoreRecord& r) { return !StatsRecordLess(record, r); });
  if (before >= static_cast<std::ptrdiff_t>(kKept)) return false;
  AddRecord(record);
  return true;
}

bool Stats::SameWin(const ScoreRecord& a, const ScoreRecord& b) {
  ScoreRecord writtenA = a;
  ScoreRecord writtenB = b;
  writtenA.name = XMLParser::WrittenValue(a.name);
  writtenB.name = XMLParser::WrittenValue(b.name);
  return writtenA == writtenB;
}

void Stats::CopyRecords() {
  std::vector<ScoreRecord> running = inProgress_ ? inProgress_() : std::vector<ScoreRecord>();
  shown = records;
  for (ScoreRecord& record : running) shown.push_back(std::move(record));
  RankAndCut(shown);
}

void Stats::SetInProgressSource(InProgressSource source) { inProgress_ = std::move(source); }

void Stats::Write(OutStream& out, const std::vector<ScoreRecord>& table) {
  WriteInt(out, static_cast<std::int32_t>(table.size()));
  for (const ScoreRecord& r : table) {
    WriteString(out, r.name);
    for (std::int32_t value : {r.level, r.gold, r.experience, r.difficulty, r.fightsWon, r.fightsLost, r.levelsLost,
                               r.goldWon, r.score})
      WriteInt(out, value);
  }
}

std::vector<ScoreRecord> Stats::Read(InStream& in, std::string* damage, std::int32_t levelCount) {
  std::vector<ScoreRecord> table;
  std::string found = ReadTable(in, table, levelCount);
  if (damage != nullptr) *damage = std::move(found);
  return table;
}

Stats& GetStats() {
  static Stats stats;
  return stats;
}
