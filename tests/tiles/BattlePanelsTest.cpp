// The battle screen's panels: the mana bars' heights, the hints of the side
// panels (safe with any format text), the shield a side raised over its
// artifact, and every name the screen looks up in the shipped data.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/YLocale.h"
#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YTileSpell.h"
#include "tests/support/TestSupport.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/TileBattleScreen.h"
#include "tiles/YArtifactHint.h"
#include "tiles/YManaHint.h"
#include "tiles/YPlayerHint.h"
#include "tiles/YSlotsHint.h"
#include "tiles/YTileset.h"

namespace {

TEST(ManaBars, StandBetweenFourFifthsAndTheWholeHeightByTheirMaxima) {
  using Heights = std::array<float, 4>;
  EXPECT_EQ(YTileset::ManaBarHeights({5, 5, 5, 5}), (Heights{50, 50, 50, 50}));
  EXPECT_EQ(YTileset::ManaBarHeights({0, 0, 0, 0}), (Heights{50, 50, 50, 50}));
  EXPECT_EQ(YTileset::ManaBarHeights({0, 10, 5, 10}), (Heights{40, 50, 45, 50}));
}

class HintsTest : public ::testing::Test {
 protected:
  HintsTest() {
    tiles_test::SetFighter(ann_, "Ann", 30, 40);
    tiles_test::SetFighter(bob_, "Bob", 30, 40);
    ann_.level = 2;
    ann_.spells = {GetTileTables().FindSpell(0x2434), GetTileTables().FindSpell(0x0315)};
    ann_.artifact = &amulet_;
    battle_.BeginBattle("layouts\\standard.lay", &ann_, &bob_, 0);
  }
  template <typename Hint, typename... Args>
  std::pair<std::string, std::string> Describe(float mouseY, Args&&... args) {
    Hint hint(YRect(9, 304, 130, 150), std::forward<Args>(args)...);
    hint.battle = &battle_;
    std::string title = "-", text = "-";
    if (!hint.Describe(10, mouseY, title, text)) return {"none", "none"};
    return {title, text};
  }

  tiles_test::ShippedLayoutsFolder folder_;
  YArtifact amulet_{"amulet", "Stone Amulet", "Hardens the skin."};
  YPlayer ann_, bob_;
  YTileset battle_;
};

TEST_F(HintsTest, ShowTheValuesOfTheirSideInTheirFormatWhateverItAsksFor) {
  ann_.shownExperience = 70;
  ann_.shownMana[2] = 12;
  EXPECT_EQ(Describe<YPlayerHint>(310, 0, "L%d xp %d hp %d/%d %d%s"),
            (std::pair<std::string, std::string>{"Ann", "L3 xp 70 hp 30/40 "}));
  EXPECT_EQ(Describe<YManaHint>(310, 0, 2, "%d of %d").second, "12 of 40");
  EXPECT_EQ(Describe<YManaHint>(310, 1, 7, "%d").first, "none");
}

TEST_F(HintsTest, TheSlotsHintNamesTheSpellOfTheRowUnderTheMouse) {
  EXPECT_EQ(Describe<YSlotsHint>(304 + 35, 0).first, ann_.spells[1]->name);
  EXPECT_EQ(Describe<YSlotsHint>(304 + 65, 0).first, "none");  // a row without a spell
  EXPECT_EQ(Describe<YSlotsHint>(310, 1).first, "none");       // a side without spells
}

TEST_F(HintsTest, AShieldRaisedThisTurnStandsOverTheArtifact) {
  EXPECT_EQ(Describe<YArtifactHint>(240, 0).first, "Stone Amulet");
  EXPECT_EQ(Describe<YArtifactHint>(240, 1).first, "none");
  const int shield = GetTileTables().FindKindIndex(0x29);
  const std::vector<int> free = battle_.FreeTiles();
  ASSERT_GE(free.size(), 2u);
  battle_.Board().tiles[static_cast<std::size_t>(free[0])].kind = shield;
  battle_.Board().tiles[static_cast<std::size_t>(free[1])].kind = shield;
  battle_.DoMove(free[0], free[1]);
  battle_.Update(0.02f);  // no effects run here: the move is finished at once
  ASSERT_NE(battle_.RememberedFlags(0) & DuelFlag::kShield, 0u);
  EXPECT_EQ(Describe<YArtifactHint>(240, 0).first,
            GetTileTables().Kinds()[static_cast<std::size_t>(shield)].name);
}

TEST(ShippedBattleContent, EveryShaderSoundAndTextTheBattleScreenNamesIsShipped) {
  const std::string shaders = testing_support::ReadFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  for (const char* name : TileBattleScreen::kShaderNames)
    EXPECT_NE(shaders.find("<shader name=\"" + std::string(name) + "\""), std::string::npos) << name;
  const std::string sounds = testing_support::ReadFile(std::string(QV_GAME_DIR) + "/data/sound_fx.yml");
  for (const char* name : TileBattleScreen::kSounds)
    EXPECT_NE(sounds.find("name=\"" + std::string(name) + "\""), std::string::npos) << name;
  for (const auto& folder : std::filesystem::directory_iterator(std::filesystem::path(QV_GAME_DIR) / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const char* key : YTileset::kHintKeys) EXPECT_FALSE(locale.GetText(key).empty()) << key;
  }
}

}  // namespace
