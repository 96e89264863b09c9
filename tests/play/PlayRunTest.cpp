// The game as a new player meets it, through its window (PlayFixture.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/play/CraftedSaves.h"
#include "tests/play/PlayFixture.h"

namespace {

using namespace std::chrono_literals;
using play::kBoardGame;

class FirstPlay : public play::PlayRun {
 protected:
  // Every menu, dialog and setup the main menu leads to, each left by its
  // own button, back at the main menu.
  void VisitTheMenus() {
    ASSERT_TRUE(Open("new", "newHero.yml"));
    ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
    ASSERT_TRUE(Open("options", "options.yml"));
    ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
    ASSERT_TRUE(Open("hallFame", "hallFame.yml"));
    ASSERT_TRUE(Open("ok", "mainMenu.yml"));
    ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
    ASSERT_TRUE(Open("computer", "sg_computer.yml"));
    ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
    ASSERT_TRUE(Open("new", "sg_newHero.yml"));
    ASSERT_TRUE(Open("cancel", "sg_profiles.yml"));
    ASSERT_TRUE(Open("cancel", "sg_computer.yml"));
    ASSERT_TRUE(Open("cancel", "sg_menu.yml"));
    for (const char* setup : {"hotseat", "network", "internet"}) {
      ASSERT_TRUE(Open(setup, std::string("sg_") + setup + ".yml"));
      ASSERT_TRUE(Open("cancel", "sg_menu.yml"));
    }
    ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
    ASSERT_TRUE(Open("exit", "yesno.yml"));
    ASSERT_TRUE(Open("no", "mainMenu.yml"));
  }
  // The help book over the menu: a section's link turns to it, Escape goes
  // back, and F1 opens the book again where it was left; its bookmark closes
  // it.
  void VisitTheHelp() {
    ASSERT_TRUE(Click("help"));
    ASSERT_TRUE(Reach("book", "0x40004", "page "));
    ASSERT_TRUE(Click("page_last"));  // a link of the help's first spread
    ASSERT_TRUE(Reach("book", "0x40004", "page "));
    const std::string lastSpread = current_.detail;
    ASSERT_NE(lastSpread, "page 0");
    Press("Escape");
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
    Press("F1");
    ASSERT_TRUE(Reach("book", "0x40004", lastSpread));
    ASSERT_TRUE(Open("back", "mainMenu.yml"));
  }
};

TEST_F(FirstPlay, ANewHeroPassesTheDoorKeeperShopsSavesLeavesAndContinues) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("new"));
  ASSERT_TRUE(Reach("newHero.yml", "0x14"));
  ASSERT_TRUE(Click("ok"));
  // The introduction, four spreads; the last one's link begins the quest.
  ASSERT_TRUE(Reach("book", "0x5", "page 0"));
  for (const char* spread : {"page 2", "page 4", "page 6"}) {
    ASSERT_TRUE(Click("nextPage"));
    ASSERT_TRUE(Reach("book", "0x5", spread));
  }
  ASSERT_TRUE(Click("startGame"));
  // The door keeper's duel, with its message, which the stand-in wins at
  // its first turn.
  ASSERT_TRUE(Reach("message.yml"));
  ASSERT_TRUE(Click("ok"));
  ASSERT_TRUE(Reach("battle_victory.yml"));
  ASSERT_TRUE(Click("ok"));
  // Between levels: the control panel with the shop; a monster bought.
  ASSERT_TRUE(Reach("panel", "0x1"));
  const int gold = current_.gold;
  ASSERT_TRUE(Click("cp_shop"));
  ASSERT_TRUE(Reach("panel"));
  ASSERT_TRUE(Click("slot0"));
  ASSERT_TRUE(Reach("panel"));
  ASSERT_TRUE(Click("cp_buy"));
  ASSERT_TRUE(Reach("panel"));
  EXPECT_LT(current_.gold, gold) << "the monster was paid for";
  const int goldLeft = current_.gold;
  // Escape's question leaves the quest, which is saved, for the main menu.
  ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  ASSERT_TRUE(current_.at.count("continue")) << "a save to continue";
  ASSERT_TRUE(Click("exit"));
  ASSERT_TRUE(Reach("yesno.yml", "0xc"));
  ASSERT_TRUE(Click("yes"));
  ASSERT_EQ(own_.run->Wait(15s), std::optional<int>(0)) << own_.run->Stderr();

  // Started again, "continue" takes the only save back to the panel.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_TRUE(Reach("panel", "0x1"));
  EXPECT_EQ(current_.gold, goldLeft) << "the save keeps the purchase";
  ASSERT_TRUE(Open("cp_skill", "heroSkill.yml"));
  ASSERT_TRUE(Open("ok", "panel"));

  // A second hero's quest: two saves, so "continue" offers the choice.
  ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  ASSERT_NO_FATAL_FAILURE(BeginAQuest());
  ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  ASSERT_TRUE(Open("continue", "selectSave.yml"));
  ASSERT_TRUE(Click("1"));
  ASSERT_TRUE(Open("ok", "panel"));
  EXPECT_EQ(current_.gold, goldLeft) << "the first hero's save, with its purchase";
  Stop();
}

// The program ended between levels (a signal, as the window's close) leaves
// the quest as Escape's question does: saved where it stands, the monster
// just bought included.
TEST_F(FirstPlay, AQuestEndedByTheSystemIsSavedWhereItStands) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(BeginAQuest());
  const int gold = current_.gold;
  for (const char* control : {"cp_shop", "slot0", "cp_buy"}) ASSERT_TRUE(Open(control, "panel"));
  ASSERT_LT(current_.gold, gold) << "the monster was paid for";
  const int goldLeft = current_.gold;
  Stop();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("continue", "panel"));
  EXPECT_EQ(current_.gold, goldLeft);
  Stop();
}

// The game ended at a result box keeps what was won: at the door keeper's
// victory the quest goes on at the control panel; at the victory that
// empties the level's board, the level's reward is offered again.
TEST_F(FirstPlay, AWinStaysWonWhenTheGameEndsAtItsResult) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("new", "newHero.yml"));
  ASSERT_TRUE(Open("ok", "book"));
  Press("Escape");
  ASSERT_TRUE(Reach("message.yml"));
  ASSERT_TRUE(Open("ok", "battle_victory.yml"));
  Stop();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("continue", "panel"));
  EXPECT_EQ(current_.state, "0x1");
  Stop();

  std::filesystem::remove_all(UserFolder() / "save");
  std::filesystem::create_directories(UserFolder() / "save");
  testing_support::WriteFile(UserFolder() / "save" / "00000.yml", play::LastLevelSave(0));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_TRUE(Reach("battle_victory.yml", "", "", kBoardGame));
  Stop();
  // Left at its reward box and continued again, the level does not end a
  // second time: the save, its shop included, stays as the level's end
  // wrote it.
  const std::filesystem::path save = UserFolder() / "save" / "00000.yml";
  const std::string levelEnded = testing_support::ReadFile(save);
  for (int round = 0; round < 2; ++round) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
    ASSERT_TRUE(Click("continue"));
    ASSERT_TRUE(Reach("levelComplete.yml", "0x82"));
    if (round == 1) break;
    Stop();
    EXPECT_EQ(testing_support::ReadFile(save), levelEnded);
  }
  ASSERT_TRUE(Open("artifact", "panel"));
  Stop();
}

// Every menu screen in both interface languages, the second chosen on the
// options screen; each picture is kept for review.
TEST_F(FirstPlay, EveryMenuScreenOfBothLanguagesIsShownAndKept) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(VisitTheMenus());
  ASSERT_NO_FATAL_FAILURE(VisitTheHelp());
  ASSERT_TRUE(Open("options", "options.yml"));
  const int language = current_.current["language"];
  ASSERT_TRUE(Open("language", "options.yml"));  // the list opens
  ASSERT_TRUE(Open(language == 0 ? "item1" : "item0", "options.yml"));
  ASSERT_NE(current_.current["language"], language);
  ASSERT_TRUE(Open("ok", "mainMenu.yml"));
  EXPECT_TRUE(LogHas("Parse fonts from file, ui\\deutsch\\fonts.yml")) << Log();
  ASSERT_NO_FATAL_FAILURE(VisitTheMenus());
  // The help of the new language, opened where the old one was left.
  Press("F1");
  ASSERT_TRUE(Reach("book", "0x40004", "page "));
  Press("Escape");
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  Stop();
}

// A save in the campaign's last level: the stand-ins win it, and the
// quest's end leads through the final scene to the hall of fame. The won
// quest's save, continued, shows its final scene again.
TEST_F(FirstPlay, TheLastLevelWonLeadsThroughTheFinalSceneToTheHallOfFame) {
  ASSERT_GT(LevelCount(), 0);
  std::filesystem::create_directories(UserFolder() / "save");
  testing_support::WriteFile(UserFolder() / "save" / "00000.yml", play::LastLevelSave(LevelCount() - 1));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_TRUE(Reach("battle_victory.yml", "", "", kBoardGame));
  ASSERT_TRUE(Open("ok", "questFinal.yml"));
  ASSERT_NO_FATAL_FAILURE(WatchTheEnd());
  ASSERT_TRUE(Open("ok", "mainMenu.yml"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_NO_FATAL_FAILURE(WatchTheFinalScene());
  ASSERT_TRUE(Open("ok", "mainMenu.yml"));
  EXPECT_TRUE(current_.at.count("continue")) << "the won quest's save stays";
  Stop();
}

// A save cut short cannot go on: "continue" brings the menu back with the
// question that says why, and "yes" deletes the save.
TEST_F(FirstPlay, ASaveThatCannotGoOnIsExplainedAndDeleted) {
  std::string save = play::LastLevelSave(LevelCount() - 1);
  save.resize(save.rfind("</game>"));
  std::filesystem::create_directories(UserFolder() / "save");
  testing_support::WriteFile(UserFolder() / "save" / "00000.yml", save);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_TRUE(Reach("yesno.yml", "0x204"));
  EXPECT_NE(current_.text["mess"].find("damaged"), std::string::npos) << current_.text["mess"];
  ASSERT_TRUE(Open("yes", "mainMenu.yml"));
  EXPECT_FALSE(current_.at.count("continue")) << "no save is left";
  EXPECT_FALSE(std::filesystem::exists(UserFolder() / "save" / "00000.yml"));
  Stop();
}

}  // namespace
