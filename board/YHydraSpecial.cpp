#include "board/YHydraSpecial.h"

#include <string_view>

#include "board/SpecialRules.h"
#include "board/YTessorBoard.h"
#include "players/PlayerRules.h"
#include "players/YPlayer.h"

namespace {
constexpr std::string_view kHeads[] = {"hydra_air", "hydra_fire", "hydra_earth", "hydra_water"};
}

void YHydraSpecial::GenerateMoves(const YTessorBoard& board, std::vector<YTessorMove>& moves) const {
  if (!Charged() || !special_rules::CatalogueHas(kHeads)) return;
  special_rules::AppendFreeNeighbours(board, Owner(), moves);
}

void YHydraSpecial::Apply(YTessorBoard& board, int x, int y) {
  const YMonsterType* head = special_rules::DrawType(board, kHeads);
  if (head == nullptr) return;
  special_rules::Spawn(board, *head, UnitClass::kBoss, Owner()->side, x, y);
  SetCounter(6);
}

std::int32_t YHydraSpecial::HealthBonus(const YTessorBoard& board) const {
  std::int64_t bonus = 0;
  for (const YPlayer* head : board.Heads()) bonus += head->health / 5;
  return SaturatedInt32(bonus);
}

bool YHydraSpecial::CanMove(const YTessorBoard& board) const {
  int living = 0;
  for (const YPlayer* head : board.Heads()) {
    if (head->health > 0) ++living;
  }
  return living <= 1;
}

std::unique_ptr<YMonsterSpecial> YHydraSpecial::CloneFor(YTessorUnit* newOwner) const {
  return std::make_unique<YHydraSpecial>(newOwner);
}
