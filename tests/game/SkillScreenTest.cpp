// The skill screen on the shipped layout: the steps its buttons allow, and
// records whose costs or values would divide by nothing.
#include "game/screens/SkillScreen.h"

#include <gtest/gtest.h>

#include "players/YPlayerHero.h"
#include "tests/support/TestSupport.h"
#include "ui/UIParser.h"
#include "ui/UIRoot.h"
#include "ui/UISpeedButton.h"

namespace {

struct SkillScreenTest : ::testing::Test {
  SkillScreenTest() {
    UIParser::LoadLayout("ui\\english\\styles.yml");
    screen = UIParser::LoadLayout("ui\\english\\heroSkill.yml");
    // Air costs 1, the others 2; every skill stands at 5 of a limit of 8.
    hero.baseMana = {5, 5, 5, 5};
    hero.startValues = {5, 5, 5, 5, 20};
    hero.skillCosts = {1, 2, 2, 2, 1};
    hero.level = 3;
    hero.points = 3;
  }
  bool Enabled(const char* name) const {
    return dynamic_cast<const UISpeedButton&>(*screen->FindChild(name)).State() != UISpeedButton::kDisabled;
  }
  float Width(const char* name) const { return screen->FindChild(name)->rect.width; }

  testing_support::ScopedCwd cwd{QV_GAME_DIR};
  UIRoot ui{1000, 625, nullptr};
  std::unique_ptr<UIControl> screen;
  SkillScreen skill{ui, screen, nullptr};
  YPlayerHero hero;
};

// "minus" stops at the stored value, so points spent on an earlier visit
// stay spent; "plus" needs the skill's cost and stops at the level's limit.
TEST_F(SkillScreenTest, SpentPointsStaySpentAndPlusNeedsTheCostAndTheLimit) {
  skill.Show(&hero);
  EXPECT_FALSE(Enabled("minus0"));
  skill.OnClick("plus0");
  skill.OnClick("minus0");
  skill.OnClick("minus0");
  EXPECT_EQ(skill.skillValues[0], 5);
  EXPECT_EQ(skill.skillPointsLeft, 3);
  skill.OnClick("plus1");
  skill.OnClick("plus1");  // 1 point left of a cost of 2
  EXPECT_EQ(skill.skillValues[1], 6);
  EXPECT_FALSE(Enabled("plus1"));
  hero.points = 9;
  skill.Show(&hero);
  for (int i = 0; i < 5; ++i) skill.OnClick("plus0");
  EXPECT_EQ(skill.skillValues[0], 8);
  EXPECT_FALSE(Enabled("plus0"));
  EXPECT_EQ(Width("bar0"), Width("bar"));  // the longest reachable fills the bar
}

// A cost of 0 (a damaged file) buys nothing; a hero with nothing to reach
// keeps the bars' scale.
TEST_F(SkillScreenTest, ACostOfZeroOrNothingToReachDividesByNothing) {
  hero.skillCosts = {0, 2, 2, 2, 1};
  skill.Show(&hero);
  skill.OnClick("plus0");
  EXPECT_EQ(skill.skillValues[0], 5);
  EXPECT_FALSE(Enabled("plus0"));
  YPlayerHero empty;
  skill.skillBarScale = 2.0f;
  skill.Show(&empty);
  EXPECT_EQ(skill.skillBarScale, 2.0f);
  EXPECT_EQ(Width("bar3"), 0.0f);
}

}  // namespace
