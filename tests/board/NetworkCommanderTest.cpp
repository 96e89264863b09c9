// Two boards linked in memory through a router start identical (the
// slave's army mirrored over, no cell naming a unit that left it) and play
// random moves and fights in lockstep. Messages a peer could not have sent,
// and a unit too long for the link, end the game with a log line.
#include <gtest/gtest.h>

#include <bit>
#include <sstream>

#include "board/BoardValues.h"
#include "board/YTessorPlayerNetwork.h"
#include "net/PeerGameEvents.h"
#include "net/PeerMessageRouter.h"
#include "platform/Random.h"
#include "players/YPlayerHero.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/MemoryPeerLink.h"

namespace {

// The user at one machine, played by a script: a random move of its side,
// an attack when it has one, each time the test grants one.
struct ScriptedPlayer : YTessorPlayerCommander {
  explicit ScriptedPlayer(unsigned seed) : YTessorPlayerCommander(0), rng(seed) {}
  std::int32_t Kind() const override { return commander_kind::kUser; }
  void Think() override {
    std::vector<YTessorMove> moves;
    Board()->Board().GenerateMoves(side, moves);
    const auto end = std::partition(moves.begin(), moves.end(), [](auto& m) { return m.kind == 1; });
    const auto choices = static_cast<std::size_t>((end != moves.begin() ? end : moves.end()) - moves.begin());
    if (granted == 0 || choices == 0) return;
    const YTessorMove move = moves[rng() % choices];
    granted -= Board()->MoveUnit(move.unit, move.x, move.y, move.kind);
  }
  std::mt19937 rng;
  int granted = 0;
};

// One machine: a desk with mutex cells, a wall and a power point; a hero on
// (heroX, 0) and two monsters in row 1 on side 0; its commanders.
struct Machine : PeerGameEvents {
  Machine(PeerChannel& end, const std::string& heroName, int heroX) : router(end) {
    YTessorBoard& board = tessor.Board();
    for (int i = 0; i < kCellCount; ++i) board.SetCellType(i % 9, i / 9, (i % 9 + i / 9) % 5u);
    board.SetCellType(2, 4, cell_kind::kWall);
    board.SetCellType(4, 4, cell_kind::kEarth | cell_kind::kPowerPoint);
    auto hero = std::make_unique<YPlayerHero>();
    hero->name = heroName;
    hero->baseHealth = hero->health = 120;
    tessor.SetPlayer(0, hero.get());
    board.PlaceUnit(board.AddUnit(MakeUnit(UnitClass::kHero, std::move(hero), 0)), heroX, 0);
    AddMonster(board, "imp", 0, 2 + heroX % 2, 1, heroX % 3);
    AddMonster(board, "golem", 0, 5 + heroX % 2, 1, 1);
    tessor.SetGameMaster(&master);
    tessor.SetCommander(
        1, std::make_unique<YTessorPlayerNetwork>(1, router.Open(YTessorPlayerNetwork::Keywords()), this));
    network = static_cast<YTessorPlayerNetwork*>(tessor.Commander(1));
    tessor.SetCommander(0, std::make_unique<ScriptedPlayer>(heroX));
    player = static_cast<ScriptedPlayer*>(tessor.Commander(0));
  }
  void Step() {  // one frame; the stronger record wins a fight, the attacker a tie
    tessor.Update(1.0f);
    if (master.fights.empty()) return;
    const auto [attacker, defender] = master.fights.front();
    master.fights.clear();
    ++fights;
    tessor.OnBattleResult(PlayerStrengthSum(*attacker->record) >= PlayerStrengthSum(*defender->record) ? 0
                                                                                                       : 1);
  }
  void ShowAbort() override { ++aborts; }
  void ShowDisconnect() override { ++disconnects; }

  PeerMessageRouter router;
  YTessor tessor;
  TestMaster master;
  YTessorPlayerNetwork* network;
  ScriptedPlayer* player;
  int fights = 0, aborts = 0, disconnects = 0;
};

// Clock, side to move, player records, both lists with every unit's values,
// and each cell's occupant ('?' for one standing elsewhere).
std::string Position(const YTessor& tessor) {
  const YTessorBoard& board = tessor.Board();
  std::ostringstream out;
  out << std::bit_cast<std::uint32_t>(board.clock) << board.sideToMove;
  for (int side = 0; side < 2; ++side) {
    out << '\n' << (tessor.Player(side) ? tessor.Player(side)->name : "-");
    for (const YTessorUnit* unit : board.Units(side)) {
      const YPlayer& r = *unit->record;
      out << '\n' << unit->x << unit->y << r.name << ' ' << r.level << ' ' << r.experience << ' ' << r.health;
      for (std::size_t e = 0; e < 4; ++e) out << ' ' << r.mana[e] << '/' << r.baseMana[e];
      for (std::int32_t value : r.maxValues) out << ' ' << value;
    }
  }
  for (int i = 0; i < kCellCount; ++i) {
    const YTessorUnit* at = board.Cell(i % 9, i / 9).occupant;
    out << (at == nullptr ? '.' : at->x + 9 * at->y == i ? static_cast<char>('0' + at->side) : '?');
  }
  return out.str();
}

using NetworkCommanderTest = BoardTest;

TEST_F(NetworkCommanderTest, TwoBoardsStartIdenticalAndPlayInLockstep) {
  MemoryPeerLink link;
  Machine a(link.master, "Anna", 4), b(link.slave, "Bryn", 3);
  platform::SeedRandom(1);  // two different clocks: the master takes the slave's
  a.tessor.NewGame();
  platform::SeedRandom(3);
  b.tessor.NewGame();
  ASSERT_NE(a.tessor.Board().clock, b.tessor.Board().clock);
  for (int frame = 0; frame < 100 && !(a.tessor.gameRunning && b.tessor.gameRunning); ++frame)
    a.Step(), b.Step();
  EXPECT_EQ((std::tuple{a.tessor.Board().Units(1).size(), b.tessor.Commander(0), b.player->side}),
            (std::tuple{3u, b.network, 1}));
  a.tessor.Player(0)->baseMana[2] = 15;  // a skill change travels before any move
  a.tessor.NotifySkill(a.tessor.Player(0));
  // After each move both boards settle and are compared; then the player
  // whose side is to move is granted the next.
  std::size_t compared = 0;
  for (int frame = 0; frame < 20000 && compared < 24 && !a.tessor.IsGameOver(); ++frame) {
    a.Step();
    b.Step();
    const std::size_t depth = a.tessor.Board().UndoDepth();
    if (a.tessor.stateFlags || b.tessor.stateFlags || b.tessor.Board().UndoDepth() != depth) continue;
    if (a.player->granted + b.player->granted > 0) continue;
    ASSERT_EQ(Position(a.tessor), Position(b.tessor)) << "after move " << depth;
    compared = depth + 1;
    (a.tessor.Board().sideToMove == a.player->side ? a.player : b.player)->granted = 1;
  }
  EXPECT_GE(compared, 9u);
  EXPECT_GE(b.fights, 2);
  EXPECT_EQ(b.tessor.Player(0)->baseMana[2], 15);
  link.slave.Send("abort");  // the peer gives up; then the link drops
  a.Step();
  link.connected = false;
  b.Step();
  EXPECT_EQ((std::array{a.aborts, a.disconnects, b.aborts, b.disconnects}), (std::array{1, 0, 0, 1}));
}

std::string Unit(int x, int y, const char* label,
                 std::string values = "1 0 1 1 3 60 60 5 5 8 8 2 2 1 1 0 0 0") {
  return "a_unit " + std::to_string(x) + " " + std::to_string(y) + (*label == 'H' ? " 1\n" : " 0\n") + label +
         "\n" + values;
}

TEST_F(NetworkCommanderTest, MessagesAPeerCouldNotHaveSentEndTheGame) {
  const std::string hi = "a_hello 0", hero = Unit(4, 8, "Hero"), imp = Unit(3, 8, "imp"),
                    go = "a_start 1 0.25";
  std::vector<std::string> tooMany = {hi};
  for (int i = 0; i < 19; ++i) tooMany.push_back(Unit(i % 9, i / 9, "imp"));
  const std::vector<std::vector<std::string>> cases = {
      {imp},                                                                 // a unit before the greeting
      {hi, hero, go, go},                                                    // a second start
      {hi, Unit(9, 8, "imp")},                                               // a cell off the board
      {hi, imp, imp},                                                        // a cell taken already
      {hi, Unit(3, 8, "dragon")},                                            // an unknown monster
      {hi, Unit(3, 8, "imp", "1 0 3 1 3 -60 60 5 5 8 8 2 2 1 1 0 0 0")},     // bad move kind, health
      {hi, Unit(3, 8, "imp", "1 0 1 1 3 60 60 5 5 8 8 2 2 1 1 ..\\x 0 0")},  // a face outside the data
      tooMany,                                                               // more units than an army
      {hi, hero, "a_start 0 nan"},                                           // a clock that is no number
      {hi, hero, "a_start 2 0.25"},                                          // no such side
      {hi, hero, go, "a_move 0 8 0 7"},                                      // a move from an empty cell
      {hi, hero, go, "a_move 4 0 4 1"},                                      // of this machine's unit
      {hi, hero, go, "a_move 4 8 4 2"},                                      // out of reach
      {hi, "a_skill 1 2 x 4"},                                               // a skill that is no number
      {"a_hello 7"}};                                                        // no such side, to a slave
  for (const std::vector<std::string>& messages : cases) {
    SCOPED_TRACE(messages.back());
    MemoryPeerLink link;
    const bool slave = messages.back() == "a_hello 7";
    Machine machine(slave ? link.slave : link.master, "Anna", 4);
    machine.tessor.NewGame();
    LogCapture log;
    for (const std::string& message : messages) {
      (slave ? link.master : link.slave).Send(message);
      machine.Step(), machine.Step();
    }
    machine.Step();
    EXPECT_EQ((std::pair{machine.network->Failed(), machine.disconnects}), (std::pair{true, 1}));
    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](auto& l) { return l.rfind("Bad board message", 0) == 0; }),
              1);
  }
}

TEST_F(NetworkCommanderTest, AUnitTooLongForTheLinkIsNeverSentCut) {
  MemoryPeerLink link;
  Machine machine(link.master, std::string(190, 'n'), 4);
  LogCapture log;
  machine.tessor.NewGame();
  EXPECT_EQ(link.master.sent, std::vector<std::string>{"a_hello 0"});
  EXPECT_EQ(machine.disconnects, 1);
  EXPECT_EQ(log.Lines().at(0).rfind("Board unit message of 2", 0), 0u) << log.Lines()[0];
}

}  // namespace
