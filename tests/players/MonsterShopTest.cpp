// The campaign shop and the profiles' monster set: offers, the seeded order
// of draws, buying, selling, refreshing, and nothing to offer.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>

#include "platform/Random.h"
#include "players/YMonsterSet.h"
#include "players/YMonsterShop.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/players/PlayersFixture.h"

namespace {

class ShopTest : public PlayersTest {
 protected:
  void SetUp() override {
    PlayersTest::SetUp();
    hero.reset(new YPlayerHero());
    hero->slots[4] = hero.get();
    hero->gold = 100000;
  }
  void TearDown() override {
    shop.Attach(nullptr, false);
    set.Attach(nullptr, false);
    hero.reset();
    PlayersTest::TearDown();
  }

  int Offers(const YMonsterShop& s) const {
    int count = 0;
    for (int slot = 0; slot < YMonsterShop::kOfferSlots; ++slot) count += s.Offer(slot) != nullptr;
    return count;
  }
  void FillOffers(int count) {
    shop.Attach(hero.get(), false);
    for (int i = 0; i < count; ++i) {
      shop.SetOffer(i, std::make_unique<YPlayerMonster>("imp", 0, 1.0f));
      shop.Offer(i)->specialCounter = kOldMark;
    }
  }

  static constexpr int kOldMark = 777;  // marks the offers made before a refresh
  Hero hero;
  YMonsterShop shop;
  YMonsterSet set;
};

TEST_F(ShopTest, AttachOffersThreeToSixInTheFirstSlots) {
  std::set<int> counts;
  for (std::uint32_t seed = 1; seed <= 64; ++seed) {
    platform::SeedRandom(seed);
    shop.Attach(hero.get(), true);
    const int count = Offers(shop);
    counts.insert(count);
    for (int slot = 0; slot < YMonsterShop::kOfferSlots; ++slot) {
      const YPlayerMonster* offer = shop.Offer(slot);
      ASSERT_EQ(offer != nullptr, slot < count) << "seed " << seed;
      if (offer == nullptr) continue;
      EXPECT_NE(offer->typeId, "lord") << "bosses are never offered";
      EXPECT_EQ(FindMonsterType(offer->typeId)->startLevel, 0) << "level cap 0 at the start";
      EXPECT_EQ(offer->maxValues[5], offer->baseHealth) << "the card shows an offer against its caps";
    }
  }
  EXPECT_EQ(counts, (std::set<int>{3, 4, 5, 6}));
  platform::SeedRandom(1);  // 41 & 3 = 1: four offers
  shop.Attach(hero.get(), true);
  EXPECT_EQ(Offers(shop), 4);
  shop.Attach(hero.get(), false);
  EXPECT_EQ(Offers(shop), 0);
}

TEST_F(ShopTest, OffersDrawTheTypeBeforeTheLevel) {
  hero->level = 4;
  shop.Attach(hero.get(), false);
  // Candidates at level 4, in catalogue order: imp (max 10), golem (max 5), wyrm.
  // Seed 1 draws 41 (41 mod 3 = 2: wyrm), 18467 (mod 3 = 2: level 4 + 1),
  // then 6334 for the experience within level 5 (6334 mod 130 = 94).
  platform::SeedRandom(1);
  auto offer = shop.MakeOffer(99);
  ASSERT_NE(offer, nullptr);
  EXPECT_EQ(std::tuple(offer->typeId, offer->level, offer->experience), std::tuple("wyrm", 2, 360 + 94 - 160));
  hero->level = 9;
  platform::SeedRandom(1);
  offer = shop.MakeOffer(4);
  EXPECT_EQ(std::pair(offer->typeId, offer->level), std::pair(std::string("wyrm"), 2)) << "the cap holds the level";
}

TEST_F(ShopTest, BuyAndSellMoveMonstersAndGold) {
  FillOffers(2);
  const int price = shop.GetPrice(0);
  EXPECT_GT(price, 0);
  EXPECT_EQ(shop.GetPrice(5) + shop.GetPrice(-1), 0);  // empty, outside
  YPlayerMonster* bought = shop.Offer(0);
  ASSERT_TRUE(shop.Buy(0));
  EXPECT_EQ(shop.Offer(0), nullptr);
  EXPECT_EQ(hero->slots[5], bought);
  EXPECT_EQ(hero->gold, 100000 - price);
  EXPECT_FALSE(shop.Buy(0) || shop.Sell(4) || shop.Sell(6));  // gone, the hero's own slot, empty
  ASSERT_TRUE(shop.Sell(5));
  EXPECT_EQ(shop.Offer(0), bought) << "a sold monster is offered again";
  EXPECT_EQ(hero->gold, 100000 - price + price / 2);

  hero->gold = price - 1;
  EXPECT_FALSE(shop.Buy(0));
  EXPECT_EQ(shop.Offer(0), bought);
}

TEST_F(ShopTest, SellingIntoAFullShopStillPays) {
  FillOffers(18);
  hero->slots[0] = new YPlayerMonster("golem", 1, 1.0f);
  const int gold = hero->gold;
  const int refund = shop.GetSellPrice(*hero->SlotMonster(0));
  ASSERT_TRUE(shop.Sell(0));
  EXPECT_EQ(hero->gold, gold + refund);
  EXPECT_EQ(Offers(shop), 18);
}

TEST_F(ShopTest, RefreshRemovesAndAddsWithinTheRules) {
  struct Case {
    int filled, minRemoved, maxRemoved;
  };
  for (const Case c : {Case{1, 0, 0}, Case{2, 1, 1}, Case{12, 1, 3}, Case{18, 1, 3}, Case{17, 1, 3}}) {
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
      FillOffers(c.filled);
      platform::SeedRandom(seed);
      shop.Refresh(5);
      int kept = 0;
      for (int slot = 0; slot < 18; ++slot) kept += shop.Offer(slot) && shop.Offer(slot)->specialCounter == kOldMark;
      const int removed = c.filled - kept;
      ASSERT_GE(removed, c.minRemoved) << c.filled << " seed " << seed;
      ASSERT_LE(removed, c.maxRemoved) << c.filled << " seed " << seed;
      const int half = (18 - kept) / 2;
      const int added = Offers(shop) - kept;
      ASSERT_GE(added, 1);
      ASSERT_LE(added, std::min(half >= 2 ? half : 2, 18 - kept)) << c.filled << " seed " << seed;
    }
  }
}

TEST_F(ShopTest, NothingToOfferIsNotACrash) {
  EXPECT_EQ(shop.MakeOffer(3), nullptr) << "no hero";
  shop.Attach(hero.get(), false);
  ClearMonsterTypes();
  EXPECT_EQ(shop.MakeOffer(3), nullptr);
  shop.Attach(hero.get(), true);
  EXPECT_EQ(Offers(shop), 0);
  shop.Refresh(3);
  EXPECT_EQ(Offers(shop), 0);
  set.Attach(hero.get(), true);
  EXPECT_EQ(Offers(set), 0);
  FindOrAddMonsterType("boss")->boss = true;  // only a boss left: the first type
  auto offer = shop.MakeOffer(0);
  ASSERT_NE(offer, nullptr);
  EXPECT_EQ(offer->typeId, "boss");
}

TEST_F(ShopTest, MonsterSetOffersEveryAllowedTypeHighestStartFirst) {
  hero->level = 3;
  set.Attach(hero.get(), true);
  ASSERT_EQ(Offers(set), 3);
  EXPECT_EQ(std::tuple(set.Offer(0)->typeId, set.Offer(1)->typeId, set.Offer(2)->typeId),
            std::tuple("wyrm", "golem", "imp"));  // the boss left out
  const YPlayerMonster& golem = *set.Offer(1);
  EXPECT_EQ(golem.level, 2);
  EXPECT_EQ(golem.mana, golem.baseMana);
  EXPECT_EQ(golem.maxValues, (std::array<std::int32_t, 6>{golem.maxValues[0], 0, 4, 14, 5, golem.baseHealth}));
  // 10 points in passes over fire 3, earth 1, water 2: 6 in the first pass,
  // fire and earth in the second, nothing affordable in the third.
  EXPECT_EQ(golem.baseMana, (std::array<std::int32_t, 4>{0, 4, 14, 5}));
  EXPECT_EQ(golem.points, 0);

  hero->level = 0;
  set.Attach(hero.get(), true);
  EXPECT_EQ(Offers(set), 1);
}

TEST_F(ShopTest, MonsterSetRestocksAndRefundsInFull) {
  set.Attach(hero.get(), true);
  const YPlayerMonster* offer = set.Offer(0);
  const int price = set.GetPrice(0);
  ASSERT_TRUE(set.Buy(0));
  const YPlayerMonster* bought = hero->SlotMonster(5);
  ASSERT_EQ(bought, offer);
  const YPlayerMonster* restocked = set.Offer(0);
  ASSERT_TRUE(restocked && restocked != bought);
  EXPECT_EQ(std::tuple(restocked->typeId, restocked->baseMana, restocked->spells),
            std::tuple(bought->typeId, bought->baseMana, bought->spells));
  EXPECT_EQ(set.GetPrice(0), price);
  const int gold = hero->gold;
  ASSERT_TRUE(set.Sell(5));
  EXPECT_EQ(hero->gold, gold + price) << "the set pays the full value";
  EXPECT_EQ(hero->slots[5], nullptr);
  EXPECT_EQ(Offers(set), 1) << "the sold monster is freed, not offered";
}

}  // namespace
