// The campaign's monster shop: 18 offer slots attached to a hero, filled
// with random monsters the hero can buy once; sold monsters come back as
// offers. Offers are owned by the shop until bought. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "players/PlayerRules.h"

class YPlayerHero;
class YPlayerMonster;

class YMonsterShop {
 public:
  static constexpr int kOfferSlots = 18;

  // No hero, no offers.
  YMonsterShop();
  // Frees every offer.
  virtual ~YMonsterShop();
  YMonsterShop(const YMonsterShop&) = delete;
  YMonsterShop& operator=(const YMonsterShop&) = delete;

  // Attaches the hero (null detaches) and frees every offer; with `fill`
  // and a hero, 3 to 6 random offers go into slots 0 onward.
  virtual void Attach(YPlayerHero* hero, bool fill);
  // What the hero pays for an offer: 0 without a hero or offer there.
  virtual std::int32_t GetPrice(int slot) const;
  // What the hero gets for one of its monsters: 0 without a hero.
  virtual std::int32_t GetSellPrice(const YPlayerMonster& monster) const;
  // Buys an offer into the hero's army; false when there is no hero or
  // offer, the gold does not reach or the army is full.
  virtual bool Buy(int slot);
  // Sells the monster of an army slot; false when there is no hero or the
  // slot holds no monster of the hero's.
  virtual bool Sell(int armySlot);

  // Into the lowest empty offer slot; freed when all 18 are taken.
  void PutOffer(std::unique_ptr<YPlayerMonster> monster);
  // A random monster for the hero, its level near min(levelCap, the hero's
  // level); null without a hero or without any monster type.
  std::unique_ptr<YPlayerMonster> MakeOffer(std::int32_t levelCap) const;
  // Between campaign levels: some offers go, new ones come (never more
  // than there are empty slots).
  void Refresh(std::int32_t levelCap);
  void ClearOffers();

  YPlayerHero* Player() const { return player_; }
  // The offer in a slot; null for an empty slot or a number outside 0-17.
  YPlayerMonster* Offer(int slot) const;
  // Puts a monster into an offer slot, freeing what was there (the save
  // reader restores offers this way). Numbers outside 0-17 free the monster.
  void SetOffer(int slot, std::unique_ptr<YPlayerMonster> monster);

 protected:
  // Attaches and frees the offers without filling.
  void AttachEmpty(YPlayerHero* hero);
  // The purchase both kinds share: the offer goes into the hero's army at
  // GetPrice and its slot is emptied. Returns the bought monster (now the
  // hero's), or null when the purchase is refused.
  const YPlayerMonster* BuyOffer(int slot);
  // The sale both kinds share: the monster leaves the army slot and the hero
  // receives GetSellPrice. Returns it (the caller owns it), or null when the
  // slot holds no monster of the hero's.
  std::unique_ptr<YPlayerMonster> TakeSold(int armySlot);
  std::unique_ptr<YPlayerMonster>& OfferSlot(int slot) { return offers_[static_cast<std::size_t>(slot)]; }
  static bool ValidSlot(int slot) { return slot >= 0 && slot < kOfferSlots; }

 private:
  YPlayerHero* player_ = nullptr;
  std::array<std::unique_ptr<YPlayerMonster>, kOfferSlots> offers_;
};

// The campaign's shop.
YMonsterShop& CampaignShop();
