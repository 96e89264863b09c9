// Where the quest gets the commanders of both battles: by default the user
// on side 0 and a computer of the hero's difficulty row on side 1; tests
// install a factory that puts computers on both sides, so that a whole
// campaign plays without a window.
#pragma once

#include <cstdint>
#include <memory>

class YPlayerCommander;
class YTessorPlayerCommander;

class QuestCommanders {
 public:
  virtual ~QuestCommanders() = default;
  // The board commander of `side` for a hero of difficulty row `row`.
  virtual std::unique_ptr<YTessorPlayerCommander> Board(int side, std::int32_t row);
  // The duel commander of `side` for a hero of difficulty row `row`.
  virtual std::unique_ptr<YPlayerCommander> Duel(int side, std::int32_t row);

  // The board computer and the duel computer of a difficulty row.
  static std::unique_ptr<YTessorPlayerCommander> BoardComputer(int side, std::int32_t row);
  static std::unique_ptr<YPlayerCommander> DuelComputer(int side, std::int32_t row);
};
