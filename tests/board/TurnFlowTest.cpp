// The board object's turn flow, headless: the user's clicks through the user
// commander, the walk and the turning clock, fights handed to the game mode
// and their three outcomes, refused moves, the network move notice, missing
// and self-deleting commanders, teleport trails, the clock's wrap and the
// game's end.
#include <gtest/gtest.h>

#include "board/YTessor.h"
#include "board/YTessorPlayerUI.h"
#include "tests/board/BoardFixture.h"

namespace {

// A commander of the network kind that records what it is told.
class NoticeCommander : public YTessorPlayerCommander {
 public:
  NoticeCommander(int side, YTessor& tessor) : YTessorPlayerCommander(side), tessor_(tessor) {}
  std::int32_t Kind() const override { return commander_kind::kNetwork; }
  void OnMove(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) override {
    notices.push_back({fromX, fromY, toX, toY});
    undoDepthAtNotice = tessor_.Board().UndoDepth();
  }
  void SendSkill() override { ++skills; }
  std::vector<std::array<int, 4>> notices;
  std::size_t undoDepthAtNotice = 99;
  int skills = 0;

 private:
  YTessor& tessor_;
};

class TurnFlowTest : public BoardTest {
 protected:
  TurnFlowTest() {
    WritePlainDesk("plain.dsk", 'w');
    tessor.LoadDesk("desks\\plain.dsk");
    tessor.SetSounds(&sounds);
    tessor.SetView(&view);
    tessor.SetGameMaster(&master);
  }

  YTessorUnit* Add(int side, int x, int y, const UnitSpec& spec = {}) {
    return AddUnit(tessor.Board(), side, x, y, spec);
  }

  void StartHotSeat() {
    tessor.SetCommander(0, std::make_unique<YTessorPlayerUI>(0));
    tessor.SetCommander(1, std::make_unique<YTessorPlayerUI>(1));
    tessor.NewGame();
    tessor.Board().clock = 0;
    tessor.clockTarget = 0;
  }

  // Steps frames until the board is idle or a fight waits; false when it
  // never settles.
  bool RunUntilSettled() {
    for (int frame = 0; frame < 1000; ++frame) {
      tessor.Update(0.05f);
      if (tessor.stateFlags == 0 || (tessor.stateFlags & board_state::kFighting)) return true;
    }
    return false;
  }

  // The user picks the unit on `from` and the cell `to`, and the user
  // commander makes the move.
  void UserMove(std::pair<int, int> from, std::pair<int, int> to) {
    tessor.HoverCell(from.first, from.second);
    tessor.OnCellClick(1, 0, 0);
    tessor.HoverCell(to.first, to.second);
    tessor.OnCellClick(1, 0, 0);
    ASSERT_TRUE(tessor.userMovePending);
    tessor.Update(0.0f);
  }

  YTessor tessor;
  RecordingSounds sounds;
  TestView view;
  TestMaster master;
};

TEST_F(TurnFlowTest, AUsersMoveWalksThenPassesTheTurnAndTheClockTurnsATwelfth) {
  YTessorUnit* mover = Add(0, 4, 0, {.way = 0, .distance = 3});
  Add(1, 4, 8);
  StartHotSeat();
  EXPECT_TRUE(tessor.gameRunning);
  EXPECT_EQ(tessor.Board().sideToMove, 0);

  tessor.HoverCell(4, 0);
  EXPECT_TRUE(tessor.Board().ReachAt(4, 3).Reached());  // the hovered unit's reach
  tessor.OnCellClick(1, 0, 0);
  EXPECT_EQ(tessor.selected, mover);
  tessor.OnCellClick(1, 0, 0);  // the selected unit again: no selection
  EXPECT_EQ(tessor.selected, nullptr);
  tessor.OnCellClick(1, 0, 0);
  tessor.OnCellClick(2, 4.0f, 0.0f);  // the right button, and the mouse is handled again
  EXPECT_EQ(tessor.selected, nullptr);
  EXPECT_EQ(tessor.cursorX, 4);
  tessor.OnCellClick(1, 0, 0);
  tessor.HoverCell(4, 3);
  EXPECT_EQ(tessor.PreviewPath().points.size(), 30u);
  tessor.OnCellClick(1, 0, 0);
  EXPECT_TRUE(tessor.userMovePending);
  tessor.Update(0.0f);
  EXPECT_FALSE(tessor.userMovePending);
  EXPECT_EQ(tessor.stateFlags, board_state::kWalking);
  EXPECT_EQ(tessor.Board().Cell(4, 0).occupant, nullptr);
  EXPECT_EQ(tessor.Board().UndoDepth(), 1u);

  ASSERT_TRUE(RunUntilSettled());
  EXPECT_EQ(tessor.Board().Cell(4, 3).occupant, mover);
  EXPECT_EQ(mover->y, 3);
  EXPECT_EQ(tessor.Board().sideToMove, 1);
  EXPECT_FLOAT_EQ(tessor.Board().clock, 0.083333336f);
  EXPECT_EQ(sounds.names, (std::vector<std::string>{"tuc2", "tuc2", "tuc2", "tuc2", "walk", "clock"}));
  EXPECT_FLOAT_EQ(sounds.played.back().position.x, 2.0f);
  EXPECT_FLOAT_EQ(sounds.played.back().volume, 0.6f);
}

TEST_F(TurnFlowTest, TheClockWrapsPastTheEndAndRegeneratesOnlyWhenItArrives) {
  YTessorUnit* mover = Add(0, 4, 0, {.way = 0, .distance = 1, .health = 100});
  YTessorUnit* waiting = Add(1, 4, 8, {.health = 100});
  StartHotSeat();
  tessor.Board().clock = 0.9166667f;
  waiting->record->health = 50;
  ASSERT_TRUE(tessor.MoveUnit(mover, 4, 1, move_kind::kMove));
  for (int frame = 0; frame < 1000 && (tessor.stateFlags & board_state::kWalking); ++frame)
    tessor.Update(0.0f);
  EXPECT_EQ(tessor.clockTarget, 0.0f);
  tessor.Update(0.5f);  // runs on towards 1.0: no wrap yet, no regeneration
  EXPECT_GT(tessor.Board().clock, 0.9166667f);
  EXPECT_EQ(waiting->record->health, 50);
  tessor.Update(0.5f);
  EXPECT_EQ(tessor.Board().clock, 0.0f);
  EXPECT_EQ(tessor.stateFlags, 0u);
  EXPECT_EQ(waiting->record->health, 60);  // side 1 now moves: a tenth on water
}

TEST_F(TurnFlowTest, FightOutcomesRemoveTheLoserAndPassTheTurn) {
  const struct {
    int outcome;
    bool attackerStays, defenderStays;
  } cases[] = {{0, true, false}, {1, false, true}, {-1, false, false}};
  for (const auto& c : cases) {
    tessor.ResetBoard();
    master.fights.clear();
    YTessorUnit* attacker = Add(0, 4, 4, {.way = 0, .distance = 1});
    YTessorUnit* defender = Add(1, 4, 5);
    Add(1, 0, 8);
    StartHotSeat();
    const std::uint64_t beforeMove = tessor.Board().StateHash();
    ASSERT_TRUE(tessor.MoveUnit(attacker, 4, 5, move_kind::kAttack));
    ASSERT_TRUE(RunUntilSettled());
    ASSERT_EQ(master.fights.size(), 1u);
    EXPECT_EQ(master.fights[0], std::make_pair(attacker, defender));
    EXPECT_EQ(tessor.stateFlags, board_state::kWalking | board_state::kFighting);
    tessor.Update(0.05f);  // the board waits for the result, reporting the fight once
    EXPECT_EQ(master.fights.size(), 1u);

    tessor.OnBattleResult(c.outcome);
    const YTessorBoard& board = tessor.Board();
    const auto& side0 = board.Units(0);
    const auto& side1 = board.Units(1);
    EXPECT_EQ(std::count(side0.begin(), side0.end(), attacker), c.attackerStays ? 1 : 0) << c.outcome;
    EXPECT_EQ(std::count(side1.begin(), side1.end(), defender), c.defenderStays ? 1 : 0) << c.outcome;
    EXPECT_EQ(board.Cell(4, 4).occupant, nullptr) << c.outcome;
    EXPECT_EQ(board.Cell(4, 5).occupant, c.attackerStays ? attacker : c.defenderStays ? defender : nullptr);
    EXPECT_EQ(board.sideToMove, 1) << c.outcome;
    EXPECT_EQ(tessor.stateFlags, board_state::kClockTurning) << c.outcome;
    // A second report changes nothing.
    const std::uint64_t settled = board.StateHash();
    tessor.OnBattleResult(c.outcome);
    EXPECT_EQ(board.StateHash(), settled);
    // Taking the move back after the clock has turned restores the position.
    tessor.Update(20.0f);
    ASSERT_TRUE(tessor.Board().PopUndo());
    EXPECT_EQ(board.StateHash(), beforeMove) << c.outcome;
  }
}

TEST_F(TurnFlowTest, MovesTheUnitDoesNotHaveAreRefusedBeforeAnythingChanges) {
  YTessorUnit* mover = Add(0, 4, 0, {.way = 0, .distance = 1});
  YTessorUnit* friendUnit = Add(0, 5, 0);
  YTessorUnit* enemy = Add(1, 4, 8);
  tessor.Board().SetCellType(3, 0, cell_kind::kWall);
  StartHotSeat();
  const std::uint64_t before = tessor.Board().StateHash();
  EXPECT_FALSE(tessor.MoveUnit(mover, 4, 5, move_kind::kMove));     // out of range
  EXPECT_FALSE(tessor.MoveUnit(mover, 5, 0, move_kind::kMove));     // its own side's unit
  EXPECT_FALSE(tessor.MoveUnit(mover, 3, 0, move_kind::kMove));     // a wall
  EXPECT_FALSE(tessor.MoveUnit(mover, 9, 0, move_kind::kMove));     // off the board
  EXPECT_FALSE(tessor.MoveUnit(enemy, 4, 7, move_kind::kMove));     // not its turn
  EXPECT_FALSE(tessor.MoveUnit(mover, 4, 0, move_kind::kSpecial));  // no special
  EXPECT_FALSE(tessor.MoveUnit(mover, 4, 1, 7));                    // no such kind
  EXPECT_EQ(tessor.Board().StateHash(), before);
  EXPECT_EQ(tessor.stateFlags, 0u);
  EXPECT_TRUE(tessor.MoveUnit(mover, 4, 1, move_kind::kMove));
  EXPECT_FALSE(tessor.MoveUnit(friendUnit, 5, 1, move_kind::kMove));  // the board is busy
}

TEST_F(TurnFlowTest, ANetworkOpponentHearsOfAMoveBeforeItsUndoRecordIsPushed) {
  YTessorUnit* mover = Add(0, 2, 2, {.distance = 2});
  YTessorUnit* larvaKing = AddMonster(tessor.Board(), "sand_king", 0, 6, 6);
  Add(1, 8, 8);
  tessor.SetCommander(0, std::make_unique<YTessorPlayerUI>(0));
  auto notices = std::make_unique<NoticeCommander>(1, tessor);
  NoticeCommander* network = notices.get();
  tessor.SetCommander(1, std::move(notices));
  tessor.NewGame();  // side 1's commander begins: the base forwards to the board
  EXPECT_TRUE(tessor.gameRunning);
  ASSERT_TRUE(tessor.MoveUnit(mover, 3, 4, move_kind::kMove));
  ASSERT_EQ(network->notices.size(), 1u);
  EXPECT_EQ(network->notices[0], (std::array<int, 4>{2, 2, 3, 4}));
  EXPECT_EQ(network->undoDepthAtNotice, 0u);
  // A special move sends no notice.
  ASSERT_TRUE(RunUntilSettled());
  tessor.Update(20.0f);
  tessor.Board().sideToMove = 0;
  larvaKing->record->specialCounter = 0;
  ASSERT_TRUE(tessor.MoveUnit(larvaKing, 6, 5, move_kind::kSpecial));
  EXPECT_EQ(network->notices.size(), 1u);
  // Skill notices go to the commander of the other side.
  YPlayer hero;
  tessor.SetPlayer(0, &hero);
  tessor.NotifySkill(&hero);
  YPlayer stranger;
  tessor.NotifySkill(&stranger);
  EXPECT_EQ(network->skills, 1);
  tessor.SetPlayer(0, nullptr);
}

TEST_F(TurnFlowTest, MissingCommandersAreSkippedAndTheGameEndsWithASideWithoutUnits) {
  YTessorUnit* mover = Add(0, 4, 0);
  YTessorUnit* enemy = Add(1, 4, 8);
  tessor.NewGame();
  EXPECT_TRUE(tessor.gameRunning);
  for (int frame = 0; frame < 10; ++frame) tessor.Update(0.05f);
  EXPECT_TRUE(tessor.MoveUnit(mover, 4, 1, move_kind::kMove));
  EXPECT_TRUE(RunUntilSettled());
  EXPECT_FALSE(tessor.IsGameOver());
  tessor.Board().DeleteUnit(enemy, true);
  EXPECT_TRUE(tessor.IsGameOver());
  EXPECT_FALSE(tessor.gameRunning);
}

// A commander that deletes both commanders, itself included, while it thinks.
class SelfDeletingCommander : public YTessorPlayerCommander {
 public:
  using YTessorPlayerCommander::YTessorPlayerCommander;
  void Think() override {
    Board()->DeleteCommanders();
    side = 7;  // still alive until the board's call returns
  }
};

TEST_F(TurnFlowTest, ACommanderDeletedDuringItsOwnCallLivesUntilTheCallReturns) {
  Add(0, 4, 0);
  Add(1, 4, 8);
  tessor.SetCommander(0, std::make_unique<SelfDeletingCommander>(0));
  tessor.NewGame();
  tessor.Update(0.05f);
  EXPECT_EQ(tessor.Commander(0), nullptr);
  EXPECT_EQ(tessor.Commander(1), nullptr);
}

TEST_F(TurnFlowTest, ATeleportLeavesFadingCopiesAtThePointsItSkips) {
  YTessorUnit* jumper = Add(0, 0, 0, {.moveKind = 2, .way = 0, .distance = 4});
  Add(1, 8, 8);
  StartHotSeat();
  ASSERT_TRUE(tessor.MoveUnit(jumper, 0, 4, move_kind::kMove));
  const int start = tessor.pathIndex;  // 9 control points: 40 path points
  EXPECT_EQ(start, 39);
  tessor.Update(0.0f);
  ASSERT_EQ(view.teleportLifetimes.size(), static_cast<std::size_t>(start - 10 + 1));
  EXPECT_FLOAT_EQ(view.teleportLifetimes.front(), 0.01f);
  EXPECT_FLOAT_EQ(view.teleportLifetimes.back(), 0.3f);
  EXPECT_EQ(tessor.pathIndex, 9);
  EXPECT_EQ(sounds.names.back(), "teleport");
}

}  // namespace
