#include "modes/QuestCommanders.h"

#include "board/YTessorPlayerComputer.h"
#include "board/YTessorPlayerUI.h"
#include "players/DifficultyTable.h"
#include "tiles/YPlayerComputer.h"
#include "tiles/YPlayerUI.h"

std::unique_ptr<YTessorPlayerCommander> QuestCommanders::Board(int side, std::int32_t row) {
  if (side == 0) return std::make_unique<YTessorPlayerUI>(0);
  return BoardComputer(side, row);
}

std::unique_ptr<YPlayerCommander> QuestCommanders::Duel(int side, std::int32_t row) {
  if (side == 0) return std::make_unique<YPlayerUI>(0);
  return DuelComputer(side, row);
}

std::unique_ptr<YTessorPlayerCommander> QuestCommanders::BoardComputer(int side, std::int32_t row) {
  const DifficultyRow& r = DifficultyRowAt(row);
  return std::make_unique<YTessorPlayerComputer>(side, r.aggression, r.aggressionGrowth, r.boardDepth,
                                                 r.boardCandidates, r.boardSamples, r.timeLimitMs);
}

std::unique_ptr<YPlayerCommander> QuestCommanders::DuelComputer(int side, std::int32_t row) {
  const DifficultyRow& r = DifficultyRowAt(row);
  return std::make_unique<YPlayerComputer>(side, r.duelDepth, r.duelCandidates, r.duelSamples, r.timeLimitMs);
}
