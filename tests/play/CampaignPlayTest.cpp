// The quest campaign played through the window, level by level, with every
// result screen it has: the door keeper lost and won, levels lost and
// retried, both rewards, the fine, the final scene and the hall of fame;
// and a level whose file is damaged.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestSupport.h"

#include "tests/play/PlayFixture.h"

namespace {

using play::kBoardGame;

// The screens that end a duel and those that end a level.
constexpr const char* kDuelResults = "battle_victory.yml|defeat.yml|battle_draw.yml";
constexpr const char* kLevelResults = "levelComplete.yml|levelComplete2.yml|levelFail.yml|questFinal.yml";

class Campaign : public play::PlayRun {
 protected:
  // From the main menu to the door keeper's message, the introduction
  // skipped.
  void NewQuest() {
    ASSERT_TRUE(Open("new", "newHero.yml"));
    ASSERT_TRUE(Open("ok", "book"));
    Press("Escape");
    ASSERT_TRUE(Reach("message.yml"));
  }
  // From the control panel: the next level played to its end, every duel's
  // result acknowledged; the level's result screen is the current one.
  void PlayLevel() {
    ASSERT_TRUE(Click("cp_continue"));
    for (;;) {
      ASSERT_TRUE(Reach(std::string(kDuelResults) + "|" + kLevelResults, "", "", kBoardGame));
      if (std::string(kLevelResults).find(current_.name) != std::string::npos) return;
      ASSERT_TRUE(Click("ok"));
    }
  }
  // From the panel: the quest left for the menu (which saves it), the game
  // quit and started again, and "continue" back to the panel.
  void QuitAndContinue() {
    ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
    ASSERT_TRUE(Open("exit", "yesno.yml"));
    ASSERT_TRUE(Click("yes"));
    ASSERT_EQ(own_.run->Wait(std::chrono::seconds(15)), std::optional<int>(0)) << own_.run->Stderr();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
    ASSERT_TRUE(Open("continue", "panel"));
  }
  // On the panel's spells or artifacts tab: the item in `slot` taken out of
  // use (or into it), which shows as the other button on its new slot.
  void MoveItem(const std::string& slot, const std::string& button, const std::string& newSlot,
                const std::string& newButton) {
    ASSERT_TRUE(Open(slot, "panel"));
    ASSERT_TRUE(current_.at.count(button)) << slot << " holds nothing to move";
    ASSERT_TRUE(Open(button, "panel"));
    ASSERT_TRUE(Open(newSlot, "panel"));
    ASSERT_TRUE(current_.at.count(newButton)) << slot << " was not moved to " << newSlot;
    ASSERT_TRUE(Open(newSlot, "panel"));  // the selection dropped again
  }
};

// Between levels, level 0 next: a hero with no army.
const char* const kBetweenLevelsSave = R"(<game state="0" level="0">
<hero name="Wanderer" face="textures\heroes\sylph_male.tga" move="fly" distance="3" gold="1600">
<evol slot="4">
<data type="now" air="14" fire="6" earth="5" water="8" health="108">
<data type="start" air="14" fire="6" earth="5" water="8" health="108">
<data type="self" air="14" fire="6" earth="5" water="8" health="108">
<data type="skill" air="1" fire="2" earth="2" water="2" health="1">
</hero>
<shop>
</shop>
</game>
)";

// A level cut short in the program folder is not started: its message
// shows over the control panel, which stays when it is closed.
TEST_F(Campaign, ALevelThatCannotBeReadIsNotStarted) {
  const std::filesystem::path copy = tmp.Path() / "game";
  program_ = e2e::CopyProgramFolder(PlayProgram(), copy, {"levels"});
  const std::string level = testing_support::ReadFile(copy / "levels" / "level01.yml");
  testing_support::WriteFile(copy / "levels" / "level01.yml", level.substr(0, level.size() / 2));
  std::filesystem::create_directories(UserFolder() / "save");
  testing_support::WriteFile(UserFolder() / "save" / "00000.yml", kBetweenLevelsSave);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("continue", "panel"));
  ASSERT_TRUE(Click("cp_continue"));
  ASSERT_TRUE(Reach("message.yml", "0x1"));
  ASSERT_TRUE(Open("ok", "panel"));
  EXPECT_EQ(current_.state, "0x1");
}

// CI's share of the campaign: the door keeper lost and won, the shop, a
// spell moved, the first level lost, retried and won for its artifact, the
// artifact moved, and a quit and continue that finds it all as it was left.
TEST_F(Campaign, TheFirstLevelsWithEveryTurnOfFortune) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(NewQuest());
  // The door keeper wins once: his message, and the duel again.
  StandIn("lose");
  ASSERT_TRUE(Click("ok"));
  ASSERT_TRUE(Reach("defeat.yml"));
  ASSERT_TRUE(Click("ok"));
  ASSERT_TRUE(Reach("message.yml"));
  StandIn("win");
  ASSERT_TRUE(Open("ok", "battle_victory.yml"));
  ASSERT_TRUE(Open("ok", "panel"));

  // The shop: a monster bought, then sold from the army.
  const int gold = current_.gold;
  ASSERT_TRUE(OpenTab(3));
  ASSERT_TRUE(Open("slot0", "panel"));
  ASSERT_TRUE(Open("cp_buy", "panel"));
  ASSERT_LT(current_.gold, gold);
  const int goldAfterBuying = current_.gold;
  ASSERT_TRUE(OpenTab(2));
  ASSERT_TRUE(Open("slot5", "panel"));  // beside the hero, who stands in the front row's middle
  ASSERT_TRUE(Open("cp_sell", "panel"));
  ASSERT_GT(current_.gold, goldAfterBuying);
  // The hero's first spell taken out of use and back.
  ASSERT_TRUE(OpenTab(0));
  ASSERT_NO_FATAL_FAILURE(MoveItem("slot0", "cp_unselect", "slot5", "cp_select"));
  ASSERT_NO_FATAL_FAILURE(MoveItem("slot5", "cp_select", "slot0", "cp_unselect"));
  const int goldBeforeLevels = current_.gold;

  StandIn("lose");
  ASSERT_NO_FATAL_FAILURE(PlayLevel());
  ASSERT_EQ(current_.name, "levelFail.yml");
  ASSERT_TRUE(Open("ok", "panel"));
  StandIn("win");
  ASSERT_NO_FATAL_FAILURE(PlayLevel());
  ASSERT_EQ(current_.name, "levelComplete.yml");
  // The artifact, which goes into use, taken out of use and back.
  ASSERT_TRUE(Open("artifact", "panel"));
  EXPECT_GT(current_.gold, goldBeforeLevels) << "the level's duels paid";
  ASSERT_TRUE(OpenTab(1));
  ASSERT_NO_FATAL_FAILURE(MoveItem("slot0", "cp_unselect", "slot5", "cp_select"));
  ASSERT_NO_FATAL_FAILURE(MoveItem("slot5", "cp_select", "slot0", "cp_unselect"));
  const int goldLeft = current_.gold;

  ASSERT_NO_FATAL_FAILURE(QuitAndContinue());
  EXPECT_EQ(current_.gold, goldLeft);
  ASSERT_TRUE(OpenTab(1));
  ASSERT_TRUE(Open("slot0", "panel"));
  EXPECT_TRUE(current_.at.count("cp_unselect")) << "the artifact in use was kept";
  Stop();
}

// The whole campaign from a new hero to the hall of fame, quit and continued
// half way: one level's hero falls while its army wins, which costs the fine; the last level leads
// through the final scene to the hall of fame, which names the hero.
using LongCampaign = play::Long<Campaign>;

TEST_F(LongCampaign, FromTheDoorKeeperToTheHallOfFame) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(NewQuest());
  ASSERT_TRUE(Open("ok", "battle_victory.yml"));
  ASSERT_TRUE(Open("ok", "panel"));
  bool fined = false;
  for (int level = 0; level < LevelCount(); ++level) {
    SCOPED_TRACE("level " + std::to_string(level + 1));
    if (level == LevelCount() / 2) {  // a quit and continue half way
      const int gold = current_.gold;
      ASSERT_NO_FATAL_FAILURE(QuitAndContinue());
      EXPECT_EQ(current_.gold, gold);
    }
    // A monster to stand beside the hero, so that the hero can fall while
    // the army wins.
    if (level == 2) {
      ASSERT_TRUE(OpenTab(3));
      ASSERT_TRUE(Open("slot0", "panel"));
      ASSERT_TRUE(Open("cp_buy", "panel"));
      StandIn("hero-loses");
    }
    ASSERT_NO_FATAL_FAILURE(PlayLevel());
    if (current_.name == "questFinal.yml") break;
    ASSERT_EQ(current_.name, "levelComplete.yml");
    ASSERT_TRUE(Click(level % 2 == 0 ? "spell" : "artifact"));
    ASSERT_TRUE(Reach("panel|heroFine.yml"));
    if (current_.name == "heroFine.yml") {
      fined = true;
      StandIn("win");
      ASSERT_TRUE(Open("ok", "panel"));
    }
  }
  EXPECT_TRUE(fined) << "the fallen hero paid the fine";
  ASSERT_EQ(current_.name, "questFinal.yml");
  ASSERT_NO_FATAL_FAILURE(WatchTheEnd());
  bool named = false;
  for (const auto& [name, words] : current_.text) named = named || (name.rfind("name", 0) == 0 && words == "Wanderer");
  EXPECT_TRUE(named) << "the hero is in the hall of fame";
  ASSERT_TRUE(Open("ok", "mainMenu.yml"));
  Stop();
}

}  // namespace
