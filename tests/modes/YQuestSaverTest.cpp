// Campaign saves: every state a quest saves in is written, resumed and
// written again byte for byte; defaults are left out; the summaries carry
// the hero's counters; hostile files are refused and leave the menu usable.
#include <gtest/gtest.h>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "framework/Init.h"
#include "modes/YQuestSaver.h"
#include "platform/Paths.h"
#include "players/PlayerRules.h"
#include "players/YPlayerHero.h"
#include "tests/framework/LogCapture.h"
#include "tests/modes/QuestFixture.h"
#include "tests/support/TestSupport.h"
#include "tiles/YTileset.h"

namespace fs = std::filesystem;
using quest_test::QuestTest;

namespace {

YTessorUnit* UnitOf(const YPlayer* record, int side) {
  for (YTessorUnit* unit : GetTessor().Board().Units(side)) {
    if (unit->record == record) return unit;
  }
  return nullptr;
}

class QuestSaves : public QuestTest {
 protected:
  // The save text now, resumed, and the text the resumed quest writes.
  void ExpectRoundTrip(const char* what) {
    const std::string before = quest.SaveText();
    ASSERT_FALSE(before.empty()) << what;
    ASSERT_TRUE(SaveAndResume()) << what;
    EXPECT_EQ(quest.SaveText(), before) << what;
  }
  // Level 0 on the board, the hero's unit about to fight the enemy.
  void StartLevelFight() {
    PassDoorKeeper();
    quest.Update();
    YTessor& board = GetTessor();
    YTessorUnit* hero = UnitOf(quest.Hero(), 0);
    ASSERT_NE(hero, nullptr);
    ASSERT_EQ(board.Board().Units(1).size(), 1u);
    YTessorUnit* enemy = board.Board().Units(1).front();
    board.Board().sideToMove = 0;
    board.ResumeFight(hero, enemy);
    quest.OnFight(hero, enemy);
    host.state = 3;  // the screens' state once the fight has faded in
  }
};

TEST_F(QuestSaves, EveryStateIsWrittenReadAndWrittenAgainByteForByte) {
  BeginQuest(2);
  // The fixture's seeded draw, whatever ran before in this process: a door
  // keeper with experience within its level, which its save must hold.
  ASSERT_EQ(quest.DoorKeeper()->experience, 1);
  ExpectRoundTrip("the door keeper's duel");
  const std::string keeper = quest.SaveText();
  EXPECT_NE(keeper.find("<game state=\"2\" level=\"-1\">"), std::string::npos);
  EXPECT_NE(keeper.find("<monster id=\"door_keeper\">\n<evol experience"), std::string::npos);
  EXPECT_EQ(keeper.find("pos_x"), std::string::npos) << "no cell is written for units off the board";
  EXPECT_EQ(keeper.find("<desk"), std::string::npos);

  PassDoorKeeper();
  ExpectRoundTrip("between levels");
  quest.Update();
  ASSERT_EQ(host.state, 2u);
  // The enemy stands on a mutex square, its values at that square's caps,
  // whichever element the clock gives the square.
  YTessor& board = GetTessor();
  for (float clock : {0.0f, 0.25f, 0.5f, 0.75f}) {
    YTessorUnit* enemy = board.Board().Units(1).front();
    board.Board().clock = clock;
    board.Board().RefreshCellEffects();
    const auto& caps = enemy->record->maxValues;
    enemy->record->mana = {caps[1], caps[2], caps[3], caps[4]};
    ExpectRoundTrip("on the board");
  }
  EXPECT_EQ(quest.SaveText().find(" gold=\"0\""), std::string::npos) << "defaults are left out";

  quest.OnRewardChoice(-1);
  quest.End();
}

TEST_F(QuestSaves, ADuelSavedInsideALevelResumesAndEndsAsABoardFight) {
  BeginQuest();
  StartLevelFight();
  host.state = 0x40003;  // the help book over the duel
  EXPECT_NE(quest.SaveText().find("<game state=\"2\""), std::string::npos);
  host.state = 3;
  ExpectRoundTrip("a duel inside a level");
  EXPECT_EQ(host.state, 3u);
  ASSERT_NE(GetTileset().Fighter(1), nullptr);
  GetTileset().Fighter(1)->health = 0;
  quest.OnFightEnd(0);
  quest.OnLevelEnd();
  EXPECT_TRUE(GetTessor().Board().Units(1).empty());
  EXPECT_NE(UnitOf(quest.Hero(), 0), nullptr) << "the hero took the enemy's square";
  EXPECT_TRUE(host.Saw("reward feather_charm 789"));
}

// Experience a duel brings raises no level before the fight is won: a duel
// resumed shows the levels it was saved with, and the win still brings the
// hero its new level's points.
TEST_F(QuestSaves, ADuelResumesWithTheLevelsItWasSavedWith) {
  BeginQuest();
  quest.DoorKeeper()->experience = 60;  // past the 40 of level 1
  quest.Hero()->experience = 45;
  ExpectRoundTrip("a duel whose fighters passed a level's experience");
  EXPECT_EQ(quest.DoorKeeper()->level, 0);
  EXPECT_EQ(quest.DoorKeeper()->experience, 60);
  EXPECT_EQ(quest.Hero()->level, 0);
  const std::int32_t points = quest.Hero()->points;
  PassDoorKeeper();
  EXPECT_GE(quest.Hero()->level, 1);
  EXPECT_EQ(quest.Hero()->points, points + 5 * quest.Hero()->level);
}

TEST_F(QuestSaves, TheWonQuestIsSavedAsTheLevelItEnds) {
  BeginQuest();
  PassDoorKeeper();
  quest.Update();
  GetTessor().ClearSide(1, true);
  quest.OnRewardChoice(1);
  quest.Update();
  ASSERT_EQ(quest.LevelIndex(), 1);
  GetTessor().ClearSide(1, true);
  ASSERT_TRUE(quest.IsFinished());
  host.state = 0x43;  // the result screen over the last fight
  EXPECT_NE(quest.SaveText().find("<game state=\"3\" level=\"1\">"), std::string::npos);
  ExpectRoundTrip("the won quest");
  EXPECT_EQ(host.state, 0x20002u) << "the board, with the final scene to follow once the fade ends";

  quest.LoadSaveList();
  ASSERT_EQ(quest.Saves().size(), 1u);
  const SaveInfo& info = quest.Saves().front();
  EXPECT_EQ(info.name, "Ada");
  EXPECT_EQ(info.level, 1);
  EXPECT_TRUE(info.finished);
  EXPECT_EQ(info.gold, quest.Hero()->gold);
  EXPECT_EQ(info.experience, quest.Hero()->experience);
}

// The game ended at a result box keeps what was won: the fight that won
// the level, with its reward still to choose, resumes at the reward; a lost
// level is saved to be tried again. A save of a won level whose hero is
// restored and off the board (its reward taken) goes on at the next level.
TEST_F(QuestSaves, AGameEndedAtAResultBoxKeepsTheResult) {
  BeginQuest();
  StartLevelFight();
  quest.OnFightEnd(0);
  ASSERT_EQ(host.state, 0x43u) << "the victory box";
  quest.TakeWaitingResult();
  EXPECT_TRUE(host.Saw("reward feather_charm 789"));
  const fs::path save = SaveFolder() / "00000.yml";
  const std::string won = testing_support::ReadFile(save);
  EXPECT_NE(won.find("<game state=\"1\" reward=\"1\">\n"), std::string::npos) << won;
  EXPECT_NE(won.find("<desk"), std::string::npos);
  EXPECT_EQ(won.find("<monster", won.find("<desk")), won.find("<shop") + 7) << "no enemy is left";

  host.calls.clear();
  quest.LoadSaveList();
  ASSERT_TRUE(quest.LoadSave(0));
  EXPECT_EQ(host.state, 0x42u) << "the level ends as the fade ends";
  quest.OnLevelEnd();
  EXPECT_TRUE(host.Saw("reward feather_charm 789"));
  EXPECT_FALSE(quest.NextLevelPending());

  // The same save as an older game wrote it, with the hero restored off the
  // board: the reward was taken.
  std::string taken = won;
  taken.erase(taken.find(" reward=\"1\""), 11);
  taken.erase(taken.find(" pos_x"), taken.find('>', taken.find(" pos_x")) - taken.find(" pos_x"));
  testing_support::WriteFile(save, taken);
  quest.LoadSaveList();
  ASSERT_TRUE(quest.LoadSave(0));
  EXPECT_EQ(host.state, 1u);
  EXPECT_EQ(quest.LevelIndex(), 1);
  EXPECT_TRUE(quest.NextLevelPending());

  // A lost level, ended at the defeat box: tried again from the panel.
  testing_support::WriteFile(save, won);
  quest.End();
  BeginQuest();
  StartLevelFight();
  quest.OnFightEnd(1);
  quest.TakeWaitingResult();
  EXPECT_TRUE(host.Saw("fail"));
  const std::string lost = testing_support::ReadFile(SaveFolder() / "00001.yml");
  EXPECT_NE(lost.find("<game state=\"0\">\n"), std::string::npos) << lost.substr(0, 300);
  EXPECT_TRUE(quest.NextLevelPending());
  EXPECT_EQ(quest.LevelIndex(), 0);
}

// The game left at the reward box and resumed, again and again, ends the
// level once: the box offers the same reward and taking it saves what
// taking it before leaving saves, shop included. The save itself says that
// the reward waits, also for a hero whose cell reads as none.
TEST_F(QuestSaves, ARewardBoxLeftAndResumedEndsItsLevelOnce) {
  BeginQuest();
  StartLevelFight();
  quest.OnFightEnd(0);
  quest.OnLevelEnd();
  ASSERT_EQ(host.state, 0x82u);
  quest.TakeWaitingResult();
  const fs::path save = SaveFolder() / "00000.yml";
  const std::string atBox = testing_support::ReadFile(save);
  quest.OnRewardChoice(1);
  const std::string taken = quest.SaveText();

  std::string cellless = atBox;
  const std::size_t cell = cellless.find(" pos_x", cellless.find("<evol"));
  cellless.erase(cell, cellless.find('>', cell) - cell);
  for (const std::string& left : {atBox, cellless}) {
    testing_support::WriteFile(save, left);
    for (int round = 0; round < 3; ++round) {
      host.calls.clear();
      quest.LoadSaveList();
      ASSERT_TRUE(quest.LoadSave(0));
      ASSERT_EQ(host.state, 0x42u) << round;
      if (round == 1) {
        quest.TakeWaitingResult();  // left again before the fade ended
        continue;
      }
      quest.OnLevelEnd();
      EXPECT_EQ(host.calls.back(), "reward feather_charm 789") << round;
      if (round == 0) quest.TakeWaitingResult();
    }
    quest.OnRewardChoice(1);
    EXPECT_EQ(quest.SaveText(), taken);
  }
}

TEST_F(QuestSaves, HostileSavesAreRefusedAndTheMenuStaysUsable) {
  BeginQuest();
  const std::string keeper = quest.SaveText();
  PassDoorKeeper();
  quest.Update();
  const std::string level = quest.SaveText();
  quest.End();
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? std::string() : text.replace(at, from.size(), to);
  };
  // A monster of the army written into the slot the hero then takes.
  const std::size_t heroEvol = keeper.find("<evol", keeper.find("<hero"));
  const std::size_t slotAt = keeper.find("slot=\"", heroEvol);
  const std::string heroSlot = keeper.substr(slotAt, keeper.find('"', slotAt + 6) + 1 - slotAt);
  const std::vector<std::pair<std::string, std::string>> hostile = {
      {"no closing game tag", replaced(keeper, "</game>\n", "")},
      {"a record before the hero", keeper.substr(0, keeper.find('\n') + 1) +
                                       "<monster id=\"mudling\">\n<evol slot=\"1\">\n</monster>\n" +
                                       keeper.substr(keeper.find('\n') + 1)},
      {"a difficulty outside the table", replaced(keeper, "<hero ", "<hero difficulty=\"9\" ")},
      {"a level the campaign lacks", replaced(level, "<game state=\"1\">", "<game state=\"1\" level=\"7\">")},
      {"a layout outside its folder", replaced(keeper, "layout=\"layouts", "layout=\"..\\layouts")},
      {"a side to move of 5", replaced(level, "<desk", "<desk turn=\"5\"")},
      {"a tile the layout lacks", replaced(keeper, "z=\"1\">", "z=\"99\">")},
      {"a fighter slot out of range", replaced(keeper, "player1=\"4\"", "player1=\"40\"")},
  };
  for (const auto& [what, text] : hostile) {
    ASSERT_FALSE(text.empty()) << what;
    testing_support::WriteFile(SaveFolder() / "00000.yml", text);
    quest.LoadSaveList();
    ASSERT_EQ(quest.Saves().size(), 1u) << what;
    EXPECT_FALSE(quest.LoadSave(0)) << what;
    const bool levelGone = what == std::string("a level the campaign lacks");
    EXPECT_EQ(quest.ResumeProblem(), levelGone ? "save_levels_confirm" : "save_damaged_confirm") << what;
    EXPECT_EQ(quest.Hero(), nullptr) << what;
    EXPECT_TRUE(quest.HasSaves()) << what;
  }
  // The hero taking a slot a monster already holds is refused (the monster
  // would be lost otherwise).
  const std::string taken = keeper.substr(0, heroEvol) + "<monster id=\"mudling\">\n<evol " + heroSlot +
                            ">\n</monster>\n" + keeper.substr(heroEvol);
  EXPECT_EQ(YQuestSaver().Read(taken, "taken", 10), nullptr);
  // A cell off the board is no cell: the hero saved off the board stays off.
  testing_support::WriteFile(SaveFolder() / "00000.yml",
                             replaced(level, " pos_x=\"4\" pos_y=\"0\"", " pos_x=\"-1\" pos_y=\"12\""));
  quest.LoadSaveList();
  EXPECT_TRUE(quest.LoadSave(0));
  EXPECT_EQ(UnitOf(quest.Hero(), 0), nullptr);
  EXPECT_EQ(GetTessor().Board().Cell(0, 0).occupant, nullptr);
  // An unknown monster is left out; the save itself is good.
  testing_support::WriteFile(SaveFolder() / "00000.yml", replaced(level, "id=\"mudling\"", "id=\"no_such\""));
  quest.LoadSaveList();
  EXPECT_TRUE(quest.LoadSave(0));
  EXPECT_TRUE(GetTessor().Board().Units(1).empty());
}

// A hero name longer than the name box takes is cut, in the save list and
// in the resumed quest alike.
TEST_F(QuestSaves, AHeroNameLongerThanTheNameBoxIsCutOnReading) {
  BeginQuest();
  std::string text = quest.SaveText();
  quest.End();
  const std::size_t at = text.find("name=\"", text.find("<hero")) + 6;
  const std::string name(100000, 'N');
  text.replace(at, text.find('"', at) - at, name);
  testing_support::WriteFile(SaveFolder() / "00000.yml", text);
  LogCapture log;
  quest.LoadSaveList();
  ASSERT_EQ(quest.Saves().size(), 1u);
  EXPECT_EQ(quest.Saves().front().name, name.substr(0, kMaxHeroName));
  EXPECT_EQ(log.Lines().at(0), "A hero name longer than 16 characters is cut, file: " +
                                   platform::MapPath(GetInit().UserPath() + "save\\00000.yml") + ", line: 1");
  ASSERT_TRUE(quest.LoadSave(0));
  EXPECT_EQ(quest.Hero()->name, name.substr(0, kMaxHeroName));
}

}  // namespace
