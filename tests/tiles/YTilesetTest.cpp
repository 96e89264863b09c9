// The tile battle's turns: starting, clicks and the tile under the mouse,
// moves and their notices, effects that hold the turn, passes and
// shuffles, the artifact's skip, the end of the battle, fades, music and
// the fallback layout; the undo of moves, and which hint area the panel
// explains.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "players/DisplayedCounters.h"
#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YGameMaster.h"
#include "players/YTileSpell.h"
#include "render/YCamera.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/PairRules.h"
#include "tiles/YPlayerUI.h"
#include "tiles/YTileset.h"

namespace {

namespace fs = std::filesystem;

// A commander that records what the battle tells it; with `autoMove` it
// takes the first available pair whenever it is asked.
class ScriptCommander : public YPlayerCommander {
 public:
  ScriptCommander(std::int32_t side, std::int32_t kind) : YPlayerCommander(side), kind_(kind) {}
  std::int32_t Kind() const override { return kind_; }
  void HandleMessages() override { ++messages; }
  void Update() override {
    ++updates;
    if (autoMove && !Battle()->Pairs().empty())
      Battle()->DoMove(Battle()->Pairs()[0].a, Battle()->Pairs()[0].b);
  }
  void OnStart(const std::string& path, std::uint32_t seed, std::int32_t first) override {
    startPath = path;
    startSeed = seed;
    startFirst = first;
  }
  void OnMove(std::int32_t first, std::int32_t second) override {
    heard.push_back({first, second});
    undoWhenHeard = Battle()->State().undo.size();
  }

  int messages = 0, updates = 0;
  bool autoMove = false;
  std::string startPath;
  std::uint32_t startSeed = 0;
  std::int32_t startFirst = -1;
  std::vector<std::pair<int, int>> heard;
  std::size_t undoWhenHeard = 99;

 private:
  std::int32_t kind_;
};

class RecordingMaster : public YGameMaster {
 public:
  void OnFightEnd(std::int32_t result) override { results.push_back(result); }
  std::vector<std::int32_t> results;
};

class TilesetTest : public ::testing::Test {
 protected:
  TilesetTest() : cwd_(dir_.Path()) {
    fs::create_directories(dir_.Path() / "layouts");
    for (const std::string& name : tiles_test::ShippedLayoutNames())
      fs::copy_file(fs::path(QV_SOURCE_DIR) / "content" / "layouts" / (name + ".lay"),
                    dir_.Path() / "layouts" / (name + ".lay"));
    tiles_test::LoadShippedTiles();
    battle_.SetEvents(&events_);
    battle_.gameMode = &master_;
    battle_.Messages().SetTextSource([](const std::string& key) { return key + ": %s"; });
    tiles_test::SetFighter(ann_, "Ann", 30, 40);
    tiles_test::SetFighter(bob_, "Bob", 30, 40);
  }

  // Installs two commanders and starts a battle on a fixed seed.
  void Start(std::int32_t kind0, std::int32_t kind1, std::uint32_t seed = 7, std::int32_t first = 0) {
    auto c0 = std::make_unique<ScriptCommander>(0, kind0);
    auto c1 = std::make_unique<ScriptCommander>(1, kind1);
    side0_ = c0.get();
    side1_ = c1.get();
    battle_.SetCommander(0, std::move(c0));
    battle_.SetCommander(1, std::move(c1));
    battle_.BeginBattle("layouts\\standard.lay", &ann_, &bob_, first);
    battle_.NewBattle("layouts\\standard.lay", seed, first);
    events_.events.clear();
  }
  // Frames until the battle waits for a move again (or `limit` frames).
  void RunFrames(int limit) {
    for (int i = 0; i < limit; ++i) battle_.Update(0.02f);
  }
  // The view point over the middle of a tile's top face.
  static std::pair<float, float> ViewPointOf(const YTileset& battle, int tile) {
    const YTile& t = battle.State().Tile(tile);
    const YVector3 top(t.world.m[3][0], t.world.m[3][1], t.world.m[3][2] + 0.7f);
    const YCamera& camera = GetCamera();
    const YVector3 eye = camera.View().TransformPoint(top);
    const float scale = camera.Projection().m[0][0];
    return {eye.x / -eye.z * scale, eye.y / -eye.z * scale};
  }
  void Point(int tile) {
    const auto [x, y] = ViewPointOf(battle_, tile);
    battle_.OnMouseMove(x, y);
  }
  void ClickOn(int tile) {
    Point(tile);
    battle_.OnClick(0, 0, 0);
  }
  // Leaves two free tiles of kinds that never pair (no one knows the spell).
  DuelBoard& LeaveTwoStrangers() {
    DuelBoard& board = battle_.Board();
    for (YTile& t : board.tiles) t.state = YTile::kRemoved;
    board.tiles[0].state = board.tiles[1].state = YTile::kLive;
    board.tiles[0].kind = tiles_test::KindIndex(0x03);
    board.tiles[1].kind = tiles_test::KindIndex(0x15);
    board.UpdateAllBlocked();
    return board;
  }
  // Two free tiles that pair, and one that pairs with neither.
  std::array<int, 3> PairAndStranger() const {
    const DuelState& s = battle_.State();
    const DuelPair pair = battle_.Pairs().front();
    for (int t : battle_.FreeTiles()) {
      if (t != pair.a && t != pair.b && !CanMatch(s, s.Mover(), pair.a, t)) return {pair.a, pair.b, t};
    }
    return {pair.a, pair.b, -1};
  }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_;
  tiles_test::RecordingEvents events_;
  RecordingMaster master_;
  YPlayer ann_, bob_;
  YTileset battle_;
  ScriptCommander* side0_ = nullptr;
  ScriptCommander* side1_ = nullptr;
};

TEST_F(TilesetTest, SideOnesCommanderStartsTheBattle) {
  battle_.SetCommander(1, std::make_unique<ScriptCommander>(1, YPlayerCommander::kNetwork));
  auto* remote = static_cast<ScriptCommander*>(battle_.Commander(1));
  battle_.BeginBattle("layouts\\wings.lay", &ann_, &bob_, 1);
  EXPECT_EQ(remote->startPath, "layouts\\wings.lay");
  EXPECT_EQ(remote->startFirst, 1);
  EXPECT_FALSE(battle_.IsBattleStarted());
  // Until it starts, only the messages are read.
  bob_.health = 0;
  battle_.Update(0.02f);
  battle_.Update(0.02f);
  EXPECT_EQ(remote->messages, 2);
  EXPECT_EQ(remote->updates, 0);
  EXPECT_TRUE(master_.results.empty());
  EXPECT_TRUE(events_.events.empty());
}

TEST_F(TilesetTest, TheBaseCommanderStartsAtOnce) {
  battle_.SetCommander(0, std::make_unique<YPlayerUI>(0));
  battle_.SetCommander(1, std::make_unique<YPlayerCommander>(1));
  battle_.BeginBattle("layouts\\crown.lay", &ann_, &bob_, 1);
  EXPECT_TRUE(battle_.IsBattleStarted());
  EXPECT_EQ(battle_.State().board.tiles.size(), 88u);
  EXPECT_EQ(battle_.State().sideToMove, 1);
  EXPECT_EQ(events_.events[0], "fresh 88");
  EXPECT_EQ(events_.events[1], "sound shuffle");
}

TEST_F(TilesetTest, NewBattleFindsThePairsOfTheFirstSide) {
  YTileSpell spell;
  spell.key = 0x0315;
  bob_.spells = {&spell};
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser, 11, 1);
  std::vector<int> free;
  std::vector<DuelPair> pairs;
  DuelState copy = battle_.State();
  FindPairs(copy, free, pairs);
  EXPECT_EQ(battle_.Pairs().size(), pairs.size());
  EXPECT_EQ(copy.sideToMove, 1);
  EXPECT_EQ(battle_.Countdown(), 20.0f);
}

TEST_F(TilesetTest, ClicksSelectDeselectAndMatch) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kComputer);
  battle_.SetupView();
  const auto [a, b, stranger] = PairAndStranger();
  ASSERT_GE(stranger, 0);
  Point(a);
  EXPECT_EQ(battle_.TileUnderMouse(), a);
  EXPECT_EQ(battle_.PartnerTile(), a);
  ClickOn(a);
  EXPECT_EQ(battle_.SelectedTile(), a);
  EXPECT_EQ(events_.events.back(), "sound tuc2");
  ClickOn(a);  // the same tile again: unselected, not selected anew
  EXPECT_EQ(battle_.SelectedTile(), -1);
  ClickOn(a);
  ClickOn(stranger);  // no pair: the stranger is selected instead
  EXPECT_EQ(battle_.SelectedTile(), stranger);
  EXPECT_FALSE(battle_.TakePendingFlag());
  ClickOn(a);
  ClickOn(b);
  EXPECT_EQ(battle_.SelectedTile(), a);
  EXPECT_EQ(battle_.PartnerTile(), b);
  // The user commander moves at its next update.
  auto user = std::make_unique<YPlayerUI>(0);
  YPlayerUI* ui = user.get();
  battle_.SetCommander(0, std::move(user));
  ui->Update();
  EXPECT_EQ(battle_.State().Tile(a).state, YTile::kRemoved);
  EXPECT_EQ(battle_.State().Tile(b).state, YTile::kRemoved);
  EXPECT_EQ(battle_.SelectedTile(), -1);
  EXPECT_FALSE(battle_.TakePendingFlag());
}

TEST_F(TilesetTest, OnlyAUserToMoveClicksAndPicksPartners) {
  Start(YPlayerCommander::kComputer, YPlayerCommander::kUser);
  battle_.SetupView();
  const int a = battle_.Pairs().front().a;
  Point(a);
  EXPECT_EQ(battle_.TileUnderMouse(), a) << "the panels still show the tile";
  EXPECT_EQ(battle_.PartnerTile(), -1);
  battle_.OnClick(0, 0, 0);
  EXPECT_EQ(battle_.SelectedTile(), -1);
  EXPECT_TRUE(events_.events.empty());
}

TEST_F(TilesetTest, AClickLeavesAtLeastTenSeconds) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  battle_.SetupView();
  const int a = battle_.Pairs().front().a;
  ClickOn(a);
  EXPECT_EQ(battle_.Countdown(), 20.0f);
  RunFrames(600);  // 12 s
  EXPECT_NEAR(battle_.Countdown(), 8.0f, 0.01f);
  ClickOn(a);
  EXPECT_EQ(battle_.Countdown(), 10.0f);
  RunFrames(1000);
  EXPECT_EQ(battle_.Countdown(), 0.0f);
  EXPECT_EQ(battle_.HintPair(), &battle_.Pairs().front()) << "nothing selected, time run out";
}

TEST_F(TilesetTest, SideOneHearsOfSideZerosMovesBeforeTheyHappen) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kNetwork);
  const DuelPair pair = battle_.Pairs().front();
  battle_.DoMove(pair.a, pair.b);
  ASSERT_EQ(side1_->heard.size(), 1u);
  EXPECT_EQ(side1_->heard[0],
            std::make_pair(battle_.State().Tile(pair.a).number, battle_.State().Tile(pair.b).number));
  EXPECT_EQ(side1_->undoWhenHeard, 0u);
  RunFrames(3);
  ASSERT_EQ(battle_.State().sideToMove, 1);
  const DuelPair reply = battle_.Pairs().front();
  battle_.DoMoveByIds(battle_.State().Tile(reply.a).number, battle_.State().Tile(reply.b).number);
  EXPECT_EQ(battle_.State().undo.size(), 2u);
  EXPECT_EQ(side1_->heard.size(), 1u) << "side 1's own moves are not told";
  EXPECT_TRUE(side0_->heard.empty());
  battle_.DoMoveByIds(9999, 0);
  EXPECT_EQ(battle_.State().undo.size(), 2u);
}

TEST_F(TilesetTest, AMoveWaitsForItsEffectsThenShowsAndPassesTheTurn) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kComputer);
  const DuelPair pair = battle_.Pairs().front();
  battle_.DoMove(pair.a, pair.b);
  const bool cast = (battle_.State().flags & DuelFlag::kCast) != 0;
  EXPECT_NE(battle_.State().flags & DuelFlag::kMoving, 0u);
  EXPECT_EQ(events_.events[0],
            "pair " + std::to_string(pair.a) + " " + std::to_string(pair.b) + (cast ? " cast" : " blank"));
  events_.effectFrames = 3;
  RunFrames(3);
  EXPECT_EQ(battle_.State().sideToMove, 0) << "effects still running";
  EXPECT_EQ(side1_->updates, 0);
  RunFrames(1);
  EXPECT_EQ(battle_.State().sideToMove, 1);
  EXPECT_EQ(battle_.State().flags & (DuelFlag::kMoving | DuelFlag::kCast), 0u);
  const std::string show = "show " + std::to_string(pair.a) + " " + std::to_string(pair.b) + " +0";
  EXPECT_EQ(std::count(events_.events.begin(), events_.events.end(), show), cast ? 1 : 0);
  RunFrames(60);
  EXPECT_GE(side1_->updates, 1);
}

TEST_F(TilesetTest, CountersStepBeforeTheNextMoveIsAsked) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kComputer);
  ann_.shownHealth = 25;  // five frames behind
  RunFrames(4);
  EXPECT_EQ(side0_->updates, 0);
  RunFrames(1);
  EXPECT_EQ(side0_->updates, 1);
  EXPECT_EQ(ann_.shownHealth, 30);
}

TEST_F(TilesetTest, TwoPassesBringAShuffleAndAPairResetsTheCount) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  DuelBoard& board = LeaveTwoStrangers();
  battle_.NextTurn();
  EXPECT_EQ(battle_.PassCounter(), 1);
  board.tiles[1].kind = tiles_test::KindIndex(0x03);  // a pair between passes
  battle_.NextTurn();
  EXPECT_EQ(battle_.PassCounter(), 0);
  board.tiles[1].kind = tiles_test::KindIndex(0x15);
  battle_.NextTurn();
  EXPECT_EQ(battle_.PassCounter(), 1);
  EXPECT_EQ(battle_.State().flags, DuelFlag::kPass);
  RunFrames(1);  // the pass: the other side's turn, no pair either
  EXPECT_EQ(battle_.PassCounter(), 2);
  EXPECT_EQ(battle_.State().flags, DuelFlag::kShuffle);
  RunFrames(1);  // the shuffle finds no pair: the board is swept
  EXPECT_EQ(battle_.State().board.LiveCount(), 0);
  RunFrames(1);  // and dealt anew
  EXPECT_EQ(battle_.State().board.LiveCount(), 144);
  EXPECT_EQ(battle_.PassCounter(), 0);
  const std::vector<std::string> expected = {"swept 2", "fresh 144", "sound shuffle"};
  std::vector<std::string> deals;
  for (const std::string& e : events_.events)
    if (e.rfind("swept", 0) == 0 || e.rfind("fresh", 0) == 0 || e == "sound shuffle") deals.push_back(e);
  EXPECT_EQ(deals, expected);
}

TEST_F(TilesetTest, AnArtifactSkipGivesTheSideThatMovedAnotherTurn) {
  YArtifact hourglass;
  hourglass.skip = 1;
  ann_.artifact = &hourglass;
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  const DuelPair pair = battle_.Pairs().front();
  battle_.DoMove(pair.a, pair.b);
  RunFrames(1);
  EXPECT_EQ(battle_.State().sideToMove, 0);
  EXPECT_EQ(battle_.State().flags, 0u);
  const auto& lines = battle_.Messages().Lines();
  ASSERT_FALSE(lines.empty());
  ASSERT_EQ(lines.back().size(), 2u);
  EXPECT_EQ(lines.back()[0].text, "pass_move: ");
  EXPECT_EQ(lines.back()[1].text, "Ann");
}

TEST_F(TilesetTest, TheBattleEndsOnceTheLoserIsSeenAtZero) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kComputer);
  bob_.health = 0;
  bob_.shownHealth = 3;
  RunFrames(3);
  EXPECT_TRUE(master_.results.empty());
  EXPECT_NE(battle_.Commander(0), nullptr);
  RunFrames(1);
  EXPECT_EQ(master_.results, (std::vector<std::int32_t>{0}));
  EXPECT_EQ(battle_.Commander(0), nullptr);
  EXPECT_EQ(battle_.Commander(1), nullptr);
  EXPECT_EQ(battle_.State().flags, DuelFlag::kOver);
  EXPECT_FALSE(battle_.IsBattleStarted());
  RunFrames(5);
  EXPECT_EQ(master_.results.size(), 1u);
  // Both falling in one move is a draw.
  Start(YPlayerCommander::kUser, YPlayerCommander::kComputer);
  ann_.health = ann_.shownHealth = 0;
  bob_.health = bob_.shownHealth = 0;
  RunFrames(1);
  EXPECT_EQ(master_.results, (std::vector<std::int32_t>{0, -1}));
}

TEST_F(TilesetTest, PlainPairsPayGoldOnlyInTheBattle) {
  std::vector<std::pair<const YPlayer*, std::int32_t>> paid;
  battle_.SetGoldHook([&](const YPlayer& taker, std::int32_t gold) { paid.push_back({&taker, gold}); });
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  DuelBoard& board = battle_.Board();
  const DuelPair pair = battle_.Pairs().front();
  board.tiles[static_cast<std::size_t>(pair.a)].kind = tiles_test::KindIndex(0x21);  // earth: 10
  board.tiles[static_cast<std::size_t>(pair.b)].kind = tiles_test::KindIndex(0x11);  // fire: 2
  battle_.DoMove(pair.a, pair.b);
  EXPECT_EQ(paid, (std::vector<std::pair<const YPlayer*, std::int32_t>>{{&ann_, 10}, {&ann_, 2}}));
  EXPECT_EQ(ann_.experience, 1 + 4);
  // The same pair played on a copy pays nothing.
  DuelState copy = battle_.State().SearchCopy();
  ASSERT_TRUE(copy.Undo());
  copy.PlayPair(pair.a, pair.b, YTile::kSetAside);
  EXPECT_EQ(paid.size(), 2u);
}

// Makes the first available pair two tiles of the kind `id` and takes it.
void TakeAs(YTileset& battle, std::uint32_t id) {
  const DuelPair pair = battle.Pairs().front();
  battle.Board().tiles[static_cast<std::size_t>(pair.a)].kind = tiles_test::KindIndex(id);
  battle.Board().tiles[static_cast<std::size_t>(pair.b)].kind = tiles_test::KindIndex(id);
  battle.DoMove(pair.a, pair.b);
}

TEST_F(TilesetTest, FadesFollowTheFlags) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  TakeAs(battle_, 0x17);  // fire tiles burn
  RunFrames(1);
  EXPECT_EQ(battle_.OverlayWeight(YTileset::kFireOverlay), 1.0f);
  EXPECT_EQ(battle_.OverlayWeight(YTileset::kFreezeOverlay), 0.0f);
  EXPECT_EQ(events_.events.back(), "fade to 1");
  RunFrames(60);
  TakeAs(battle_, 0x29);  // Bob shields himself; the fire goes out
  RunFrames(1);
  EXPECT_EQ(battle_.OverlayWeight(YTileset::kFireOverlay), 0.0f);
  EXPECT_EQ(battle_.OverlayWeight(YTileset::kSide1Highlight), 1.0f);
  EXPECT_EQ(battle_.RememberedFlags(1), DuelFlag::kShield);
  RunFrames(60);
  TakeAs(battle_, 0x01);  // Ann's turn lowers Bob's highlight
  RunFrames(1);
  EXPECT_EQ(battle_.OverlayWeight(YTileset::kSide1Highlight), 0.0f);
  EXPECT_EQ(battle_.OverlayWeight(YTileset::kSide0Highlight), 0.0f);
}

TEST_F(TilesetTest, MusicFollowsTheFightersHealth) {
  struct Case {
    std::int32_t kind1;
    int mood;
    std::int32_t health0, health1;
    int expected;
  };
  // Health out of 40: low below 12, healthy above 24.
  const std::vector<Case> cases = {
      {YPlayerCommander::kComputer, 0, 11, 40, 1}, {YPlayerCommander::kComputer, 0, 30, 11, 2},
      {YPlayerCommander::kComputer, 0, 12, 12, 0}, {YPlayerCommander::kComputer, 1, 25, 11, 2},
      {YPlayerCommander::kComputer, 1, 25, 20, 0}, {YPlayerCommander::kComputer, 1, 24, 11, 1},
      {YPlayerCommander::kComputer, 2, 11, 40, 1}, {YPlayerCommander::kComputer, 2, 20, 25, 0},
      {YPlayerCommander::kComputer, 2, 20, 24, 2}, {YPlayerCommander::kUser, 0, 40, 11, 2},
      {YPlayerCommander::kUser, 2, 25, 30, 0},     {YPlayerCommander::kUser, 2, 25, 24, 2},
  };
  for (const Case& c : cases) {
    Start(YPlayerCommander::kUser, c.kind1);
    ann_.health = 40;
    bob_.health = 40;
    battle_.Update(0.0f);
    battle_.UpdateMusicMood(true);
    // Walk to the starting mood through the rules themselves.
    const auto setHealth = [&](std::int32_t h0, std::int32_t h1) {
      ann_.health = ann_.shownHealth = h0;
      bob_.health = bob_.shownHealth = h1;
      battle_.Update(0.0f);
    };
    if (c.mood == 1) setHealth(5, 40);
    if (c.mood == 2) setHealth(40, 5);
    ASSERT_EQ(battle_.MusicMood(), c.mood);
    setHealth(c.health0, c.health1);
    EXPECT_EQ(battle_.MusicMood(), c.expected) << c.mood << " " << c.health0 << " " << c.health1;
  }
  EXPECT_EQ(events_.events.back().rfind("music ", 0), 0u);
}

TEST_F(TilesetTest, AnUnusableLayoutFallsBackToTheStandardOne) {
  LogCapture log;
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  testing_support::WriteFile(dir_.Path() / "layouts" / "bad.lay", "x\ny\nshort\n");
  for (const char* path :
       {"layouts\\bad.lay", "layouts\\missing.lay", "layouts\\..\\outside.lay", "C:\\x.lay"}) {
    battle_.NewBattle(path, 3, 0);
    EXPECT_EQ(battle_.State().board.tiles.size(), 144u) << path;
    EXPECT_EQ(battle_.LayoutPath(), path);
  }
  EXPECT_FALSE(fs::exists(dir_.Path() / "layouts" / "bad.lyt"));
  EXPECT_FALSE(fs::exists(dir_.Path() / "outside.lyt"));
  int fallbacks = 0;
  for (const std::string& line : log.Lines())
    fallbacks += line.find("uses layouts\\standard.lay") != std::string::npos;
  EXPECT_EQ(fallbacks, 4);
}

// The fighters' undo values, the side to move and every tile's state.
std::vector<std::int32_t> Snapshot(const YTileset& battle) {
  std::vector<std::int32_t> values = {battle.State().sideToMove};
  for (int side = 0; side < 2; ++side) {
    const YPlayer& f = *battle.Fighter(side);
    values.insert(values.end(), {f.experience, f.mana[0], f.mana[1], f.mana[2], f.mana[3], f.health});
  }
  for (const YTile& t : battle.State().board.tiles) values.insert(values.end(), {t.state, t.blocked});
  return values;
}

TEST_F(TilesetTest, UndoRestoresFightersAndTilesButNeverCrossesAShuffle) {
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  EXPECT_FALSE(battle_.Undo());
  std::vector<std::vector<std::int32_t>> before;
  // Fire that takes further tiles, fire that hurts, a plain pair's experience.
  for (std::uint32_t id : {0x13u, 0x14u, 0x21u}) {
    before.push_back(Snapshot(battle_));
    TakeAs(battle_, id);
    RunFrames(1);
    ASSERT_NE(Snapshot(battle_), before.back()) << id;
  }
  EXPECT_NE(ann_.experience, before.back()[1]);  // her plain pair earned experience
  for (; !before.empty(); before.pop_back()) {
    ASSERT_TRUE(battle_.Undo());
    EXPECT_EQ(Snapshot(battle_), before.back());
  }
  EXPECT_FALSE(battle_.Undo());
  TakeAs(battle_, 0x14);
  RunFrames(1);
  battle_.Shuffle(0);
  const auto shuffled = Snapshot(battle_);
  EXPECT_FALSE(battle_.Undo());
  EXPECT_EQ(Snapshot(battle_), shuffled);
}

TEST_F(TilesetTest, TheFirstHintAreaHoldingTheMouseIsExplainedUnlessATileIsUnderIt) {
  GetTileTables().Clear();
  battle_.Load(std::string(QV_SOURCE_DIR) + "/content/ui/english/");
  Start(YPlayerCommander::kUser, YPlayerCommander::kUser);
  battle_.SetupView();
  const auto& hints = battle_.Hints();
  const auto at = [&](float mx, float my) {
    battle_.OnMouseMove(mx / 500 - 1, (625 - 2 * my) / 1000);
    return battle_.HoveredHint(mx, my);
  };
  EXPECT_EQ(at(97, 231), hints[0].get());  // side 0's artifact, both edges
  EXPECT_EQ(at(138, 272), hints[0].get());
  EXPECT_EQ(at(138.5f, 272), nullptr);
  EXPECT_EQ(at(988, 274), hints[13].get());  // side 1's water bar
  EXPECT_EQ(at(500, 560), nullptr);
  hints[5]->rect = hints[0]->rect;  // overlapping areas: the earlier one
  EXPECT_EQ(at(120, 250), hints[0].get());
  const int tile = battle_.Pairs().front().a;
  const auto [x, y] = ViewPointOf(battle_, tile);
  const float mx = (x + 1) * 500, my = (625 - 1000 * y) / 2;
  hints[1]->rect = YRect(mx - 1, my - 1, 2, 2);
  EXPECT_EQ(at(mx, my), nullptr);
  EXPECT_EQ(battle_.TileUnderMouse(), tile);
}

TEST_F(TilesetTest, BeginBattleSettlesTheLayoutBeforeTheCommanderHears) {
  auto c1 = std::make_unique<ScriptCommander>(1, YPlayerCommander::kNetwork);
  ScriptCommander* commander = c1.get();
  battle_.SetCommander(1, std::move(c1));
  EXPECT_TRUE(battle_.BeginBattle("layouts\\missing.lay", &ann_, &bob_, 0));
  EXPECT_EQ(commander->startPath, "layouts\\standard.lay") << "both machines must deal on the same layout";
}

TEST_F(TilesetTest, ADuelIsDealtFromTheSeedSource) {
  battle_.SetSeedSource([] { return 4242u; });
  auto c1 = std::make_unique<ScriptCommander>(1, YPlayerCommander::kNetwork);
  ScriptCommander* commander = c1.get();
  battle_.SetCommander(1, std::move(c1));
  ASSERT_TRUE(battle_.BeginBattle("layouts\\standard.lay", &ann_, &bob_, 0));
  EXPECT_EQ(commander->startSeed, 4242u);
}

TEST_F(TilesetTest, ABattleWithoutAUsableLayoutIsNotStarted) {
  LogCapture log;
  testing_support::WriteFile(dir_.Path() / "layouts" / "standard.lay", "");
  auto c1 = std::make_unique<ScriptCommander>(1, YPlayerCommander::kComputer);
  ScriptCommander* commander = c1.get();
  commander->autoMove = true;
  battle_.SetCommander(1, std::move(c1));
  EXPECT_FALSE(battle_.BeginBattle("layouts\\missing.lay", &ann_, &bob_, 1));
  EXPECT_EQ(commander->startFirst, -1) << "no commander hears of it";
  EXPECT_FALSE(battle_.NewBattle("layouts\\standard.lay", 3, 1));
  EXPECT_TRUE(battle_.State().board.tiles.empty());
  RunFrames(20);
  EXPECT_FALSE(battle_.IsBattleStarted());
  EXPECT_EQ(commander->updates, 0);
  EXPECT_TRUE(master_.results.empty()) << "the caller settles the fight, not OnFightEnd";
  const std::vector<std::string> lines = log.Lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("The battle is not started: no usable layout for layouts\\missing.lay") !=
           std::string::npos;
  }));
}

TEST(DisplayedCountersTest, StepOneAFrameAndRestAtTheCap) {
  YPlayer fighter;
  tiles_test::SetFighter(fighter, "F", 10, 40);
  fighter.experience = 2;
  fighter.health = 45;  // above its cap of 40
  fighter.mana[2] = 7;
  EXPECT_TRUE(CountersAnimating(fighter));
  for (int frame = 0; frame < 30; ++frame) StepDisplayedCounters(fighter);
  EXPECT_EQ(fighter.shownExperience, 2);
  EXPECT_EQ(fighter.shownHealth, 40);
  EXPECT_EQ(fighter.shownMana[2], 7);
  EXPECT_FALSE(CountersAnimating(fighter)) << "a value above its cap must not hold the battle";
}

}  // namespace
