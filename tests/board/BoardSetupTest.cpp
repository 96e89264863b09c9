// Setting a board up: armies of both sides, single hero and monster units,
// placing units, free cells, and what clearing and resetting delete.
#include <gtest/gtest.h>

#include "board/YTessor.h"
#include "board/YTessorUnitHero.h"
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

// A hero in slot 4 with monsters in slots 0 and 9.
struct Army {
  Army() {
    hero.slots[4] = &hero;
    hero.slots[0] = &first;
    hero.slots[9] = &ninth;
  }
  ~Army() { hero.slots = {}; }
  YPlayerHero hero;
  YPlayer first;
  YPlayer ninth;
};

TEST_F(BoardSetupTest, ArmiesFillTheHomeRowsWithSideOneMirrored) {
  const struct {
    int side;
    std::pair<int, int> hero, first, ninth;
  } cases[] = {{0, {4, 0}, {0, 0}, {0, 1}}, {1, {4, 8}, {8, 8}, {8, 7}}};
  for (const auto& c : cases) {
    Army army;
    YTessor tessor;
    tessor.SetArmy(&army.hero, c.side);
    EXPECT_EQ(tessor.Player(c.side), &army.hero);
    const YTessorBoard& board = tessor.Board();
    ASSERT_EQ(board.Units(c.side).size(), 3u);
    const YTessorUnit* heroUnit = board.Cell(c.hero.first, c.hero.second).occupant;
    ASSERT_NE(heroUnit, nullptr);
    EXPECT_EQ(heroUnit->record, &army.hero);
    EXPECT_EQ(heroUnit->Class(), UnitClass::kHero);
    EXPECT_EQ(board.Cell(c.first.first, c.first.second).occupant->record, &army.first);
    EXPECT_EQ(board.Cell(c.ninth.first, c.ninth.second).occupant->record, &army.ninth);
    EXPECT_EQ(board.Cell(c.ninth.first, c.ninth.second).occupant->Class(), UnitClass::kPlain);
    tessor.ClearSide(c.side, false);
  }
  // No record: only the side's record is cleared.
  YTessor tessor;
  YPlayer someone;
  tessor.SetPlayer(1, &someone);
  tessor.SetArmy(nullptr, 1);
  EXPECT_EQ(tessor.Player(1), nullptr);
  EXPECT_TRUE(tessor.Board().Units(1).empty());
}

TEST_F(BoardSetupTest, MonsterUnitsGetTheirClassAndSpecialAndUnknownIdsNone) {
  YTessor tessor;
  YPlayerMonster lord("lord", 0, 1.0f);
  YPlayerMonster king("sand_king", 0, 1.0f);
  YPlayerMonster golem("golem", 0, 1.0f);
  YTessorUnit* lordUnit = tessor.AddMonsterUnit(&lord, 1, 4, 8);
  YTessorUnit* kingUnit = tessor.AddMonsterUnit(&king, 1, 3, 8);
  YTessorUnit* golemUnit = tessor.AddMonsterUnit(&golem, 1, 5, 8);
  EXPECT_EQ(lordUnit->Class(), UnitClass::kBoss);
  EXPECT_EQ(lordUnit->special, nullptr);
  ASSERT_NE(kingUnit->special, nullptr);
  EXPECT_EQ(kingUnit->special->Kind(), SpecialKind::kSandKing);
  EXPECT_EQ(golemUnit->Class(), UnitClass::kPlain);
  EXPECT_EQ(golemUnit->special, nullptr);

  YPlayerMonster stranger("no_such_monster");
  LogCapture log;
  EXPECT_EQ(tessor.AddMonsterUnit(&stranger, 1, 6, 8), nullptr);
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unknown monster id: no_such_monster"});
  EXPECT_EQ(tessor.Board().Units(1).size(), 3u);
  tessor.ClearSide(1, false);
}

TEST_F(BoardSetupTest, PlacingAUnitMovesItAndTakesTheCellWhateverStoodThere) {
  YTessorBoard board;
  YTessorUnit* a = AddUnit(board, 0, 0, 0);
  EXPECT_EQ(a->position.x, -4.0f);
  EXPECT_EQ(a->position.y, -4.0f);
  board.PlaceUnit(a, 0, 0);  // onto its own cell
  EXPECT_EQ(board.Cell(0, 0).occupant, a);
  YTessorUnit* b = AddUnit(board, 1, 2, 2);
  board.PlaceUnit(a, 2, 2);
  EXPECT_EQ(board.Cell(0, 0).occupant, nullptr);
  EXPECT_EQ(board.Cell(2, 2).occupant, a);
  EXPECT_EQ(b->x, 2);  // the replaced unit keeps its cell coordinates
  board.viewFlip = true;
  board.PlaceUnit(a, 0, 0);
  EXPECT_EQ(a->position.x, 4.0f);
  EXPECT_EQ(a->position.y, 4.0f);
  board.PlaceUnit(a, -1, 3);  // off the board: nothing changes
  EXPECT_EQ(a->x, 0);
  EXPECT_EQ(board.Cell(0, 0).occupant, a);
}

TEST_F(BoardSetupTest, IsCellFreePlacesOnlyOntoEmptyWalkableCells) {
  YTessor tessor;
  YTessorBoard& board = tessor.Board();
  board.SetCellType(1, 1, cell_kind::kWall);
  board.SetCellType(2, 1, cell_kind::kPit);
  board.SetCellType(3, 1, cell_kind::kMutex | cell_kind::kPowerPoint);
  AddUnit(board, 1, 4, 1);
  YTessorUnit* unit = board.AddUnit(MakeUnit(UnitClass::kPlain, MakeRecord({}), 1));
  EXPECT_FALSE(tessor.IsCellFree(unit, 1, 1));
  EXPECT_FALSE(tessor.IsCellFree(unit, 2, 1));
  EXPECT_FALSE(tessor.IsCellFree(unit, 4, 1));
  EXPECT_FALSE(tessor.IsCellFree(unit, 9, 1));
  EXPECT_EQ(unit->x, -1);
  EXPECT_TRUE(tessor.IsCellFree(unit, 3, 1));
  EXPECT_EQ(board.Cell(3, 1).occupant, unit);
}

TEST_F(BoardSetupTest, ResettingDeletesEveryRecordAndClearingKeepsSideZeros) {
  int deletions = 0;
  for (bool reset : {true, false}) {
    deletions = 0;
    YTessor tessor;
    for (int side : {0, 1}) {
      for (int x = 0; x < 3; ++x) {
        YTessorUnit* unit = tessor.AddHeroUnit(new CountedRecord(deletions), side, x, side * 8);
        ASSERT_NE(unit, nullptr);
      }
    }
    // A side-0 record the board will not delete is freed by the test.
    YTessorBoard& board = tessor.Board();
    std::vector<YPlayer*> sideZero;
    for (YTessorUnit* unit : board.Units(0)) sideZero.push_back(unit->record);
    // A fight's loser of each side, held by the undo stack.
    for (int side : {0, 1}) {
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
      EXPECT_EQ(deletions, 3);  // side 1's three records only
      for (YPlayer* record : sideZero) delete record;
      EXPECT_EQ(deletions, 6);
    }
    EXPECT_TRUE(board.Units(0).empty());
    EXPECT_TRUE(board.Units(1).empty());
    EXPECT_EQ(board.UndoDepth(), 0u);
    EXPECT_EQ(tessor.Player(1), nullptr);
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 9; ++x) EXPECT_EQ(board.Cell(x, y).occupant, nullptr);
    }
  }
}

}  // namespace
