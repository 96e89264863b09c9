#include "players/Stats.h"

#include <algorithm>

#include "framework/InFStream.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/FileAlerts.h"
#include "framework/OutFStream.h"
#include "framework/StreamHelpers.h"

namespace {

// A record with an empty name: the two length bytes and nine values.
constexpr std::int32_t kSmallestRecord = 2 + 9 * 4;

void RankAndCut(std::vector<ScoreRecord>& records) {
  std::stable_sort(records.begin(), records.end(), StatsRecordLess);
  if (records.size() > Stats::kKept) records.resize(Stats::kKept);
}

bool ReadRecord(InStream& in, ScoreRecord& record) {
  ReadString(in, record.name);
  for (std::int32_t* value : {&record.level, &record.gold, &record.experience, &record.difficulty, &record.fightsWon,
                              &record.fightsLost, &record.levelsLost, &record.goldWon, &record.score})
    ReadInt(in, *value);
  return !in.Failed();
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
  InFStream in(FilePath());
  if (in.BytesLeft() < 1) return;
  records = Read(in);
}

bool Stats::Save() const {
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

void Stats::CopyRecords() {
  shown = records;
  if (inProgress_) {
    for (ScoreRecord& running : inProgress_()) shown.push_back(std::move(running));
  }
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

// The count is trusted only as far as the bytes left can hold records, so
// a damaged count never makes a large table; a record cut short ends the
// reading and is left out.
std::vector<ScoreRecord> Stats::Read(InStream& in) {
  std::int32_t count = 0;
  if (!ReadInt(in, count).Failed() && count <= 0) return {};
  const std::int32_t left = in.BytesLeft();
  if (left >= 0) count = std::min(count, left / kSmallestRecord);
  std::vector<ScoreRecord> table;
  for (std::int32_t i = 0; i < count && !in.Failed(); ++i) {
    ScoreRecord record;
    if (ReadRecord(in, record)) table.push_back(std::move(record));
  }
  return table;
}

Stats& GetStats() {
  static Stats stats;
  return stats;
}
