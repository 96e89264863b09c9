// A whole two-level campaign without a window or a user: computers command
// both sides of both battles; between fights on the board the quest is
// saved and resumed from its file; the won campaign ends in the hall of
// fame, once, and the hall's list shows it once more only while in progress.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board/YTessor.h"
#include "players/Stats.h"
#include "players/YPlayerHero.h"
#include "tests/modes/ModesFixture.h"
#include "tests/modes/QuestFixture.h"
#include "tiles/YTileset.h"

using quest_test::QuestTest;

namespace {

class QuestCampaign : public QuestTest {
 protected:
  QuestCampaign() { quest.SetFactory(&computers_); }
  ~QuestCampaign() override { GetStats().SetInProgressSource(nullptr); }

  ComputerFactory computers_;

  // Runs the duel under way until it is decided; false when it never is.
  bool RunDuel() {
    const std::size_t shown = Results();
    for (int frame = 0; frame < 20000 && Results() == shown; ++frame) {
      GetTileset().Update(0.05f);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Results() > shown;
  }
  std::size_t Results() const {
    std::size_t n = 0;
    for (const std::string& call : host.calls)
      n += call.rfind("victory", 0) == 0 || call.rfind("draw", 0) == 0 || call.rfind("defeat", 0) == 0;
    return n;
  }
  // One frame of the board, with the screens' part of a fight.
  bool StepBoard() {
    GetTessor().Update(0.1f);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if ((host.state & 0x100) == 0) return true;
    host.state = 3;  // the fight has faded in
    if (!RunDuel()) return false;
    quest.OnLevelEnd();
    if (host.state == 2) return SaveAndResume();
    return true;
  }
};

TEST_F(QuestCampaign, ComputersPlayTwoLevelsThroughSavesIntoTheHallOfFame) {
  ListQuestSavesAtStartup();
  BeginQuest();
  while (quest.LevelIndex() < 0) {
    ASSERT_TRUE(RunDuel()) << "the door keeper's duel ends";
    quest.OnLevelEnd();
  }
  GetStats().records.clear();
  GetStats().CopyRecords();
  ASSERT_EQ(GetStats().shown.size(), 1u) << "the campaign in progress";

  for (int level = 0; (host.state & 0x20000) == 0 && level < 12; ++level) {
    quest.Update();  // the control panel's continue
    ASSERT_EQ(host.state, 2u);
    for (int frame = 0; frame < 20000 && host.state != 0x82; ++frame) ASSERT_TRUE(StepBoard());
    ASSERT_EQ(host.state, 0x82u) << "the level ends";
    if (host.Saw("fail")) {
      host.calls.clear();
      quest.OnRetryLevel();
    } else {
      quest.OnRewardChoice(1);
    }
  }
  ASSERT_EQ(host.state & 0x20000u, 0x20000u) << "the final scene";
  ASSERT_EQ(GetStats().records.size(), 1u);
  EXPECT_EQ(GetStats().records.front().name, "Ada");
  EXPECT_EQ(GetStats().records.front().level, 1);
  EXPECT_GT(GetStats().records.front().fightsWon, 1);
  GetStats().CopyRecords();
  EXPECT_EQ(GetStats().shown.size(), 1u) << "a won campaign is not shown twice";
}

}  // namespace
