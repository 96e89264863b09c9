// Setting a board up: armies of both sides, monster units, placing units and
// free cells, and what clearing and resetting delete.
#include <gtest/gtest.h>

#include "board/YTessor.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"

namespace {

using BoardSetupTest = BoardTest;

// A record that counts its deletions.
class CountedRecord : public YPlayer {
 public:
  explicit CountedRecord(int& deletions) : deletions_(deletions) {}
  ~CountedRecord() override { ++deletions_; }

 private:
  int& deletions_;
};

TEST_F(BoardSetupTest, ArmiesFillTheHomeRowsWithSideOneMirrored) {
  const struct {
    int side;
    std::pair<int, int> hero, first, ninth;
  } cases[] = {{0, {4, 0}, {0, 0}, {0, 1}}, {1, {4, 8}, {8, 8}, {8, 7}}};
  for (const auto& c : cases) {
    YPlayerHero hero;
    YPlayer first, ninth;
    hero.slots[4] = &hero;
    hero.slots[0] = &first;
    hero.slots[9] = &ninth;
    YTessor tessor;
    tessor.SetArmy(&hero, c.side);
    hero.slots = {};
    EXPECT_EQ(tessor.Player(c.side), &hero);
    const YTessorBoard& board = tessor.Board();
    ASSERT_EQ(board.Units(c.side).size(), 3u);
    const auto at = [&board](std::pair<int, int> cell) {
      return board.Cell(cell.first, cell.second).occupant;
    };
    EXPECT_EQ(at(c.hero)->record, &hero);
    EXPECT_EQ(at(c.hero)->Class(), UnitClass::kHero);
    EXPECT_EQ(at(c.first)->record, &first);
    EXPECT_EQ(at(c.ninth)->record, &ninth);
    EXPECT_EQ(at(c.ninth)->Class(), UnitClass::kPlain);
    tessor.ClearSide(c.side, false);
  }
  YTessor tessor;
  YPlayer someone;
  tessor.SetPlayer(1, &someone);
  tessor.SetArmy(nullptr, 1);  // no record: only the side's record is cleared
  EXPECT_EQ(tessor.Player(1), nullptr);
}

TEST_F(BoardSetupTest, MonsterUnitsGetTheirClassAndSpecialAndUnknownIdsNoUnit) {
  YTessor tessor;
  YPlayerMonster lord("lord", 0, 1.0f), king("sand_king", 0, 1.0f), golem("golem", 0, 1.0f);
  YTessorUnit* lordUnit = tessor.AddMonsterUnit(&lord, 1, 4, 8);
  YTessorUnit* kingUnit = tessor.AddMonsterUnit(&king, 1, 3, 8);
  YTessorUnit* golemUnit = tessor.AddMonsterUnit(&golem, 1, 5, 8);
  EXPECT_EQ(lordUnit->Class(), UnitClass::kBoss);
  EXPECT_EQ(lordUnit->special, nullptr);
  ASSERT_NE(kingUnit->special, nullptr);
  EXPECT_EQ(kingUnit->special->Kind(), SpecialKind::kSandKing);
  EXPECT_EQ(golemUnit->Class(), UnitClass::kPlain);
  YPlayerMonster stranger("no_such_monster");
  LogCapture log;
  EXPECT_EQ(tessor.AddMonsterUnit(&stranger, 1, 6, 8), nullptr);
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unknown monster id: no_such_monster"});
  EXPECT_EQ(tessor.Board().Units(1).size(), 3u);
  tessor.ClearSide(1, false);
}

TEST_F(BoardSetupTest, PlacingTakesTheCellWhateverStoodThereAndIsCellFreeOnlyEmptyWalkableOnes) {
  YTessor tessor;
  YTessorBoard& board = tessor.Board();
  YTessorUnit* a = AddUnit(board, 0, 0, 0);
  EXPECT_EQ(a->position.x, -4.0f);
  board.PlaceUnit(a, 0, 0);  // onto its own cell
  EXPECT_EQ(board.Cell(0, 0).occupant, a);
  YTessorUnit* b = AddUnit(board, 1, 2, 2);
  board.PlaceUnit(a, 2, 2);
  EXPECT_EQ(board.Cell(0, 0).occupant, nullptr);
  EXPECT_EQ(board.Cell(2, 2).occupant, a);
  EXPECT_EQ(b->x, 2);  // the replaced unit keeps its coordinates
  board.viewFlip = true;
  board.PlaceUnit(a, 0, 0);
  EXPECT_EQ(a->position.x, 4.0f);
  EXPECT_EQ(a->position.y, 4.0f);
  board.PlaceUnit(a, -1, 3);  // off the board: nothing changes
  EXPECT_EQ(board.Cell(0, 0).occupant, a);

  board.SetCellType(1, 1, cell_kind::kWall);
  board.SetCellType(2, 1, cell_kind::kPit);
  board.SetCellType(3, 1, cell_kind::kMutex | cell_kind::kPowerPoint);
  AddUnit(board, 1, 4, 1);
  YTessorUnit* unit = board.AddUnit(MakeUnit(UnitClass::kPlain, MakeRecord({}), 1));
  for (int x : {1, 2, 4, 9}) EXPECT_FALSE(tessor.IsCellFree(unit, x, 1)) << x;
  EXPECT_EQ(unit->x, -1);
  EXPECT_TRUE(tessor.IsCellFree(unit, 3, 1));
  EXPECT_EQ(board.Cell(3, 1).occupant, unit);
}

TEST_F(BoardSetupTest, ResettingDeletesEveryRecordAndClearingKeepsSideZeros) {
  for (bool reset : {true, false}) {
    int deletions = 0;
    YTessor tessor;
    YTessorBoard& board = tessor.Board();
    std::vector<YPlayer*> sideZero;
    for (int side : {0, 1}) {
      for (int x = 0; x < 3; ++x) {
        YTessorUnit* unit = tessor.AddHeroUnit(new CountedRecord(deletions), side, x, side * 8);
        if (side == 0) sideZero.push_back(unit->record);
      }
      // A fight's loser of each side, held by the undo stack.
      YTessorUnit* loser = board.Units(side).back();
      board.PushUndo(loser);
      board.SetRemovedUnit(loser);
      board.RemoveFromList(loser);
      board.LiftUnit(loser);
    }
    if (reset) {
      tessor.ResetBoard();
      EXPECT_EQ(deletions, 6);
      EXPECT_EQ(tessor.levelNumber, -1);
    } else {
      tessor.ClearBoard();
      EXPECT_EQ(deletions, 3);  // side 1's records only; side 0's are the test's
      for (YPlayer* record : sideZero) delete record;
    }
    EXPECT_TRUE(board.Units(0).empty() && board.Units(1).empty());
    EXPECT_EQ(board.UndoDepth(), 0u);
    EXPECT_EQ(tessor.Player(1), nullptr);
    for (int i = 0; i < kCellCount; ++i) EXPECT_EQ(board.Cell(i % 9, i / 9).occupant, nullptr);
  }
}

}  // namespace
