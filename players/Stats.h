// The hall of fame: the best ten finished campaigns, kept in the binary
// file "stats.dat" of the user folder, and the list the hall-of-fame screen
// shows, which adds the campaigns still in progress. Main thread only.
#pragma once

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

  Stats();

  // Empties the table and reads user folder + fileName. A missing or empty
  // file leaves it empty; a record count beyond what the file holds reads
  // only the whole records there. Nothing is sorted or cut.
  void Load();
  // Writes the table through "stats.dat.tmp", moved over the file when
  // whole. False (and a log line) when it could not be written.
  bool Save() const;
  // Appends, ranks, keeps the best ten, saves, then CopyRecords.
  void AddRecord(const ScoreRecord& record);
  // shown := the table plus the campaigns in progress, ranked, cut to ten.
  void CopyRecords();
  void SetInProgressSource(InProgressSource source);

  // The table's bytes and their reading, for the file and for tests.
  static void Write(OutStream& out, const std::vector<ScoreRecord>& records);
  static std::vector<ScoreRecord> Read(InStream& in);

  std::string fileName;
  std::vector<ScoreRecord> records;  // at most ten after every addition, ranked
  std::vector<ScoreRecord> shown;    // what the screen lists

 private:
  std::string FilePath() const;

  InProgressSource inProgress_;
};

// The process's hall of fame.
Stats& GetStats();
