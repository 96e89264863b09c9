// The hydra's body grows an element head onto a free neighbouring cell
// whenever its recharge has run down, gains a fifth of every head's health
// as maximum health, and cannot move while two or more heads live. The heads
// are those of the board's head registry.
#pragma once

#include "board/YMonsterSpecial.h"

class YHydraSpecial final : public YMonsterSpecial {
 public:
  using YMonsterSpecial::YMonsterSpecial;

  SpecialKind Kind() const override { return SpecialKind::kHydraBody; }
  void GenerateMoves(const YTessorBoard& board, std::vector<YTessorMove>& moves) const override;
  void Apply(YTessorBoard& board, int x, int y) override;
  void PerTurn() override { CountDown(); }
  std::int32_t HealthBonus(const YTessorBoard& board) const override;
  bool CanMove(const YTessorBoard& board) const override;
  std::unique_ptr<YMonsterSpecial> CloneFor(YTessorUnit* newOwner) const override;
};
