// The hall of fame: the best ten finished campaigns, kept in the binary
// file "stats.dat" of the user folder, and the list the hall-of-fame screen
// shows, which adds the campaigns still in progress. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "players/ScoreRecord.h"

class InStream;
class OutStream;

class Stats {
 public:
  // The campaigns in progress, as records (installed by the campaign mode).
  using InProgressSource = std::function<std::vector<ScoreRecord>()>;
  static constexpr std::size_t kKept = 10;
  // A level count that takes every level from 0.
  static constexpr std::int32_t kAnyLevels = 0x7fffffff;

  Stats();

  // Empties the table and reads user folder + fileName. A missing or empty
  // file leaves it empty. A file that cannot be read whole keeps its whole
  // records in the table and is moved aside to a name of its own, never to
  // be written over; that is logged and told to the player. Nothing is
  // sorted or cut.
  void Load();
  // Writes the table through "stats.dat.tmp", moved over the file when
  // whole. False (a log line, and the player told) when it could not be
  // written, or when a damaged file could not be moved aside.
  bool Save() const;
  // Appends, ranks, keeps the best ten, saves, then CopyRecords.
  void AddRecord(const ScoreRecord& record);
  // AddRecord for a finished campaign that may have been recorded already:
  // nothing happens when the table holds the same win (SameWin), or when
  // the record would not stay among the ten. Rows of one win that a build
  // before wrote twice become the one row `record`. True when it was added.
  bool AddRecordOnce(const ScoreRecord& record);
  // One win: equal values and names, a name equal up to what the save writer
  // makes of it (its double quotes written as apostrophes when it holds
  // both kinds of quote), so that a win recorded under the name the game
  // held is the win its save reads back.
  static bool SameWin(const ScoreRecord& a, const ScoreRecord& b);
  // shown := the table plus the campaigns in progress, ranked, cut to ten.
  void CopyRecords();
  void SetInProgressSource(InProgressSource source);

  // The table's bytes and their reading, for the file and for tests.
  static void Write(OutStream& out, const std::vector<ScoreRecord>& records);
  // Every whole record, in order; a record with a level or difficulty no
  // campaign gives (a level outside 0 to levelCount - 1) is left out. `damage`, when given, says what kept the
  // table from being read whole (a count cut short or negative, a record
  // cut short or with a wrong name length, fewer records than the count,
  // a record left out, bytes after the last record), or is emptied.
  static std::vector<ScoreRecord> Read(InStream& in, std::string* damage = nullptr,
                                       std::int32_t levelCount = kAnyLevels);

  std::string fileName;
  // The campaign's levels, which Load holds the records' levels to; the
  // game sets it from the campaign before loading.
  std::int32_t levelCount = kAnyLevels;
  std::vector<ScoreRecord> records;  // at most ten after every addition, ranked
  std::vector<ScoreRecord> shown;    // what the screen lists

 private:
  std::string FilePath() const;
  void SetDamagedFileAside(const std::string& damage);

  InProgressSource inProgress_;
  bool damagedInPlace_ = false;  // a damaged file that could not be moved aside
};

// The process's hall of fame.
Stats& GetStats();
