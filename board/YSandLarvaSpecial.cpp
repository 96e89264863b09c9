#include "board/YSandLarvaSpecial.h"

#include <string_view>

#include "board/SpecialRules.h"
#include "board/YTessorBoard.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"

namespace {
constexpr std::string_view kWorms[] = {"bloodsucker", "midworm", "grim_worm"};
}

void YSandLarvaSpecial::GenerateMoves(const YTessorBoard&, std::vector<YTessorMove>& moves) const {
  if (!Charged() || !special_rules::CatalogueHas(kWorms)) return;
  moves.push_back({Owner(), Owner()->x, Owner()->y, move_kind::kSpecial});
}

// The move's cell is the larva's own; the worm takes the larva's place on
// the board and in the undo record, which keeps the larva from now on.
void YSandLarvaSpecial::Apply(YTessorBoard& board, int, int) {
  const YMonsterType* wormType = special_rules::DrawType(board, kWorms);
  if (wormType == nullptr) return;
  YTessorUnit* larva = Owner();
  auto record = std::make_unique<YPlayerMonster>(*wormType);
  record->level = larva->record->level;
  record->experience = larva->record->experience;
  record->shownExperience = larva->record->experience;
  auto worm = MakeUnit(UnitClass::kPlain, std::move(record), larva->side);
  board.SetRemovedUnit(larva);
  board.RemoveFromList(larva);
  YTessorUnit* placed = board.AddUnit(std::move(worm));
  board.SetCreatedUnit(placed);
  board.PlaceUnit(placed, larva->x, larva->y);
}

std::unique_ptr<YMonsterSpecial> YSandLarvaSpecial::CloneFor(YTessorUnit* newOwner) const {
  return std::make_unique<YSandLarvaSpecial>(newOwner);
}
