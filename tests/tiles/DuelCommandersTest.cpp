// The duel's computer and network commanders on real battles, and two
// battles joined by an in-memory link playing one duel in lockstep.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>

#include "net/PeerGameEvents.h"
#include "net/PeerMessageRouter.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/MemoryPeerLink.h"
#include "tests/support/TestSupport.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/YPlayerComputer.h"
#include "tiles/YPlayerNetwork.h"
#include "tiles/YTileset.h"

namespace {

namespace fs = std::filesystem;

// Plays side 0 at this machine: the 0x063A pair whenever it can (counted),
// else the best pair.
struct ScriptedPlayer : YPlayerCommander {
  using YPlayerCommander::YPlayerCommander;
  void Update() override {
    const DuelState& s = Battle()->State();
    const std::vector<DuelPair>& pairs = Battle()->Pairs();
    auto pick = std::find_if(pairs.begin(), pairs.end(), [&s](const DuelPair& p) {
      const std::uint32_t a = s.KindOf(p.a).id, b = s.KindOf(p.b).id;
      return ((a << 8) | b) == 0x063A || ((b << 8) | a) == 0x063A;
    });
    chaosCasts += pick != pairs.end() ? 1 : 0;
    if (pick == pairs.end()) pick = pairs.begin();
    if (pick != pairs.end()) Battle()->DoMove(pick->a, pick->b);
  }
  static inline int chaosCasts = 0;
};

// A hash of the position (its history aside) as the master holds it: on the
// slave each fighter plays the other side.
std::uint64_t MasterHash(DuelState s, bool slave) {
  s.undo.clear();
  s.undoTiles.clear();
  if (slave) std::swap(s.sides[0], s.sides[1]);
  s.sideToMove ^= slave ? 1 : 0;
  return s.Hash();
}

// One machine of a network game: side 0 is scripted here, side 1 is the
// peer. Each frame's move (at most one) is logged with the state's hash.
struct Machine : PeerGameEvents {
  Machine(PeerChannel& link, bool isSlave) : router(link), slave(isSlave) {
    battle.SetCommander(0, std::make_unique<ScriptedPlayer>(0));
    battle.SetCommander(1, std::make_unique<YPlayerNetwork>(router, this));
  }
  void Frame() {
    battle.Update(0.02f);
    const DuelState& s = battle.State();
    if (s.undo.size() <= hashes.size()) return;
    hashes.push_back(MasterHash(s, slave));
  }
  bool Over() const { return battle.State().flags == DuelFlag::kOver; }
  void ShowAbort() override {}
  void ShowDisconnect() override { ++disconnects; }

  PeerMessageRouter router;
  bool slave;
  int disconnects = 0;
  YPlayer local, remote;
  YTileset battle;
  std::vector<std::uint64_t> hashes;
};

class DuelCommandersTest : public ::testing::Test {
 protected:
  DuelCommandersTest() : cwd_(dir_.Path()) {
    const fs::path layouts = dir_.Path() / "layouts";
    fs::create_directories(layouts);
    fs::copy_file(fs::path(QV_SOURCE_DIR) / "content" / "layouts" / "standard.lay", layouts / "standard.lay");
    // 84 tiles, every one free: both 0x063A kinds are dealt and free.
    std::vector<tile_layout::Corner> flat;
    for (int i = 0; i < 84; ++i) flat.push_back({3 * (i % 11), 2 * (i / 11), 0});
    testing_support::WriteFile(layouts / "flat.lay", "flat\nfree\n" + tile_layout::LayoutLine(flat) + "\n");
    tiles_test::LoadShippedTiles();
    if (YArtifactLoader::FindArtifact("hourglass") == nullptr)
      YArtifactLoader artifacts(std::string(QV_SOURCE_DIR) + "/content/ui/english/artifacts.yml");
  }
  static void Arm(YPlayer& fighter, const std::string& name, const char* artifact) {
    tiles_test::SetFighter(fighter, name, 30, 90);
    fighter.health = fighter.shownHealth = 90;
    fighter.artifact = YArtifactLoader::FindArtifact(artifact);
    fighter.spells = {GetTileTables().FindSpell(0x063A), GetTileTables().FindSpell(0x0315)};
  }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_;
};

// The computer moves what a search of the real position finds, which stays
// untouched until then; with no pair it starts nothing; deleting it stops
// within seconds a search that its time limit would let run for minutes.
TEST_F(DuelCommandersTest, ComputerSearchesACopyAndMovesOnTheMainThread) {
  YTileset battle;
  YPlayer ann, bob;
  Arm(ann, "Ann", "hourglass");
  Arm(bob, "Bob", "sun_disc");
  auto owned = std::make_unique<YPlayerComputer>(1, 19, 1, 1, 600000);
  YPlayerComputer* computer = owned.get();
  const auto cutAtPly3 = [reads = 0]() mutable { return reads++ == 0 ? 0u : 600001u; };
  computer->SetClock(cutAtPly3);
  battle.SetCommander(1, std::move(owned));
  battle.BeginBattle("layouts\\standard.lay", &ann, &bob, 1);
  // Once its time is up every node three plies down is a leaf: the tree of
  // a plain search of depth 3, and the move the plain search finds.
  DuelState copy = battle.State().SearchCopy(), shallow = copy;
  const DuelSearchResult search = DuelSearch(copy, {1, 19, 1, 600000, false}, cutAtPly3).Run(battle.Pairs());
  EXPECT_EQ(search.nodes,
            DuelSearch(shallow, {1, 3, 1, 600000, false}, [] { return 0u; }).Run(battle.Pairs()).nodes);
  const DuelPair expected = battle.Pairs()[search.bestIndex];
  const std::uint64_t before = battle.State().Hash();
  for (int frame = 0; frame < 100000 && battle.State().undo.empty(); ++frame) {
    ASSERT_EQ(battle.State().Hash(), before);
    battle.Update(0.02f);
  }
  ASSERT_EQ(battle.State().undo.size(), 1u);
  const std::int16_t* taken = battle.State().RecordTiles(battle.State().undo.back());
  EXPECT_EQ(std::make_pair(int{taken[0]}, int{taken[1]}), std::make_pair(expected.a, expected.b));
  auto now = std::make_shared<std::atomic<std::uint32_t>>(0u);  // the next search's limit is minutes away
  computer->SetClock([now] { return now->load(); });
  const std::vector<YTile> tiles = battle.Board().tiles;
  for (YTile& t : battle.Board().tiles) t.state = YTile::kRemoved;
  battle.FindMoves();
  computer->Update();
  EXPECT_FALSE(computer->Searching());
  battle.Board().tiles = tiles;
  battle.FindMoves();
  computer->Update();
  EXPECT_TRUE(computer->Searching());
  // Should the stop go unheeded, the clock runs out so that the test fails
  // rather than hangs.
  EXPECT_TRUE(testing_support::EndsWithin(
      std::chrono::seconds(5), [&battle] { battle.DeleteCommanders(); }, [now] { now->store(600001u); }));
}

TEST_F(DuelCommandersTest, TwoMachinesPlayOneDuelInLockstep) {
  ScriptedPlayer::chaosCasts = 0;
  MemoryPeerLink link;
  Machine master(link.master, false), slave(link.slave, true);
  Arm(master.local, std::string(300, 'A'), "hourglass");
  Arm(slave.local, "Bob", "mirror_shard");
  slave.local.mana[3] = -7;  // both costs of a water pair paid in an earlier fight
  // Each machine has its own seed; the duel is dealt from the master's.
  master.battle.SetSeedSource([] { return 1234u; });
  slave.battle.SetSeedSource([] { return 99u; });
  master.battle.BeginBattle("layouts\\flat.lay", &master.local, &master.remote, 0);
  for (int frame = 0; frame < 10; ++frame) master.Frame();
  EXPECT_FALSE(master.battle.IsBattleStarted());  // not before the slave's greeting
  slave.battle.BeginBattle("layouts\\flat.lay", &slave.local, &slave.remote, 1);
  for (int frame = 0; frame < 100000 && !(master.Over() && slave.Over()); ++frame) {
    master.Frame();
    slave.Frame();
  }
  EXPECT_GE(master.hashes.size(), 10u);
  EXPECT_EQ(master.hashes, slave.hashes);
  EXPECT_GT(ScriptedPlayer::chaosCasts, 0);
  EXPECT_EQ(master.disconnects + slave.disconnects, 0);
  EXPECT_EQ(link.master.sent[0].size(), PeerChannel::kMaxBody);  // the long name cut to fit
  EXPECT_EQ(slave.remote.name, master.local.name.substr(0, slave.remote.name.size()));
}

TEST_F(DuelCommandersTest, HostileOrOutOfTurnMessagesEndTheDuel) {
  const std::string values = "hello 0\nEve\n3 100 30 40 30 40 30 40 30 40 ";
  const std::string hello = values + "30 40 0 hourglass 1 1594";
  const std::string start = "start layouts\\flat.lay 77 0 1";  // the slave's side 1 moves first
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{start}, "a start before the greeting"},
      {{hello, "start layouts\\..\\..\\evil.lay 77 0 1"}, "outside the layouts folder"},
      {{hello, "start layouts\\flat.lay 77 2 1"}, "bad start fields"},
      {{hello, hello}, "a second greeting"},
      {{values + "30 99999999 0 0 0"}, "bad greeting values"},
      {{values + "-99999999 40 0 0 0"}, "bad greeting values"},
      {{values + "30 40 ..\\..\\secret.png 0 0"}, "bad greeting values"},
      {{values + "30 40 0 0 900 1"}, "bad greeting values"},
      {{hello, start, "move 0 0"}, "cannot make here"},
      {{hello, start, "move 3"}, "bad move fields"},
      {{hello, start, "a_move 4 8 4 7"}, "another party's message"},  // where the peer's move is due
  };
  for (const auto& c : cases) {
    MemoryPeerLink link;
    LogCapture log;
    Machine slave(link.slave, true);
    slave.router.Open({"a_move", "abort"});  // the board's mailbox, as in a game
    Arm(slave.local, "Bob", "mirror_shard");
    slave.battle.BeginBattle("layouts\\flat.lay", &slave.local, &slave.remote, 0);
    for (const std::string& message : c.first) link.master.Send(message);
    for (int frame = 0; frame < 200; ++frame) slave.Frame();
    EXPECT_EQ(slave.disconnects, 1) << c.second;
    EXPECT_FALSE(link.connected) << c.second;  // given up, so the peer loses it too
    const std::vector<std::string> lines = log.Lines();
    const auto mentions = [&c](const std::string& line) { return line.find(c.second) != line.npos; };
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), mentions), 1) << c.second;
  }
}

// The peer decided the duel first and greets for its next one while this
// machine's duel still runs: that greeting waits for the next commander.
TEST_F(DuelCommandersTest, TheNextDuelsGreetingWaitsForTheNextDuel) {
  const std::string hello = "hello 0\nEve\n3 100 30 40 30 40 30 40 30 40 30 40 0 hourglass 1 1594";
  MemoryPeerLink link;
  Machine slave(link.slave, true);
  Arm(slave.local, "Bob", "mirror_shard");
  slave.battle.BeginBattle("layouts\\flat.lay", &slave.local, &slave.remote, 0);
  for (const std::string& message : {hello, std::string("start layouts\\flat.lay 77 0 1"), hello})
    link.master.Send(message);
  for (int frame = 0; frame < 200; ++frame) slave.Frame();
  ASSERT_TRUE(slave.battle.IsBattleStarted());
  EXPECT_FALSE(slave.Over());
  EXPECT_EQ(slave.disconnects, 0);
  PeerMessageRouter::Mailbox& control = slave.router.Open(YPlayerNetwork::Keywords());
  EXPECT_EQ(control.Waiting(), 1u);
  EXPECT_EQ(control.Receive(), hello);
}

}  // namespace
