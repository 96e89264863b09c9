// The control panel with a recording renderer, a synthetic main font, a
// hero of made-up monsters and a shop: which tab each opening shows, the
// buttons each click offers, what the army, shop and list clicks change, the
// scroll range, the button geometry and the way to the game screens.
#include "draw/YControlPanel.h"

#include <gtest/gtest.h>

#include <memory>

#include "draw/CardDrawing.h"
#include "draw/TextDrawing.h"
#include "framework/YLocale.h"
#include "players/TileTables.h"
#include "players/YMonsterShop.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/framework/LogCapture.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UIButton.h"
#include "ui/UIHotLine.h"
#include "ui/UIRoot.h"
#include "ui/UIScrollBar.h"
#include "ui/UISpeedButton.h"

namespace {

using namespace panel;

struct HeroDeleter {
  void operator()(YPlayerHero* hero) const { YPlayerHero::DeleteWithArmy(hero); }
};
using Hero = std::unique_ptr<YPlayerHero, HeroDeleter>;

class ControlPanel : public ::testing::Test, public PanelScreens {
 protected:
  ControlPanel() {
    widget_test::SyntheticFont("mainfont");
    testing_support::WriteFile(dir.File("locale.yml"),
                               "<locale><str name=\"cp_spells\">Spells</str><str name=\"cp_buy\">Buy</str>"
                               "<str name=\"cp_cost\">Price %d %d</str></locale>");
    GetLocale().Load(dir.File("locale.yml"));
    YMonsterType* type = FindOrAddMonsterType("panel_test_beetle");
    type->start = {2, 4, 12, 4, 51};  // worth 3 x 2 + 22 + 51 = 79 gold to a hero of strength 1
    hero = MakeHero();
    shop.Attach(hero.get(), false);
    for (int offer = 0; offer < 3; ++offer) shop.SetOffer(offer, Monster());
    panel.Build();
    panel.SetScreens(this);
  }
  static std::unique_ptr<YPlayerMonster> Monster() {
    return std::make_unique<YPlayerMonster>(*FindMonsterType("panel_test_beetle"));
  }
  // A hero in army slot 4 with monsters in slots 0 and 13 and 100 gold.
  static Hero MakeHero() {
    Hero made(new YPlayerHero());
    made->slots[4] = made.get();
    made->slots[0] = Monster().release();
    made->slots[13] = Monster().release();
    made->gold = 100;
    return made;
  }
  // A click (with the move before it) at the middle of a slot of the tab.
  void Click(int slot) {
    const YRect r = SlotRect(panel.tab, slot);
    const float x = (r.x + r.width / 2) / 500 - 1, y = (625 - 2 * (r.y + r.height / 2)) / 1000;
    panel.OnMouseMove(x, y);
    panel.OnMouseDown(1, x, y);
  }
  void Press(UIControl* control) { panel.OnEvent(ui_event::kClick, control); }
  void ShowHeroSkill(YPlayerHero* player) override { skillShownFor = player; }
  void BackToMenu() override { ++wentBack; }

  testing_support::ScopedTempDir dir;
  RecordingRender render;
  UIRoot root{1000, 625, nullptr};
  YControlPanel panel;
  Hero hero;
  YMonsterShop shop;
  YPlayerHero* skillShownFor = nullptr;
  int wentBack = 0;
};

TEST_F(ControlPanel, OpeningPicksTheTabAndRefreshesAKeptOne) {
  const std::pair<int, int> withoutShop[] = {
      {2, kSpellsTab}, {3, kSpellsTab}, {1, kArtifactsTab}, {-4, kSpellsTab}};
  for (const auto& [wanted, shown] : withoutShop) {
    panel.SetPlayer(hero.get(), nullptr, wanted);
    EXPECT_EQ(panel.tab, shown) << wanted;
    EXPECT_EQ(panel.tabLinks[kShopTab]->State(), UIHotLine::kDisabled);
  }
  EXPECT_EQ(root.PendingScreen(), panel.window.get());
  panel.SetPlayer(hero.get(), &shop, kArmyTab);
  EXPECT_EQ(panel.tabLinks[kShopTab]->State(), UIHotLine::kNormal);
  EXPECT_EQ(panel.freeSlots, 15);
  Click(0);
  ASSERT_TRUE(panel.sellButton->IsVisible());
  // Another hero with the same shop and no valid tab: the army tab again,
  // but for the new hero, with nothing selected.
  Hero other = MakeHero();
  other->slots[7] = Monster().release();
  shop.Attach(other.get(), false);
  panel.SetPlayer(other.get(), &shop, 9);
  EXPECT_EQ(panel.tab, kArmyTab);
  EXPECT_EQ(panel.selectedSlot, -1);
  EXPECT_FALSE(panel.sellButton->IsVisible());
  EXPECT_EQ(panel.freeSlots, 14);
}

TEST_F(ControlPanel, ArmyClicksSwapSlotsAndNeverOfferTheHeroForSale) {
  panel.SetPlayer(hero.get(), &shop, kArmyTab);
  YPlayer* unit = hero->slots[0];
  Click(0);
  Click(8);  // an empty slot: the unit moves there
  EXPECT_EQ(hero->slots[8], unit);
  EXPECT_EQ(hero->slots[0], nullptr);
  Click(4);  // the hero: selectable for moving, not for sale
  EXPECT_EQ(panel.selectedSlot, 4);
  EXPECT_FALSE(panel.sellButton->IsVisible());
  Click(13);
  EXPECT_EQ(hero->slots[13], hero.get());
  Click(8);
  ASSERT_TRUE(panel.sellButton->IsVisible());
  Press(panel.sellButton);  // half of 79, rounded toward zero
  EXPECT_EQ(hero->gold, 139);
  EXPECT_EQ(hero->slots[8], nullptr);
  EXPECT_EQ(panel.freeSlots, 16);
}

TEST_F(ControlPanel, BuyIsOfferedOnlyForWhatTheHeroCanPayAndPlace) {
  const sound_test::OneSound buy("buy");
  panel.SetPlayer(hero.get(), &shop, kShopTab);
  Click(0);
  EXPECT_TRUE(panel.buyButton->IsVisible());
  Click(0);  // the selected offer again: deselected
  EXPECT_EQ(panel.selectedSlot, -1);
  EXPECT_FALSE(panel.buyButton->IsVisible());
  hero->gold = 78;
  Click(1);
  EXPECT_EQ(panel.selectedSlot, 1);
  EXPECT_FALSE(panel.buyButton->IsVisible());
  hero->gold = 79;
  Click(2);
  ASSERT_TRUE(panel.buyButton->IsVisible());
  hero->gold = 10;  // the price no longer reached: the purchase fails
  Press(panel.buyButton);
  EXPECT_EQ(panel.selectedSlot, -1);
  EXPECT_FALSE(panel.buyButton->IsVisible());
  EXPECT_EQ(panel.freeSlots, 15);
  EXPECT_EQ(buy.Plays(), 1u);  // the failed buy sounds too
  hero->gold = 100;
  Click(2);
  Press(panel.buyButton);
  EXPECT_EQ(panel.freeSlots, 14);
  EXPECT_EQ(hero->gold, 21);
  hero->gold = 100;
  Click(1);
  ASSERT_TRUE(panel.buyButton->IsVisible());
  for (int slot = 0; slot < 18; ++slot)
    if (!hero->slots[static_cast<std::size_t>(slot)])
      hero->slots[static_cast<std::size_t>(slot)] = Monster().release();
  Press(panel.buyButton);  // the army filled up after the offer was chosen
  EXPECT_EQ(panel.selectedSlot, -1);
  EXPECT_EQ(panel.freeSlots, 14);
  EXPECT_EQ(hero->gold, 100);
  EXPECT_EQ(buy.Plays(), 3u);
  panel.SetTab(kShopTab);
  Click(1);
  EXPECT_FALSE(panel.buyButton->IsVisible());  // no free place
}

TEST_F(ControlPanel, ScrollRangeFollowsTheSpareList) {
  std::array<YTileSpell, 12> spells{};
  struct Case {
    int spare, active;
    bool shownOnTab, shownAfterMove;
    int rows;
  };
  const Case cases[] = {{9, 0, false, false, 0},
                        {10, 0, true, false, 6},
                        {11, 0, true, true, 6},
                        {9, 1, false, false, 0},
                        {10, 1, true, true, 6}};
  for (const Case& c : cases) {
    hero->spareSpells.clear();
    hero->spells.clear();
    for (int i = 0; i < c.spare; ++i) hero->spareSpells.push_back(&spells[static_cast<std::size_t>(i)]);
    if (c.active > 0) hero->spells.push_back(&spells[11]);
    panel.SetPlayer(hero.get(), &shop, kSpellsTab);
    EXPECT_EQ(panel.scrollBar->IsVisible(), c.shownOnTab) << c.spare << " " << c.active;
    if (c.shownOnTab) {
      EXPECT_EQ(panel.scrollBar->Total(), c.rows);
    }
    panel.scrollBar->SetPos(1);
    panel.RefreshScrollBar();
    EXPECT_EQ(panel.scrollBar->IsVisible(), c.shownAfterMove) << c.spare << " " << c.active;
    EXPECT_EQ(panel.scrollBar->GetPos(), 0);
  }
}

TEST_F(ControlPanel, SelectIsOfferedWhileFewerThanFiveSpellsAreActive) {
  std::array<YTileSpell, 7> spells{};
  for (std::size_t i = 0; i < 5; ++i) hero->spells.push_back(&spells[i]);
  hero->spareSpells = {&spells[5], &spells[6]};
  panel.SetPlayer(hero.get(), nullptr, kSpellsTab);
  Click(5);
  EXPECT_EQ(panel.selectedSlot, 5);
  EXPECT_FALSE(panel.selectButton->IsVisible());
  Click(1);  // onto an active spell: the two change places
  EXPECT_EQ(hero->spells[1], &spells[5]);
  EXPECT_EQ(hero->spareSpells[0], &spells[1]);
  Click(0);
  Press(panel.unselectButton);
  Click(5);
  ASSERT_TRUE(panel.selectButton->IsVisible());  // four active now
  Press(panel.selectButton);
  EXPECT_EQ(hero->spells.back(), &spells[1]);
}

TEST_F(ControlPanel, ButtonsAndListTextSizeComeFromTheTexts) {
  const std::tuple<int, float> aligns[] = {{kAlignLeft, 730}, {kAlignRight, 596}, {kAlignCentre, 663}};
  for (const auto& [align, left] : aligns) {
    const auto button = MakePanelButton("b", 730, 215, 20, align, "abcd");  // 2 wide at size 1
    EXPECT_FLOAT_EQ(button->rect.height, 30);
    EXPECT_FLOAT_EQ(button->rect.width, 2 * 20 * 1.1f + 90);
    EXPECT_FLOAT_EQ(button->rect.x, left);
  }
  EXPECT_FLOAT_EQ(panel.tabLinks[1]->rect.x, 25 + (3 + 1) * 25);  // after "Spells"
  GetTileTables().AddSpell().name = std::string(20, 'x');         // 10 wide at size 1
  panel.Build();
  EXPECT_FLOAT_EQ(cpListTextSize, 17);
  GetTileTables().Clear();
}

TEST_F(ControlPanel, ContinueAndSkillReachTheScreensOrAreLogged) {
  panel.SetPlayer(hero.get(), &shop, kSpellsTab);
  Press(panel.skillButton);
  Press(panel.continueButton);
  EXPECT_EQ(skillShownFor, hero.get());
  EXPECT_EQ(wentBack, 1);
  panel.SetScreens(nullptr);
  LogCapture log;
  Press(panel.continueButton);  // no screens: logged, nothing else
  EXPECT_EQ(log.Lines().size(), 1u);
}

}  // namespace
