// The campaign's flow without a window: save names beside stray files, the
// arithmetic of a fight's end, the door keeper lost and won, the fine of a
// hero that fell in a won level and its save resumed, what is not started
// for want of its data, and what leaving lets go of.
#include <gtest/gtest.h>
#include <unistd.h>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "draw/YControlPanel.h"
#include "framework/FileAlerts.h"
#include "framework/Init.h"
#include "framework/YLocale.h"
#include "players/NumberedFiles.h"
#include "players/PlayerRules.h"
#include "players/Stats.h"
#include "players/YMonsterShop.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/framework/LogCapture.h"
#include "tests/modes/QuestFixture.h"
#include "tests/render/RecordingRender.h"
#include "tests/support/TestSupport.h"
#include "tiles/YTileset.h"

namespace fs = std::filesystem;
using quest_test::QuestTest;

namespace {

std::string FileName(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
}

TEST_F(QuestTest, SaveNamesSkipStrayFilesAndSummariesKeepTheirFile) {
  BeginQuest();
  EXPECT_EQ(FileName(quest.SavePath()), "00000.yml") << "the first save, its folder made on the way";
  EXPECT_TRUE(fs::exists(SaveFolder() / "00000.yml"));
  quest.End();

  for (const char* stray : {"notes.txt", "123.yml", "100000.yml", "00002.yml.tmp", "abcde.yml"})
    testing_support::WriteFile(SaveFolder() / stray, "<game state=\"1\">\n");
  testing_support::WriteFile(SaveFolder() / "00003.yml", "not a save");
  BeginQuest();
  EXPECT_EQ(FileName(quest.SavePath()), "00004.yml");
  EXPECT_EQ(quest.SaveNames().front(), "00004.yml");
  quest.End();

  fs::copy_file(SaveFolder() / "00004.yml", SaveFolder() / "99999.yml");
  BeginQuest();
  EXPECT_EQ(FileName(quest.SavePath()), "00001.yml") << "after 99999 the lowest free number";
  quest.End();

  // 00003 yields no summary: it is listed as damaged under its own name,
  // and the others still name their own files.
  quest.LoadSaveList();
  ASSERT_EQ(quest.Saves().size(), 5u);
  EXPECT_EQ(quest.Saves()[2].name, "00003.yml");
  EXPECT_FALSE(quest.Saves()[2].readable);
  EXPECT_EQ(quest.Saves()[3].fileName, "00001.yml");
  ASSERT_TRUE(quest.DeleteSave(3));
  EXPECT_FALSE(fs::exists(SaveFolder() / "00001.yml"));
  EXPECT_TRUE(fs::exists(SaveFolder() / "00003.yml"));
  EXPECT_FALSE(quest.DeleteSave(4));
}

// Copies of the game share the save folder. A new quest's number is held
// from the moment its hero is made, though its save is first written when
// the quest begins, after the introduction; a quest left during the
// introduction gives its number back, and one begun keeps its save.
TEST_F(QuestTest, ANewQuestsSaveNumberIsHeldBeforeItsFirstSave) {
  ASSERT_TRUE(quest.NewGame({"Ada", 0, 1, 2, 0}));
  EXPECT_EQ(FileName(quest.SavePath()), "00000.yml");
  const std::string folder = GetInit().UserPath() + "save";
  EXPECT_EQ(ReserveNumberedFileName(folder), "00001.yml") << "another copy's new quest";
  quest.Start();
  EXPECT_TRUE(fs::exists(SaveFolder() / "00000.yml"));
  EXPECT_FALSE(fs::exists(SaveFolder() / "00000.yml.tmp"));
  EXPECT_EQ(ReserveNumberedFileName(folder), "00002.yml") << "00001 is still held";
  quest.End();
  EXPECT_TRUE(fs::exists(SaveFolder() / "00000.yml"));

  ASSERT_TRUE(quest.NewGame({"Bea", 0, 1, 2, 0}));
  EXPECT_EQ(FileName(quest.SavePath()), "00003.yml");
  quest.End();
  EXPECT_FALSE(fs::exists(SaveFolder() / "00003.yml.tmp"));
  EXPECT_EQ(quest.SaveNames().front(), "00000.yml");
}

TEST_F(QuestTest, AnEmptyLevelFolderStartsNoQuest) {
  fs::remove_all(fs::current_path() / "levels");
  EXPECT_FALSE(quest.NewGame({"Ada", 0, 1, 2, 0}));
  EXPECT_EQ(quest.Hero(), nullptr);
  EXPECT_TRUE(host.Saw("message " + GetLocale().GetText("quest_no_levels_mess")));
}

// Without its door keeper a quest could never get past its first message;
// a level that cannot be read, or sets no enemy, could never end.
TEST_F(QuestTest, AQuestWithoutItsDoorKeeperOrALevelWithoutEnemiesIsNotStarted) {
  GetLocale().Load(std::string(QV_SOURCE_DIR) + "/content/ui/english/locale.yml");
  BeginQuest();
  PassDoorKeeper();
  for (const char* level : {"<desk name=\"base.dsk\"/>\n<monster id=\"frogling\"/>\n<monster id=\"frogling\" le\x8e\x1f<<\n",
                            "<monster id=\"no_such_monster\"/>\n"}) {
    testing_support::WriteFile(fs::current_path() / "levels" / "level01.yml", level);
    host.calls.clear();
    quest.Update();  // the control panel's continue
    EXPECT_TRUE(host.Saw("message " + GetLocale().GetText("level_unreadable_mess"))) << level;
    EXPECT_EQ(host.state, 1u) << "the control panel stays";
    EXPECT_TRUE(quest.NextLevelPending());
  }
  quest.End();

  ClearMonsterTypes();
  EXPECT_FALSE(quest.NewGame({"Ada", 0, 1, 2, 0}));
  EXPECT_TRUE(host.Saw("message " + GetLocale().GetText("quest_no_keeper_mess")));
}

TEST_F(QuestTest, NewGameLeavesTheStartToTheScreens) {
  ASSERT_TRUE(quest.NewGame({"Ada", 0, 1, 2, 0}));
  EXPECT_EQ(quest.DoorKeeper(), nullptr);
  EXPECT_EQ(host.state, 0u);
  quest.Start();
  EXPECT_NE(quest.DoorKeeper(), nullptr);
  EXPECT_EQ(host.state, 3u);
}

TEST_F(QuestTest, AFightsEndPaysBonusesCountsAndSplitsExperience) {
  BeginQuest();
  YPlayerHero& hero = *quest.Hero();
  YPlayerMonster& keeper = *quest.DoorKeeper();
  hero.gold += 7;  // gold taken during the duel
  const std::int32_t gold = hero.gold, experience = hero.experience;
  const std::int32_t rating = UnitStrengthSum(keeper), worth = keeper.ExperienceValue();
  quest.OnFightEnd(-1);
  EXPECT_TRUE(host.Saw("draw 7 0 " + std::to_string(rating / 2 / 2) + " " + std::to_string(worth)));
  EXPECT_EQ(hero.gold, gold + rating / 4);
  EXPECT_EQ(hero.experience, experience + worth);
  EXPECT_EQ(hero.fightsWon, 1);
  EXPECT_EQ(hero.fightsLost, 1);
  EXPECT_EQ(hero.goldWon, 7 + rating / 4);
  EXPECT_EQ(hero.experienceWon, worth);
  EXPECT_EQ(quest.Outcome(), -1);

  // A monster of the army wins: it keeps half the bonus, the hero the
  // larger half; the outcome is told by the side that moved.
  auto monster = YPlayerMonster::MakeAtLevel("mudling", 0, 1.0f);
  std::unique_ptr<YPlayerMonster> enemy;
  for (int tried = 0; !enemy || enemy->ExperienceValue() % 2 == 0; ++tried) {
    ASSERT_LT(tried, 120) << "the case wants an odd bonus";
    enemy = YPlayerMonster::MakeAtLevel(tried % 2 == 0 ? "lich" : "treant", tried / 2, 1.0f);
  }
  ASSERT_TRUE(GetTileset().BeginBattle("layouts\\standard.lay", monster.get(), enemy.get(), 0));
  const std::int32_t bonus = enemy->ExperienceValue();
  const std::int32_t heroBefore = hero.experience, monsterBefore = monster->experience;
  GetTessor().Board().sideToMove = 1;
  quest.OnFightEnd(0);
  EXPECT_EQ(monster->experience, monsterBefore + bonus / 2);
  EXPECT_EQ(hero.experience, heroBefore + bonus - bonus / 2);
  EXPECT_EQ(quest.Outcome(), 1);

  quest.OnFightEnd(1);
  EXPECT_EQ(monster->health, 0);
  EXPECT_EQ(hero.fightsLost, 2);
  EXPECT_EQ(quest.Outcome(), 0);
  GetTileset().DeleteCommanders();
  GetTileset().ClearTiles();
}

TEST_F(QuestTest, TheDoorKeeperLostStartsItAgainAndWonOpensTheShop) {
  BeginQuest();
  quest.Hero()->health = 0;
  quest.OnFightEnd(1);
  quest.OnLevelEnd();
  EXPECT_TRUE(host.Saw("message " + GetLocale().GetText("door-keeper_fail_mess")));
  EXPECT_EQ(host.state & 0x400u, 0x400u);
  ASSERT_NE(quest.DoorKeeper(), nullptr);
  EXPECT_GT(quest.Hero()->health, 0) << "a fresh duel";
  EXPECT_EQ(quest.LevelIndex(), -1);

  PassDoorKeeper();
  EXPECT_EQ(quest.DoorKeeper(), nullptr);
  EXPECT_EQ(quest.LevelIndex(), 0);
  EXPECT_TRUE(quest.NextLevelPending());
  EXPECT_EQ(host.state, 1u);
  EXPECT_EQ(CampaignShop().Player(), quest.Hero());
  EXPECT_EQ(host.panelShop, &CampaignShop()) << "the panel opens with the shop";
  EXPECT_NE(CampaignShop().Offer(0), nullptr);
  EXPECT_NE(testing_support::ReadFile(fs::path(SaveFolder() / "00000.yml")).find("<game state=\"0\">"),
            std::string::npos);
}

// The door keeper's win cannot be saved (a full disk): the save of the duel
// stays whole and the player is told.
TEST_F(QuestTest, AQuestSaveThatCannotBeWrittenKeepsTheOldSaveAndIsTold) {
  BeginQuest();
  const fs::path save = SaveFolder() / "00000.yml";
  const std::string duel = testing_support::ReadFile(save);
  ASSERT_NE(duel.find("<game state=\"2\" level=\"-1\">"), std::string::npos);
  FileAlerts::Reset();
  {
    testing_support::ScopedWriteFault full(".yml.tmp");
    PassDoorKeeper();
  }
  EXPECT_EQ(testing_support::ReadFile(save), duel);
  EXPECT_FALSE(fs::exists(SaveFolder() / "00000.yml.tmp"));
  FileAlerts::Unsaved what{};
  EXPECT_TRUE(FileAlerts::TakeFailedSave(what) && what == FileAlerts::Unsaved::kQuest);
}

TEST_F(QuestTest, AHeroThatFellInAWonLevelPaysItsFineAndItsSaveGoesOnAtTheNextLevel) {
  BeginQuest();
  PassDoorKeeper();
  quest.Update();  // the control panel's continue: level 0 on the board
  ASSERT_EQ(host.state, 2u);
  YPlayerHero& hero = *quest.Hero();
  const std::int32_t atLevel = quest.GoldAtLevel();
  hero.gold = atLevel + 101;
  GetTessor().ClearSide(1, true);  // the level is won
  hero.health = 0;                 // but the hero fell
  quest.OnRewardChoice(-1);
  EXPECT_EQ(hero.gold, atLevel + 101 - 50);
  EXPECT_TRUE(host.Saw("fine 50")) << "the fine paid, not the gold kept";
  EXPECT_EQ(quest.LevelIndex(), 1);
  EXPECT_TRUE(quest.NextLevelPending());

  ASSERT_TRUE(SaveAndResume());
  EXPECT_EQ(quest.LevelIndex(), 1);
  EXPECT_TRUE(quest.NextLevelPending());
  quest.OnNextRound();  // the fine screen's button
  EXPECT_EQ(quest.LevelIndex(), 1) << "no level skipped";
  EXPECT_EQ(host.panelTab, -1) << "no reward taken: the panel keeps its tab";
  quest.Update();
  EXPECT_EQ(GetTessor().levelNumber, 1);
  EXPECT_FALSE(GetTessor().Board().Units(1).empty());
}

// Leaving a quest in its duel or at the panel leaves neither holding what
// the quest freed: both still draw after it, as a frame drawn while the
// quit save runs would.
TEST_F(QuestTest, LeavingLeavesNothingFreedInTheDuelOrThePanel) {
  RecordingRender render;
  YControlPanel& panel = GetControlPanel();
  panel.Build();
  BeginQuest();
  quest.End();
  EXPECT_EQ(GetTileset().Fighter(0), nullptr);
  EXPECT_EQ(GetTileset().Fighter(1), nullptr);
  GetTileset().DrawPanels();

  BeginQuest();
  PassDoorKeeper();
  EXPECT_EQ(GetTileset().Fighter(1), nullptr) << "the door keeper is freed as its duel ends";
  panel.SetPlayer(quest.Hero(), host.panelShop, host.panelTab);  // as the application opens it
  quest.End();
  EXPECT_EQ(panel.player, nullptr);
  EXPECT_EQ(panel.shop, nullptr);
  panel.Draw();
}

// A save that cannot be read at all (empty, garbage, NUL bytes, nested
// deep, a comment that never ends, no permission) is listed as damaged,
// with a log line: "continue" refuses it with the question that says why,
// which offers to delete it.
TEST_F(QuestTest, ASaveThatCannotBeReadAtAllIsListedAsDamaged) {
  std::string deep;
  for (int i = 0; i < 10000; ++i) deep += "<game state=\"1\">\n";
  const fs::path save = SaveFolder() / "00000.yml";
  fs::create_directories(SaveFolder());
  for (const std::string& text : {std::string(), std::string("garbage"), std::string(4096, '\0'), deep,
                                  "<!--" + std::string(1 << 20, '-')}) {
    testing_support::WriteFile(save, text);
    LogCapture log;
    quest.LoadSaveList();
    ASSERT_EQ(quest.Saves().size(), 1u) << text.size();
    EXPECT_FALSE(quest.Saves()[0].readable);
    EXPECT_EQ(log.Lines().back(),
              "The save " + GetInit().UserPath() + "save\\00000.yml shows no hero: it is damaged");
    EXPECT_FALSE(quest.LoadSave(0));
    EXPECT_EQ(quest.ResumeProblem(), "save_damaged_confirm") << text.size();
  }
  fs::permissions(save, fs::perms::none);
  quest.LoadSaveList();
  ASSERT_EQ(quest.Saves().size(), 1u);
  EXPECT_FALSE(quest.LoadSave(0));
  // Run as root, the test reads the file anyway: then it is damaged.
  EXPECT_EQ(quest.ResumeProblem(), ::geteuid() == 0 ? "save_damaged_confirm" : "save_unreadable_confirm");
  EXPECT_TRUE(quest.DeleteSave(0));
  EXPECT_FALSE(quest.HasSaves());
}

// The hall's campaigns in progress are the saves "continue" would resume,
// not one refused for its level nor a damaged one; a quest won while
// neither its record nor its save could be written shows once.
TEST_F(QuestTest, TheHallListsOnlyResumableSavesAndEachHeroOnce) {
  ListQuestSavesAtStartup();
  Stats& stats = GetStats();
  stats.records.clear();
  BeginQuest();
  std::string far = quest.SaveText();
  far.replace(far.find("level=\"-1\""), 10, "level=\"9999\"");
  testing_support::WriteFile(SaveFolder() / "00007.yml", far);
  testing_support::WriteFile(SaveFolder() / "00008.yml", "garbage");
  quest.LoadSaveList();
  stats.CopyRecords();
  ASSERT_EQ(stats.shown.size(), 1u);
  EXPECT_EQ(stats.shown[0].level, 0) << "the quest at the door keeper";

  PassDoorKeeper();
  for (int level = 0; level < 2; ++level) {
    quest.Update();
    GetTessor().ClearSide(1, true);
    if (level == 0) quest.OnRewardChoice(1);
  }
  ASSERT_TRUE(quest.IsFinished());
  {
    testing_support::ScopedWriteFault full(".tmp");
    quest.OnLevelEnd();
    quest.OnRewardChoice(-1);
  }
  stats.CopyRecords();
  ASSERT_EQ(stats.shown.size(), 1u);
  EXPECT_EQ(stats.shown[0].level, 1) << "the record of the won quest";
  stats.SetInProgressSource(nullptr);
}

// The won quest is in the hall from the moment its save says it is won, not
// only from the final dialog's OK; a save that says so without a record (the
// game ended between the two) gets one at the next start, once; reading the
// save list, as the hall's screen does, writes nothing.
TEST_F(QuestTest, AWonQuestIsInTheHallAsSoonAsItsSaveSaysWon) {
  ListQuestSavesAtStartup();
  Stats& stats = GetStats();
  stats.records.clear();
  BeginQuest();
  PassDoorKeeper();
  const std::string running = quest.SaveText();
  for (int level = 0; level < 2; ++level) {
    quest.Update();
    GetTessor().ClearSide(1, true);
    quest.OnLevelEnd();
    if (level == 0) quest.OnRewardChoice(1);
  }
  ASSERT_TRUE(host.Saw("final"));
  ASSERT_EQ(stats.records.size(), 1u) << "recorded with the save, before the dialog's OK";
  EXPECT_EQ(stats.records[0].name, "Ada");
  const ScoreRecord won = stats.records[0];
  stats.records.clear();  // as when the game ended before the record was written
  // Beside a quest in progress; a copy of the won save is the same quest.
  fs::copy_file(SaveFolder() / "00000.yml", SaveFolder() / "00005.yml");
  testing_support::WriteFile(SaveFolder() / "00007.yml", running);
  quest.ListSaves();
  stats.CopyRecords();
  EXPECT_TRUE(stats.records.empty()) << "the hall's screen reads the save list, and only reads";
  ListQuestSavesAtStartup();
  stats.CopyRecords();
  ASSERT_EQ(stats.shown.size(), 2u) << "each once";
  EXPECT_EQ(stats.shown[0], won);
  EXPECT_EQ(stats.records.size(), 1u);
  quest.LoadSaveList();
  quest.OnRewardChoice(-1);
  EXPECT_EQ(stats.records.size(), 1u) << "neither the list read again nor the OK adds another";
  stats.SetInProgressSource(nullptr);
}

// The save writer keeps one kind of quote: a name holding both is read back
// with apostrophes. The win is recorded as its save reads it back, and a
// hall holding it under the name the game held (as the build before wrote
// it), or under both names, has one row of it after a start.
TEST_F(QuestTest, AWinOfANameWithBothKindsOfQuoteTakesOneRowOfTheHall) {
  ListQuestSavesAtStartup();
  Stats& stats = GetStats();
  stats.records.clear();
  ASSERT_TRUE(quest.NewGame({"Jo'e \"Q\"", 0, 1, 2, 0}));
  quest.Start();
  PassDoorKeeper();
  for (int level = 0; level < 2; ++level) {
    quest.Update();
    GetTessor().ClearSide(1, true);
    quest.OnLevelEnd();
    quest.OnRewardChoice(level == 0 ? 1 : -1);
  }
  ASSERT_EQ(stats.records.size(), 1u);
  const ScoreRecord won = stats.records[0];
  EXPECT_EQ(won.name, "Jo'e 'Q'");
  ScoreRecord held = won;
  held.name = "Jo'e \"Q\"";
  for (const std::vector<ScoreRecord>& hall : {std::vector{held}, std::vector{held, won}}) {
    stats.records = hall;
    stats.Save();
    stats.Load();
    ListQuestSavesAtStartup();
    stats.Load();
    EXPECT_EQ(stats.records.size(), 1u) << hall.size() << " rows before";
  }
  stats.SetInProgressSource(nullptr);
}

}  // namespace
