// One row of the hall of fame: a finished (or, on the screen, a running)
// campaign's hero and counters.
#pragma once

#include <cstdint>
#include <string>

struct ScoreRecord {
  std::string name;
  std::int32_t level = 0;       // index of the campaign level reached
  std::int32_t gold = 0;
  std::int32_t experience = 0;
  std::int32_t difficulty = 0;  // the campaign's difficulty row
  std::int32_t fightsWon = 0;
  std::int32_t fightsLost = 0;
  std::int32_t levelsLost = 0;
  std::int32_t goldWon = 0;
  std::int32_t score = 0;       // experience gained in fights

  bool operator==(const ScoreRecord&) const = default;
};

// True when a ranks above b: higher level, then higher difficulty, then
// fewer levels lost, then higher score, then more gold won.
bool StatsRecordLess(const ScoreRecord& a, const ScoreRecord& b);
