// The gold of a duel's plain pairs reaches the board player whose unit
// took them: through the routing installed on the process's battles, in a
// real duel on a real board, and by the routing's rules.
#include <gtest/gtest.h>

#include <memory>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "modes/DuelGold.h"
#include "players/YPlayerHero.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/YTileset.h"

namespace {

// A unit of `record` (not owned) on `side`, standing on (x, y).
YTessorUnit* Put(YTessor& board, YPlayer& record, int side, int x, int y) {
  YTessorUnit* unit = board.Board().AddUnit(MakeUnit(UnitClass::kPlain, &record, side));
  board.Board().PlaceUnit(unit, x, y);
  return unit;
}

TEST(DuelGold, APlainPairPaysTheBoardPlayerOfTheUnitThatTookIt) {
  tiles_test::ShippedLayoutsFolder folder;
  YPlayerHero host, guest;
  YPlayer guestMonster, hostMonster;
  tiles_test::SetFighter(guestMonster, "Guest's", 30, 40);
  tiles_test::SetFighter(hostMonster, "Host's", 30, 40);
  YTessor& board = GetTessor();
  board.SetPlayer(0, &host);
  board.SetPlayer(1, &guest);
  // The guest's monster attacks the host's: the defender takes first.
  board.moving = Put(board, guestMonster, 1, 4, 5);
  board.defender = Put(board, hostMonster, 0, 4, 4);

  duel_gold::InstallGoldRouting();
  YTileset& battle = GetTileset();
  ASSERT_TRUE(battle.BeginBattle("layouts\\standard.lay", &hostMonster, &guestMonster, 0));
  const auto takePlainPair = [&battle](std::uint32_t first, std::uint32_t second) {
    ASSERT_FALSE(battle.Pairs().empty());
    const DuelPair pair = battle.Pairs().front();
    battle.Board().tiles[static_cast<std::size_t>(pair.a)].kind = tiles_test::KindIndex(first);
    battle.Board().tiles[static_cast<std::size_t>(pair.b)].kind = tiles_test::KindIndex(second);
    battle.DoMove(pair.a, pair.b);
  };
  takePlainPair(0x21, 0x11);  // earth 10, fire 2
  EXPECT_EQ(host.gold, 12);
  EXPECT_EQ(guest.gold, 0);

  // Side 1 (the moving unit's record) takes a pair when its turn comes.
  for (int frame = 0; frame < 100 && battle.State().sideToMove != 1; ++frame) battle.Update(1.0f);
  ASSERT_EQ(battle.State().sideToMove, 1);
  takePlainPair(0x31, 0x01);  // water 7, air 5
  EXPECT_EQ(guest.gold, 12);
  EXPECT_EQ(host.gold, 12);

  battle.SetGoldHook(nullptr);
  battle.ClearTiles();
  board.moving = board.defender = nullptr;
  board.ClearSide(0, false);
  board.ClearSide(1, false);
  board.SetPlayer(0, nullptr);
  board.SetPlayer(1, nullptr);
}

TEST(DuelGold, TheMovingUnitIsAskedFirstAndBoardPlayerZeroTakesTheRest) {
  YTessor board;
  YPlayerHero host, guest;
  YPlayer fighter, other;
  board.SetPlayer(0, &host);
  board.SetPlayer(1, &guest);
  board.moving = Put(board, fighter, 1, 1, 1);
  board.defender = Put(board, fighter, 0, 1, 2);
  EXPECT_EQ(duel_gold::Receiver(board, fighter), &guest) << "the moving unit comes first";
  board.moving->record = &other;
  EXPECT_EQ(duel_gold::Receiver(board, fighter), &host) << "then the defender";
  board.defender->side = 1;
  EXPECT_EQ(duel_gold::Receiver(board, fighter), &guest);
  EXPECT_EQ(duel_gold::Receiver(board, host), &host) << "neither unit fights with the record";
  board.defender->side = -1;
  EXPECT_EQ(duel_gold::Receiver(board, fighter), &host) << "a unit of no side";
  board.moving = board.defender = nullptr;
  EXPECT_EQ(duel_gold::Receiver(board, fighter), &host) << "no fight on the board";

  board.SetPlayer(0, nullptr);
  duel_gold::Pay(board, fighter, 5);  // an empty slot: nobody is paid
  board.SetPlayer(0, &fighter);
  duel_gold::Pay(board, fighter, 5);  // not a hero: no gold to raise
  EXPECT_EQ(host.gold + guest.gold, 0);
}

}  // namespace
