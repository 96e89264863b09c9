// The sand king breeds a sand larva onto a free neighbouring cell whenever
// its recharge has run down.
#pragma once

#include "board/YMonsterSpecial.h"

class YSandKingSpecial final : public YMonsterSpecial {
 public:
  using YMonsterSpecial::YMonsterSpecial;

  SpecialKind Kind() const override { return SpecialKind::kSandKing; }
  void GenerateMoves(const YTessorBoard& board, std::vector<YTessorMove>& moves) const override;
  void Apply(YTessorBoard& board, int x, int y) override;
  void PerTurn() override { CountDown(); }
  std::unique_ptr<YMonsterSpecial> CloneFor(YTessorUnit* newOwner) const override;
};
