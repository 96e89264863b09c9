// Two boards joined by an in-memory link, each with a scripted player on its
// own side and a network commander for the other, through the link's
// router: the start-up exchange leaves both holding the same position (the
// slave's own army mirrored over, no cell left holding a unit that moved
// away), and a game of random moves and fights stays in lockstep. Messages
// a peer could not have sent, and a unit too long for the link, end the game
// through the disconnect path with a log line.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <sstream>

#include "board/BoardValues.h"
#include "board/YTessor.h"
#include "board/YTessorPlayerNetwork.h"
#include "net/PeerGameEvents.h"
#include "net/PeerMessageRouter.h"
#include "platform/Random.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/MemoryPeerLink.h"

namespace {

// The user of one machine, played by a script: while the game runs and it
// has moves left, a random attack of its side when there is one, else a
// random move.
class ScriptedPlayer : public YTessorPlayerCommander {
 public:
  ScriptedPlayer(int side, unsigned seed) : YTessorPlayerCommander(side), rng_(seed) {}
  std::int32_t Kind() const override { return commander_kind::kUser; }
  void Think() override {
    YTessor& tessor = *Board();
    if (!tessor.gameRunning || movesLeft == 0) return;
    std::vector<YTessorMove> moves;
    tessor.Board().GenerateMoves(side, moves);
    const auto attacks = std::partition(moves.begin(), moves.end(),
                                        [](const YTessorMove& m) { return m.kind == move_kind::kAttack; });
    if (moves.empty()) return;
    const std::size_t choices =
        attacks != moves.begin() ? static_cast<std::size_t>(attacks - moves.begin()) : moves.size();
    const YTessorMove move = moves[rng_() % choices];
    if (tessor.MoveUnit(move.unit, move.x, move.y, move.kind)) --movesLeft;
  }
  int movesLeft = 0;

 private:
  std::mt19937 rng_;
};

struct RecordingEvents : PeerGameEvents {
  void ShowAbort() override { ++aborts; }
  void ShowDisconnect() override { ++disconnects; }
  int aborts = 0;
  int disconnects = 0;
};

// One machine: its board, game mode, events and its end of the link.
struct Machine {
  explicit Machine(PeerChannel& end) : router(end), mailbox(router.Open(YTessorPlayerNetwork::Keywords())) {
    tessor.SetGameMaster(&master);
    for (int y = 0; y < kBoardSize; ++y) {
      for (int x = 0; x < kBoardSize; ++x)
        tessor.Board().SetCellType(x, y, static_cast<std::uint32_t>((x + y) % 5));
    }
    tessor.Board().SetCellType(2, 4, cell_kind::kWall);
    tessor.Board().SetCellType(4, 4, cell_kind::kEarth | cell_kind::kPowerPoint);
  }

  // A hero at (heroX, 0) and two monsters in row 1, all on side 0.
  void SetArmy(const std::string& heroName, int heroX) {
    auto hero = std::make_unique<YPlayerHero>();
    hero->name = heroName;
    hero->moveKind = 1;
    hero->way = 1;
    hero->distance = 3;
    hero->baseHealth = hero->health = 120;
    hero->baseMana = hero->mana = {6, 7, 8, 9};
    YPlayer* record = hero.get();
    YTessorBoard& board = tessor.Board();
    board.PlaceUnit(board.AddUnit(MakeUnit(UnitClass::kHero, std::unique_ptr<YPlayer>(std::move(hero)), 0)),
                    heroX, 0);
    tessor.SetPlayer(0, record);
    const char* ids[] = {"imp", "golem"};
    for (int i = 0; i < 2; ++i) {
      std::unique_ptr<YPlayer> monster = YPlayerMonster::MakeAtLevel(ids[i], 1 + heroX % 3, 1.0f);
      board.PlaceUnit(board.AddUnit(MakeUnit(UnitClass::kPlain, std::move(monster), 0)),
                      2 + 3 * i + heroX % 2, 1);
    }
  }

  void Install(unsigned seed) {
    tessor.SetCommander(0, std::make_unique<ScriptedPlayer>(0, seed));
    tessor.SetCommander(1, std::make_unique<YTessorPlayerNetwork>(1, mailbox, &events));
  }

  // One frame; a fight is won by the stronger record, the attacker on a tie.
  void Step() {
    tessor.Update(1.0f);
    if (master.fights.empty()) return;
    const auto [attacker, defender] = master.fights.front();
    master.fights.clear();
    ++fights;
    tessor.OnBattleResult(PlayerStrengthSum(*attacker->record) >= PlayerStrengthSum(*defender->record) ? 0
                                                                                                       : 1);
  }

  ScriptedPlayer& Player() {
    for (int side = 0; side < 2; ++side) {
      if (auto* player = dynamic_cast<ScriptedPlayer*>(tessor.Commander(side))) return *player;
    }
    throw std::logic_error("no scripted player");
  }
  YTessorPlayerNetwork* Network() {
    for (int side = 0; side < 2; ++side) {
      if (auto* network = dynamic_cast<YTessorPlayerNetwork*>(tessor.Commander(side))) return network;
    }
    return nullptr;
  }

  YTessor tessor;
  TestMaster master;
  int fights = 0;
  RecordingEvents events;
  PeerMessageRouter router;
  PeerChannel& mailbox;
};

// Everything both machines must agree on: clock, side to move, every unit
// of both lists in order with its values, the player records and who
// stands on each cell.
std::string Position(const YTessor& tessor) {
  const YTessorBoard& board = tessor.Board();
  std::ostringstream out;
  out << std::bit_cast<std::uint32_t>(board.clock) << ' ' << board.sideToMove << '\n';
  for (int side = 0; side < 2; ++side) {
    out << "player " << (tessor.Player(side) != nullptr ? tessor.Player(side)->name : "-") << '\n';
    for (const YTessorUnit* unit : board.Units(side)) {
      const YPlayer& r = *unit->record;
      out << unit->x << ',' << unit->y << ' ' << r.name << ' ' << r.level << ' ' << r.experience << ' '
          << r.moveKind << r.way << r.distance << ' ' << r.health << '/' << r.baseHealth;
      for (std::size_t e = 0; e < 4; ++e) out << ' ' << r.mana[e] << '/' << r.baseMana[e];
      for (std::int32_t max : r.maxValues) out << ' ' << max;
      out << '\n';
    }
  }
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      const YTessorUnit* occupant = board.Cell(x, y).occupant;
      out << (occupant == nullptr ? '.' : static_cast<char>('0' + occupant->side));
    }
  }
  return out.str();
}

// Every cell's occupant stands there and is listed (no unit is left on a
// cell it moved away from); with `allPlaced`, every listed unit stands on
// its cell too.
void ExpectCellsMatchUnits(const YTessorBoard& board, bool allPlaced = true) {
  for (int i = 0; i < kCellCount; ++i) {
    const YTessorUnit* occupant = board.Cell(i % kBoardSize, i / kBoardSize).occupant;
    if (occupant == nullptr) continue;
    EXPECT_EQ(occupant->x + kBoardSize * occupant->y, i);
    const auto& list = board.Units(occupant->side);
    EXPECT_NE(std::find(list.begin(), list.end(), occupant), list.end()) << "cell " << i;
  }
  for (int side = 0; side < 2 && allPlaced; ++side) {
    for (const YTessorUnit* unit : board.Units(side)) EXPECT_EQ(board.Cell(unit->x, unit->y).occupant, unit);
  }
}

using NetworkCommanderTest = BoardTest;

TEST_F(NetworkCommanderTest, TwoBoardsStartIdenticalAndPlayInLockstep) {
  MemoryPeerLink link;
  Machine a(link.master);
  Machine b(link.slave);
  a.SetArmy("Anna", 4);
  b.SetArmy("Bryn", 3);
  a.Install(1);
  b.Install(2);
  // Seeds that give the two machines different clocks: the master takes the slave's.
  platform::SeedRandom(1);
  a.tessor.NewGame();
  platform::SeedRandom(3);
  b.tessor.NewGame();
  ASSERT_NE(a.tessor.Board().clock, b.tessor.Board().clock);
  for (int frame = 0; frame < 100 && !(a.tessor.gameRunning && b.tessor.gameRunning); ++frame) {
    a.Step();
    b.Step();
  }
  ASSERT_TRUE(a.tessor.gameRunning && b.tessor.gameRunning);
  EXPECT_EQ(Position(a.tessor), Position(b.tessor));
  ExpectCellsMatchUnits(b.tessor.Board());
  EXPECT_EQ(b.tessor.Commander(0)->Kind(), commander_kind::kNetwork);
  EXPECT_EQ(b.Player().side, 1);
  EXPECT_TRUE(b.tessor.Board().viewFlip);
  EXPECT_FALSE(a.tessor.Board().viewFlip);
  EXPECT_EQ(a.tessor.Board().Units(1).size(), 3u);

  // A skill change travels before any move.
  a.tessor.Player(0)->baseMana[2] = 15;
  a.tessor.NotifySkill(a.tessor.Player(0));
  a.Player().movesLeft = b.Player().movesLeft = 20;
  std::size_t compared = 0;
  for (int frame = 0; frame < 20000; ++frame) {
    a.Step();
    b.Step();
    const std::size_t depth = a.tessor.Board().UndoDepth();
    if (a.tessor.stateFlags != 0 || b.tessor.stateFlags != 0 || b.tessor.Board().UndoDepth() != depth)
      continue;
    if (depth > compared) {
      ASSERT_EQ(Position(a.tessor), Position(b.tessor)) << "after move " << depth;
      ExpectCellsMatchUnits(b.tessor.Board());
      compared = depth;
    }
    if (a.tessor.IsGameOver() || (a.Player().movesLeft == 0 && b.Player().movesLeft == 0)) break;
  }
  EXPECT_GE(compared, 12u);
  EXPECT_GE(a.fights, 2);
  EXPECT_EQ(b.fights, a.fights);
  EXPECT_EQ(b.tessor.Player(0)->baseMana[2], 15);
  EXPECT_EQ(a.events.disconnects + b.events.disconnects, 0);

  // The peer gives up; then the link drops.
  link.slave.Send("abort");
  a.Step();
  EXPECT_EQ(a.events.aborts, 1);
  link.connected = false;
  b.Step();
  EXPECT_EQ(b.events.disconnects, 1);
}

const char* const kHello = "a_hello 0";
const char* const kValues = "\n1 0 1 1 3 60 60 5 5 8 8 2 2 1 1 0 0 0";
const std::string kHero = std::string("a_unit 4 8 1\nBryn") + kValues;  // stands on (4, 0) here
const std::string kImp = std::string("a_unit 3 8 0\nimp") + kValues;
const char* const kPeerFirst = "a_start 1 0.25";

std::string Unit(int x, int y, const char* label, const char* values) {
  return "a_unit " + std::to_string(x) + " " + std::to_string(y) + " 0\n" + label + "\n" + values;
}

TEST_F(NetworkCommanderTest, MessagesAPeerCouldNotHaveSentEndTheGame) {
  struct Case {
    const char* what;
    std::vector<std::string> messages;  // the last one is refused
    bool slave = false;
  };
  std::vector<std::string> tooMany = {kHello};
  for (int i = 0; i < 19; ++i) tooMany.push_back(Unit(i % 9, i / 9, "imp", kValues + 1));
  const std::vector<Case> cases = {
      {"a unit before the greeting", {kImp}},
      {"a second greeting", {kHello, kHello}},
      {"a cell off the board", {kHello, Unit(9, 8, "imp", kValues + 1)}},
      {"an unknown monster", {kHello, Unit(3, 8, "dragon", kValues + 1)}},
      {"a negative value", {kHello, Unit(3, 8, "imp", "1 0 1 1 3 -60 60 5 5 8 8 2 2 1 1 0 0 0")}},
      {"a move kind out of range", {kHello, Unit(3, 8, "imp", "1 0 3 1 3 60 60 5 5 8 8 2 2 1 1 0 0 0")}},
      {"fewer spells than counted", {kHello, Unit(3, 8, "imp", "1 0 1 1 3 60 60 5 5 8 8 2 2 1 1 0 0 2 17")}},
      {"a face outside the data",
       {kHello, Unit(3, 8, "imp", "1 0 1 1 3 60 60 5 5 8 8 2 2 1 1 ..\\x.png 0 0")}},
      {"a cell that is taken", {kHello, Unit(4, 8, "imp", kValues + 1)}},
      {"a cell taken by a peer unit", {kHello, kImp, kImp}},
      {"a second hero", {kHello, kHero, "a_unit 2 8 1\nCato" + std::string(kValues)}},
      {"too many units", tooMany},
      {"a clock out of range", {kHello, kHero, "a_start 0 1.5"}},
      {"a clock that is not a number", {kHello, kHero, "a_start 0 nan"}},
      {"a side out of range", {kHello, kHero, "a_start 2 0.25"}},
      {"a second start", {kHello, kHero, kPeerFirst, kPeerFirst}},
      {"a move before the start", {kHello, kHero, "a_move 4 0 4 1"}},
      {"a move from an empty cell", {kHello, kHero, kPeerFirst, "a_move 0 8 0 7"}},
      {"a move of this machine's unit", {kHello, kHero, kPeerFirst, "a_move 4 0 4 1"}},
      {"a move out of reach", {kHello, kHero, kPeerFirst, "a_move 4 0 4 8"}},
      {"a move with a cell missing", {kHello, kHero, kPeerFirst, "a_move 4 8 4"}},
      {"a bad skill value", {kHello, "a_skill 1 2 x 4"}},
      {"a greeting with a bad side", {"a_hello 7"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryPeerLink link;
    Machine machine(c.slave ? static_cast<PeerChannel&>(link.slave) : link.master);
    PeerChannel& peer = c.slave ? static_cast<PeerChannel&>(link.master) : link.slave;
    machine.SetArmy("Anna", 4);
    machine.Install(1);
    machine.tessor.NewGame();
    LogCapture log;
    for (const std::string& message : c.messages) {
      ASSERT_TRUE(peer.Send(message));
      machine.Step();
      machine.Step();
    }
    YTessorPlayerNetwork* network = machine.Network();
    ASSERT_NE(network, nullptr);
    EXPECT_TRUE(network->Failed());
    EXPECT_EQ(machine.events.disconnects, 1);
    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(std::count_if(
                  lines.begin(), lines.end(),
                  [](const std::string& l) { return l.rfind("Bad board message from the peer", 0) == 0; }),
              1);
    ExpectCellsMatchUnits(machine.tessor.Board(), false);
    machine.Step();
    EXPECT_EQ(machine.events.disconnects, 1);
  }
}

TEST_F(NetworkCommanderTest, AUnitTooLongForTheLinkIsNeverSentCut) {
  MemoryPeerLink link;
  Machine machine(link.master);
  machine.SetArmy(std::string(190, 'n'), 4);
  machine.Install(1);
  LogCapture log;
  machine.tessor.NewGame();
  EXPECT_EQ(link.master.sent, std::vector<std::string>{"a_hello 0"});
  EXPECT_EQ(machine.events.disconnects, 1);
  ASSERT_FALSE(log.Lines().empty());
  EXPECT_EQ(log.Lines().back().rfind("Board unit message of 2", 0), 0u) << log.Lines().back();
}

}  // namespace
