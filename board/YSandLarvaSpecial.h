// A sand larva grows, once its recharge has run down, into one of three
// worms on its own cell; the worm keeps the larva's level and experience.
#pragma once

#include "board/YMonsterSpecial.h"

class YSandLarvaSpecial final : public YMonsterSpecial {
 public:
  using YMonsterSpecial::YMonsterSpecial;

  SpecialKind Kind() const override { return SpecialKind::kSandLarva; }
  void GenerateMoves(const YTessorBoard& board, std::vector<YTessorMove>& moves) const override;
  void Apply(YTessorBoard& board, int x, int y) override;
  void PerTurn() override { CountDown(); }
  std::unique_ptr<YMonsterSpecial> CloneFor(YTessorUnit* newOwner) const override;
};
