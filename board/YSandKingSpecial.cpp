#include "board/YSandKingSpecial.h"

#include <string_view>

#include "board/SpecialRules.h"
#include "board/YTessorBoard.h"
#include "players/YMonsterType.h"

namespace {
constexpr std::string_view kLarva[] = {"sand_larva"};
}

void YSandKingSpecial::GenerateMoves(const YTessorBoard& board, std::vector<YTessorMove>& moves) const {
  // Without the larva in the catalogue there is nothing to breed.
  if (!Charged() || !special_rules::CatalogueHas(kLarva)) return;
  special_rules::AppendFreeNeighbours(board, Owner(), moves);
}

void YSandKingSpecial::Apply(YTessorBoard& board, int x, int y) {
  const YMonsterType* larva = FindMonsterType(kLarva[0]);
  if (larva == nullptr) return;
  special_rules::Spawn(board, *larva, UnitClass::kPlain, Owner()->side, x, y);
  SetCounter(6);
}

std::unique_ptr<YMonsterSpecial> YSandKingSpecial::CloneFor(YTessorUnit* newOwner) const {
  return std::make_unique<YSandKingSpecial>(newOwner);
}
