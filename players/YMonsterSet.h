// The monster set that player profiles shop from: one offer of every type
// the hero's level allows (up to 18), restocked after every purchase, and
// buying back sold monsters at their full value. Main thread only.
#pragma once

#include "players/YMonsterShop.h"

class YMonsterSet : public YMonsterShop {
 public:
  // Attaches and, with `fill` and a hero, offers one monster of each
  // allowed type at the hero's level with its points spent in a fixed order.
  void Attach(YPlayerHero* hero, bool fill) override;
  // The full ItemValue of the monster; 0 without a hero.
  std::int32_t GetSellPrice(const YPlayerMonster& monster) const override;
  // As the shop's, but a copy of the bought monster stays on offer.
  bool Buy(int slot) override;
  // As the shop's, but the sold monster is freed, not offered.
  bool Sell(int armySlot) override;
};

// The set of the selected profile.
YMonsterSet& ProfileMonsterSet();
