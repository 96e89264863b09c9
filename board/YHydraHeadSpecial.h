// A hydra head: no moves of its own; its record stands in the board's head
// registry while its unit exists, which is what the body counts.
#pragma once

#include "board/YMonsterSpecial.h"

class YHydraHeadSpecial final : public YMonsterSpecial {
 public:
  using YMonsterSpecial::YMonsterSpecial;

  SpecialKind Kind() const override { return SpecialKind::kHydraHead; }
  void GenerateMoves(const YTessorBoard&, std::vector<YTessorMove>&) const override {}
  void Apply(YTessorBoard&, int, int) override {}
  void PerTurn() override {}
  // Heads are not copied; a copied board registers the copied heads' records
  // itself.
  std::unique_ptr<YMonsterSpecial> CloneFor(YTessorUnit*) const override { return nullptr; }
};
