// The hot-seat game: who commands each side for each difficulty, what a
// decided duel does to the records and which outcome the board gets, the
// result's message, and the layout a duel is fought on.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "framework/TextFormat.h"
#include "framework/YLocale.h"
#include "modes/LayoutPath.h"
#include "modes/YGameHotseat.h"
#include "platform/Random.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/modes/ModesFixture.h"
#include "tiles/YTileset.h"

namespace {

// The real commanders, with a line per computer asked for.
struct RecordingFactory : CommanderFactory {
  std::unique_ptr<YTessorPlayerCommander> BoardComputer(std::int32_t side, std::int32_t row) override {
    calls.push_back("board " + std::to_string(side) + " row " + std::to_string(row));
    return CommanderFactory::BoardComputer(side, row);
  }
  std::unique_ptr<YPlayerCommander> DuelComputer(std::int32_t side, std::int32_t row) override {
    calls.push_back("duel " + std::to_string(side) + " row " + std::to_string(row));
    return CommanderFactory::DuelComputer(side, row);
  }
  std::vector<std::string> calls;
};

class HotseatTest : public ShippedGameTest {
 protected:
  HotseatTest() {
    mode.SetHost(&host);
    mode.SetFactory(&factory);
  }
  ~HotseatTest() override { mode.End(); }

  std::vector<int> Kinds() const {
    return {board.Commander(0)->Kind(), board.Commander(1)->Kind(), battle.Commander(0)->Kind(),
            battle.Commander(1)->Kind()};
  }
  // A fighter record of the board's, named, at full health.
  static YPlayer* Record(YPlayer* record, const std::string& name) {
    record->name = name;
    record->health = record->baseHealth = record->maxValues[5] = 100;
    record->experience = 40;
    return record;
  }
  // Heroes "Alda" (side 0) and "Borak" (side 1) and a wisp of each side.
  void StandOff() {
    heroes[0] = board.AddHeroUnit(Record(new YPlayerHero, "Alda"), 0, 4, 0);
    heroes[1] = board.AddHeroUnit(Record(new YPlayerHero, "Borak"), 1, 4, 8);
    for (int side = 0; side < 2; ++side) {
      auto wisp = YPlayerMonster::MakeAtLevel("wisp", 0, 1.0f);
      wisps[side] = board.AddMonsterUnit(Record(wisp.release(), "Wisp"), side, 3, 3 + side);
    }
  }
  std::string Win(const char* key, const std::string& a, const std::string& b = {}) const {
    return FormatTextArgs(GetLocale().GetText(key), a, b);
  }
  // `attacker` attacks `defender`, the duel ends with `result`.
  void Fight(YTessorUnit* attacker, YTessorUnit* defender, int result) {
    board.Board().sideToMove = attacker->side;
    board.Board().PushUndo(attacker);  // as the board's move does: the fallen go to its record
    board.moving = attacker;
    board.defender = defender;
    board.stateFlags = board_state::kFighting;
    mode.OnFight(attacker, defender);
    mode.OnFightEnd(result);
  }

  YTessor board;
  YTileset battle;
  YGameHotseat mode{board, battle};
  RecordingHost host;
  RecordingFactory factory;
  YTessorUnit* heroes[2] = {};
  YTessorUnit* wisps[2] = {};
};

TEST_F(HotseatTest, TwoPeopleGetUsersAndTheComputerPlaysItsBoardRowWithTheEasiestDuelRow) {
  mode.StartGame(0, 1, YGameHotseat::kTwoPeople);
  mode.CreatePlayerCommander();
  EXPECT_EQ(Kinds(), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_TRUE(factory.calls.empty());
  EXPECT_EQ(host.state, host_state::kBoard);

  mode.StartGame(0, 1, 4);
  mode.CreatePlayerCommander();
  EXPECT_EQ(Kinds(), (std::vector<int>{1, 2, 1, 2}));
  EXPECT_EQ(factory.calls, (std::vector<std::string>{"board 1 row 4", "duel 1 row 0"}));
  EXPECT_EQ(board.GameMaster(), &mode);
  EXPECT_EQ(battle.gameMode, &mode);
  ASSERT_NE(board.Player(1), nullptr);
  EXPECT_FALSE(board.Board().Units(1).empty());

  // An index outside the list changes nothing; Start repeats the match.
  mode.StartGame(0, 99, 2);
  EXPECT_EQ(mode.Difficulty(), 4);
  factory.calls.clear();
  mode.Start();
  EXPECT_EQ(factory.calls, (std::vector<std::string>{"board 1 row 4"}));
}

TEST_F(HotseatTest, TheOutcomeIsTheAttackersAndTheWinnerGainsTheLosersWorth) {
  StandOff();
  YPlayer* attacker = wisps[1]->record;
  YPlayer* defender = heroes[0]->record;
  Fight(wisps[1], heroes[0], 1);  // side 1 attacked and won
  EXPECT_EQ(mode.Outcome(), 0);
  EXPECT_EQ(defender->health, 0);
  const std::int32_t bonus = defender->ExperienceValue();
  EXPECT_EQ(attacker->experience, 40 + bonus);
  EXPECT_EQ(host.shown.back(), "victoryMP " + Win("hotseat_win1", "Wisp") + " 0 " + std::to_string(bonus));
  EXPECT_EQ(std::vector<std::string>(host.shown.begin(), host.shown.begin() + 2),
            (std::vector<std::string>{"clear", "sound combat"}));
  EXPECT_EQ(host.state & host_state::kBoardFrozen, host_state::kBoardFrozen);

  mode.OnLevelEnd();  // the defender's hero falls: side 0 has its wisp still
  EXPECT_EQ(host.state, host_state::kBoard);
  EXPECT_EQ(wisps[1]->x * 10 + wisps[1]->y, 40);
  EXPECT_FALSE(board.IsGameOver());
}

TEST_F(HotseatTest, TwoOfAKindNameTheWinnersHeroAndTheDefenderWinningGivesOne) {
  StandOff();
  Fight(wisps[0], wisps[1], 1);  // side 0 attacked, side 1's wisp held
  EXPECT_EQ(mode.Outcome(), 1);
  EXPECT_EQ(host.shown.back().rfind("victoryMP " + Win("hotseat_win2", "Wisp", "Borak") + " ", 0), 0u)
      << host.shown.back();
  mode.OnLevelEnd();
  EXPECT_EQ(board.Board().Units(0).size(), 1u);

  Fight(heroes[1], heroes[0], -1);  // both fall: the game ends with no winner
  EXPECT_EQ(host.shown.back(), "draw");
  EXPECT_EQ(mode.Outcome(), -1);
  mode.OnLevelEnd();
  EXPECT_EQ(host.shown.back(), "complete 1");  // side 1 keeps its wisp
  EXPECT_EQ(mode.Outcome(), 1);
}

TEST_F(HotseatTest, AMonsterAttackerFightsOnOneOfItsLayoutsEveryOtherDuelOnTheStandardOne) {
  YPlayerHero hero;
  EXPECT_EQ(GetLayoutPath(&hero, nullptr), kStandardLayout);
  EXPECT_EQ(GetLayoutPath(nullptr, &hero), kStandardLayout);
  YPlayerMonster unknown("no_such_monster");
  EXPECT_EQ(GetLayoutPath(&unknown, nullptr), kStandardLayout);
  auto imp = YPlayerMonster::MakeAtLevel("fire_imp", 0, 1.0f);
  platform::SeedRandom(7);
  std::set<std::string> picked;
  for (int i = 0; i < 40; ++i) picked.insert(GetLayoutPath(imp.get(), &hero));
  std::set<std::string> listed;
  for (const std::string& name : imp->GetType()->layouts) listed.insert("layouts\\" + name);
  EXPECT_EQ(picked, listed);
}

}  // namespace
