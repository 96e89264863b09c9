#include "modes/DuelGold.h"

#include "board/YTessor.h"
#include "players/YPlayerHero.h"
#include "tiles/YTileset.h"

namespace duel_gold {

YPlayer* Receiver(const YTessor& board, const YPlayer& taker) {
  for (const YTessorUnit* unit : {board.moving, board.defender}) {
    if (unit == nullptr || unit->record != &taker) continue;
    if (unit->side != 0 && unit->side != 1) break;
    return board.Player(unit->side);
  }
  return board.Player(0);
}

void Pay(const YTessor& board, const YPlayer& taker, std::int32_t gold) {
  if (auto* hero = dynamic_cast<YPlayerHero*>(Receiver(board, taker))) hero->gold += gold;
}

void Route(YTileset& battle, const YTessor& board) {
  battle.SetGoldHook([&board](const YPlayer& taker, std::int32_t gold) { Pay(board, taker, gold); });
}

void InstallGoldRouting() {
  Route(GetTileset(), GetTessor());
}

}  // namespace duel_gold
