// A campaign save as read from its file, checked and not yet applied: the
// hero with its army, where the units stood, the enemy army of the level,
// the duel in progress and the shop's offers. The quest applies it to the
// board, the tile battle and the shop only once the whole file was read
// and found sound, so a refused save changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "players/PlayerRules.h"
#include "players/YPlayerMonster.h"
#include "tiles/YTileset.h"

class YPlayerHero;

struct QuestSaveData {
  // A monster read from the save and where it goes: its place in the list
  // it belongs to, and its board cell (-1, -1 for none).
  struct Unit {
    std::unique_ptr<YPlayerMonster> record;
    std::int32_t slot = 0;
    std::int32_t x = -1, y = -1;
  };
  struct Cell {
    std::int32_t x = -1, y = -1;
  };

  QuestSaveData() = default;
  // Frees a hero that was not taken, with its army.
  ~QuestSaveData();
  QuestSaveData(const QuestSaveData&) = delete;
  QuestSaveData& operator=(const QuestSaveData&) = delete;

  // The hero, now the caller's (with its army in its slots).
  YPlayerHero* TakeHero();

  std::int32_t state = 0;  // 0 between levels, 1 on the board, 2 in a duel, 3 won
  std::int32_t level = -1;
  bool rewardWaits = false;  // the level is won and its reward still to choose
  YPlayerHero* hero = nullptr;  // owned until taken
  Cell heroCell;
  std::array<Cell, kArmySlots> armyCells{};  // the army slots' board cells
  bool hasDesk = false;
  std::int32_t turn = 0;
  float clock = 0;
  std::int32_t goldAtLevel = 0;
  std::vector<Unit> enemies;  // side 1, in list order
  bool hasBattle = false;
  std::string layout;
  std::int32_t fighter0Slot = 0;   // the army slot of duel side 0's record
  std::int32_t fighter1Index = 0;  // side 1's list index of duel side 1's unit
  std::uint32_t battleFlags = 0;
  std::int32_t battleTurn = 0;
  std::int32_t goldAtFight = 0;
  std::int32_t experienceAtFight = 0;
  std::vector<YTileset::SavedTile> tiles;
  std::vector<Unit> shop;
};
