#include "players/YMonsterShop.h"

#include <algorithm>
#include <vector>

#include "platform/Random.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"

namespace {

// The types a hero at level `lv` may be offered, in catalogue order: not
// bosses, started by `lv`, and either open-ended or reaching `lv`.
std::vector<const YMonsterType*> OfferCandidates(std::int32_t lv) {
  std::vector<const YMonsterType*> candidates;
  for (const auto& type : MonsterTypes()) {
    if (type->boss || type->startLevel > lv) continue;
    if (type->maxLevel > 64 || type->maxLevel >= lv) candidates.push_back(type.get());
  }
  if (candidates.empty() && !MonsterTypes().empty()) candidates.push_back(MonsterTypes().front().get());
  return candidates;
}

}  // namespace

YMonsterShop::YMonsterShop() = default;

YMonsterShop::~YMonsterShop() = default;

void YMonsterShop::AttachEmpty(YPlayerHero* hero) {
  player_ = hero;
  ClearOffers();
}

void YMonsterShop::Attach(YPlayerHero* hero, bool fill) {
  AttachEmpty(hero);
  if (hero == nullptr || !fill) return;
  const int count = (platform::Random() & 3) + 3;
  for (int slot = 0; slot < count; ++slot) OfferSlot(slot) = MakeOffer(0);
}

std::int32_t YMonsterShop::GetPrice(int slot) const {
  const YPlayerMonster* offer = Offer(slot);
  if (player_ == nullptr || offer == nullptr) return 0;
  return player_->ItemValue(*offer);
}

std::int32_t YMonsterShop::GetSellPrice(const YPlayerMonster& monster) const {
  return player_ == nullptr ? 0 : player_->SellValue(monster);
}

bool YMonsterShop::Buy(int slot) { return BuyOffer(slot) != nullptr; }

bool YMonsterShop::Sell(int armySlot) {
  std::unique_ptr<YPlayerMonster> sold = TakeSold(armySlot);
  if (!sold) return false;
  PutOffer(std::move(sold));
  return true;
}

const YPlayerMonster* YMonsterShop::BuyOffer(int slot) {
  if (player_ == nullptr || Offer(slot) == nullptr) return nullptr;
  const std::int32_t price = GetPrice(slot);
  if (!player_->BuyIntoFreeSlot(OfferSlot(slot).get(), price)) return nullptr;
  return OfferSlot(slot).release();  // the hero owns it now
}

std::unique_ptr<YPlayerMonster> YMonsterShop::TakeSold(int armySlot) {
  if (player_ == nullptr) return nullptr;
  const YPlayerMonster* monster = player_->SlotMonster(armySlot);
  if (monster == nullptr) return nullptr;
  const std::int32_t refund = GetSellPrice(*monster);
  return std::unique_ptr<YPlayerMonster>(player_->TakeFromSlot(armySlot, refund));
}

void YMonsterShop::PutOffer(std::unique_ptr<YPlayerMonster> monster) {
  for (std::unique_ptr<YPlayerMonster>& offer : offers_) {
    if (offer) continue;
    offer = std::move(monster);
    return;
  }
}

std::unique_ptr<YPlayerMonster> YMonsterShop::MakeOffer(std::int32_t levelCap) const {
  if (player_ == nullptr) return nullptr;
  const std::int32_t lv = std::min(levelCap, player_->level);
  const std::vector<const YMonsterType*> candidates = OfferCandidates(lv);
  if (candidates.empty()) return nullptr;
  // The type is drawn before the level, so seeded runs give the same offers.
  const int index = platform::Random() % static_cast<int>(candidates.size());
  const std::int32_t wanted = SaturatedInt32(static_cast<std::int64_t>(lv) + platform::Random() % 3 - 1);
  auto offer = std::make_unique<YPlayerMonster>(candidates[static_cast<std::size_t>(index)]->id, wanted, player_->strength);
  // The card shows an offer's values against its caps, which no board has set.
  SetCapsToBase(*offer);
  return offer;
}

void YMonsterShop::Refresh(std::int32_t levelCap) {
  if (player_ == nullptr) return;
  std::vector<int> filled;
  for (int slot = 0; slot < kOfferSlots; ++slot) {
    if (OfferSlot(slot)) filled.push_back(slot);
  }
  const int count = static_cast<int>(filled.size());
  if (count > 1) {
    const int remove = std::min(platform::Random() % 3, count / 3) + 1;
    for (int i = 0; i < remove; ++i) {
      const std::size_t j = static_cast<std::size_t>(platform::Random()) % filled.size();
      OfferSlot(filled[j]).reset();
      filled[j] = filled.back();
      filled.pop_back();
    }
  }
  const int empty = kOfferSlots - static_cast<int>(filled.size());
  const int half = empty / 2;
  const int add = std::min(platform::Random() % (half >= 2 ? half : 2) + 1, empty);
  for (int i = 0; i < add; ++i) PutOffer(MakeOffer(levelCap));
}

void YMonsterShop::ClearOffers() {
  for (std::unique_ptr<YPlayerMonster>& offer : offers_) offer.reset();
}

YPlayerMonster* YMonsterShop::Offer(int slot) const {
  return ValidSlot(slot) ? offers_[static_cast<std::size_t>(slot)].get() : nullptr;
}

void YMonsterShop::SetOffer(int slot, std::unique_ptr<YPlayerMonster> monster) {
  if (ValidSlot(slot)) OfferSlot(slot) = std::move(monster);
}

YMonsterShop& CampaignShop() {
  static YMonsterShop shop;
  return shop;
}
