// The monster specials: breeding moves and their order, the sand king's
// larvae, a larva's growth into a worm and back, the hydra's heads, its
// immobility and health bonus, the recharge counters, and the head registry
// of a copied board.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "board/YTessorBoard.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"
#include "tests/board/BoardFixture.h"

namespace {

using MonsterSpecialTest = BoardTest;

std::vector<YTessorMove> SpecialMoves(const YTessorBoard& board, YTessorUnit* unit) {
  std::vector<YTessorMove> moves;
  unit->special->GenerateMoves(board, moves);
  return moves;
}

TEST_F(MonsterSpecialTest, OnlyTheSevenMonstersHaveSpecialsAndCountersStartAtRandomAndCountDown) {
  YTessorBoard board;
  board.Random().SetState(5);
  const struct {
    const char* id;
    bool special;
    int low, high;
  } cases[] = {{"sand_king", true, 0, 3},  {"sand_larva", true, 4, 8}, {"hydra_body", true, 0, 5},
               {"hydra_fire", true, 0, 0}, {"golem", false, 0, 0},     {"lord", false, 0, 0}};
  int x = 0;
  for (const auto& c : cases) {
    for (int i = 0; i < 12; ++i) {
      YTessorUnit* unit = AddMonster(board, c.id, 1, x % 9, 8 - x / 9);
      ++x;
      EXPECT_EQ(unit->special != nullptr, c.special) << c.id;
      EXPECT_GE(unit->record->specialCounter, c.low) << c.id;
      EXPECT_LE(unit->record->specialCounter, c.high) << c.id;
      board.DeleteUnit(unit, true);
    }
  }
  // A plain record has no monster id and so no special.
  YTessorUnit* plain = AddUnit(board, 0, 0, 0);
  plain->CreateSpecial(board, board.Random());
  EXPECT_EQ(plain->special, nullptr);
  // Every turn counts the counters down to 0.
  YTessorUnit* king = AddMonster(board, "sand_king", 1, 4, 4);
  YTessorUnit* body = AddMonster(board, "hydra_body", 0, 8, 8);
  king->record->specialCounter = 2;
  body->record->specialCounter = 1;
  board.AdvanceTurn();
  EXPECT_EQ(king->record->specialCounter, 1);
  EXPECT_EQ(body->record->specialCounter, 0);
  board.AdvanceTurn();
  board.AdvanceTurn();
  EXPECT_EQ(king->record->specialCounter, 0);
  EXPECT_EQ(body->record->specialCounter, 0);
}

TEST_F(MonsterSpecialTest, BreedersOfferTheFreeNeighboursUpDownLeftRightOnceCharged) {
  YTessorBoard board;
  YTessorUnit* king = AddMonster(board, "sand_king", 1, 4, 4);
  king->record->specialCounter = 1;
  EXPECT_TRUE(SpecialMoves(board, king).empty());
  king->record->specialCounter = 0;
  EXPECT_EQ(SpecialMoves(board, king),
            (std::vector<YTessorMove>{{king, 4, 3, 2}, {king, 4, 5, 2}, {king, 3, 4, 2}, {king, 5, 4, 2}}));

  board.SetCellType(4, 3, cell_kind::kWall);
  board.SetCellType(4, 5, cell_kind::kPit);
  AddUnit(board, 0, 3, 4);
  EXPECT_EQ(SpecialMoves(board, king), (std::vector<YTessorMove>{{king, 5, 4, 2}}));
  AddUnit(board, 1, 5, 4);
  EXPECT_TRUE(SpecialMoves(board, king).empty());

  YTessorUnit* corner = AddMonster(board, "hydra_body", 1, 0, 0);
  corner->record->specialCounter = 0;
  EXPECT_EQ(SpecialMoves(board, corner).size(), 2u);  // off the board twice
}

TEST_F(MonsterSpecialTest, TheSandKingBreedsALarvaAndUndoTakesItBack) {
  YTessorBoard board;
  YTessorUnit* king = AddMonster(board, "sand_king", 1, 4, 4);
  AddUnit(board, 0, 0, 0);
  king->record->specialCounter = 0;
  board.sideToMove = 1;
  const std::uint64_t before = board.StateHash();
  board.ApplyMove({king, 4, 3, move_kind::kSpecial}, {});
  YTessorUnit* larva = board.Cell(4, 3).occupant;
  ASSERT_NE(larva, nullptr);
  EXPECT_EQ(larva->MonsterId(), "sand_larva");
  EXPECT_EQ(larva->side, 1);
  ASSERT_NE(larva->special, nullptr);
  EXPECT_EQ(larva->special->Kind(), SpecialKind::kSandLarva);
  EXPECT_EQ(board.Units(1).back(), larva);
  EXPECT_EQ(king->record->specialCounter, 6 - 1);  // the turn's count-down followed
  EXPECT_EQ(board.LastUndo()->createdUnit, larva);
  ASSERT_TRUE(board.PopUndo());
  EXPECT_EQ(board.Cell(4, 3).occupant, nullptr);
  EXPECT_EQ(board.Units(1).size(), 1u);
  EXPECT_EQ(king->record->specialCounter, 0);
  EXPECT_EQ(board.StateHash(), before);
}

TEST_F(MonsterSpecialTest, ALarvaGrowsIntoAWormKeepingItsLevelAndExperience) {
  std::set<std::string> worms;
  for (std::uint32_t seed = 1; seed < 40; ++seed) {
    YTessorBoard board;
    board.Random().SetState(seed);
    YTessorUnit* first = AddUnit(board, 0, 0, 0);
    YTessorUnit* larva = AddMonster(board, "sand_larva", 0, 3, 3);
    YTessorUnit* last = AddUnit(board, 0, 8, 0);
    larva->record->level = 3;
    larva->record->experience = 77;
    EXPECT_TRUE(SpecialMoves(board, larva).empty());
    larva->record->specialCounter = 0;
    ASSERT_EQ(SpecialMoves(board, larva), (std::vector<YTessorMove>{{larva, 3, 3, 2}}));
    const std::uint64_t before = board.StateHash();
    board.ApplyMove({larva, 3, 3, move_kind::kSpecial}, {});
    YTessorUnit* worm = board.Cell(3, 3).occupant;
    ASSERT_NE(worm, larva);
    worms.insert(worm->MonsterId());
    EXPECT_EQ(worm->record->level, 3);
    EXPECT_EQ(worm->record->experience, 77);
    EXPECT_EQ(worm->record->shownExperience, 77);
    EXPECT_EQ(worm->special, nullptr);
    // The larva's place in the list went to the last unit; the worm is appended.
    EXPECT_EQ(board.Units(0), (std::vector<YTessorUnit*>{first, last, worm}));
    EXPECT_EQ(board.LastUndo()->removedUnit1, larva);
    ASSERT_TRUE(board.PopUndo());
    EXPECT_EQ(board.Units(0), (std::vector<YTessorUnit*>{first, larva, last}));
    EXPECT_EQ(board.Cell(3, 3).occupant, larva);
    EXPECT_EQ(board.StateHash(), before);
  }
  EXPECT_EQ(worms, (std::set<std::string>{"bloodsucker", "midworm", "grim_worm"}));
}

TEST_F(MonsterSpecialTest, TheHydraGrowsHeadsAndCannotMoveWhileTwoLive) {
  YTessorBoard board;
  YTessorUnit* body = AddMonster(board, "hydra_body", 1, 4, 6);
  AddUnit(board, 0, 0, 0);
  board.sideToMove = 1;
  std::vector<YTessorMove> moves;
  board.FindMoves(body, &moves);
  EXPECT_FALSE(moves.empty());

  std::vector<YTessorUnit*> heads;
  for (auto [x, y] : {std::pair{4, 5}, {3, 6}}) {
    body->record->specialCounter = 0;
    board.ApplyMove({body, x, y, move_kind::kSpecial}, {});
    board.sideToMove = 1;
    heads.push_back(board.Cell(x, y).occupant);
    EXPECT_EQ(heads.back()->Class(), UnitClass::kBoss);
    EXPECT_EQ(heads.back()->special->Kind(), SpecialKind::kHydraHead);
  }
  ASSERT_EQ(board.Heads().size(), 2u);
  const int bonus = heads[0]->record->health / 5 + heads[1]->record->health / 5;
  EXPECT_EQ(body->SpecialHealthBonus(board), bonus);
  moves.clear();
  board.FindMoves(body, &moves);
  EXPECT_TRUE(moves.empty());
  EXPECT_FALSE(board.ReachAt(4, 6).Reached());
  heads[1]->record->health = 0;  // one living head: the body moves again
  board.FindMoves(body, &moves);
  EXPECT_FALSE(moves.empty());

  // Taking the heads back empties the registry.
  ASSERT_TRUE(board.PopUndo());
  ASSERT_TRUE(board.PopUndo());
  EXPECT_TRUE(board.Heads().empty());
  EXPECT_EQ(body->SpecialHealthBonus(board), 0);
}

TEST_F(MonsterSpecialTest, ACopiedBoardRegistersItsOwnHeadsAndSharesNothing) {
  YTessorBoard board;
  YTessorUnit* body = AddMonster(board, "hydra_body", 1, 4, 6);
  AddMonster(board, "hydra_air", 1, 4, 5);
  AddMonster(board, "hydra_water", 1, 3, 6);
  AddUnit(board, 0, 0, 0);
  board.RefreshCellEffects();
  YTessorBoard copy(board);
  EXPECT_EQ(copy.StateHash(), board.StateHash());
  ASSERT_EQ(copy.Heads().size(), 2u);
  for (const YPlayer* head : copy.Heads()) {
    EXPECT_EQ(std::count(board.Heads().begin(), board.Heads().end(), head), 0);
  }
  YTessorUnit* copiedBody = copy.Cell(4, 6).occupant;
  EXPECT_EQ(copiedBody->SpecialHealthBonus(copy), body->SpecialHealthBonus(board));
  EXPECT_EQ(copy.Cell(4, 5).occupant->special, nullptr);  // heads are not cloned
  std::vector<YTessorMove> moves;
  copy.FindMoves(copiedBody, &moves);
  EXPECT_TRUE(moves.empty());
  // Changing the copy leaves the original as it was.
  const std::uint64_t original = board.StateHash();
  copy.Cell(4, 5).occupant->record->health = 0;
  copy.ClearSide(1, true);
  EXPECT_TRUE(copy.Heads().empty());
  EXPECT_EQ(board.StateHash(), original);
  EXPECT_EQ(board.Heads().size(), 2u);
}

TEST_F(MonsterSpecialTest, BreedersWithoutTheirTypesInTheCatalogueOfferNothing) {
  YTessorBoard board;
  YTessorUnit* king = AddMonster(board, "sand_king", 1, 4, 4);
  YTessorUnit* larva = AddMonster(board, "sand_larva", 1, 6, 6);
  king->record->specialCounter = 0;
  larva->record->specialCounter = 0;
  FindMonsterType("sand_larva")->id = "renamed_larva";
  FindMonsterType("midworm")->id = "renamed_worm";
  EXPECT_TRUE(SpecialMoves(board, king).empty());
  EXPECT_TRUE(SpecialMoves(board, larva).empty());
}

}  // namespace
