// What the save list shows of one campaign save, read without resuming it:
// the save's own file name, the hero and its campaign counters, and whether
// the campaign was won; or, for a save that gives no summary, that it is
// there and damaged.
#pragma once

#include <cstdint>
#include <string>

#include "players/ScoreRecord.h"

class YTextureBase;

struct SaveInfo {
  std::string fileName;          // "00004.yml": the save this summary is of
  std::string name;              // the hero's
  YTextureBase* face = nullptr;  // the hero's face picture; null for none
  std::int32_t level = 0;        // index of the campaign level, at least 0
  std::int32_t experience = 0;
  std::int32_t gold = 0;
  std::int32_t difficulty = 0;
  std::int32_t kill = 0;           // fights won
  std::int32_t loss = 0;           // fights lost
  std::int32_t defeat = 0;         // levels lost
  std::int32_t goldall = 0;        // gold won
  std::int32_t experienceall = 0;  // experience won
  bool finished = false;           // the last level was won
  bool readable = true;            // false: the file cannot be read or shows no hero (name is the file's)

  // The hall-of-fame row of a campaign in progress.
  ScoreRecord ToScoreRecord() const {
    return {name, level, gold, experience, difficulty, kill, loss, defeat, goldall, experienceall};
  }
};
