// The network game's own messages over an in-memory link pair: the
// exchange of the players' summaries, the master's start and the other
// machine's on "canStart", "abort", and what a peer could send that this
// machine must not follow, also when a relay changes a move into another
// party's message; monsters with a board special play alike on both boards;
// the wait to play again after a game's end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board/YTessor.h"
#include "board/YTessorMove.h"
#include "board/YTessorPlayerCommander.h"
#include "board/YTessorUnit.h"
#include "draw/YControlPanel.h"
#include "framework/Init.h"
#include "framework/YLocale.h"
#include "modes/PeerLinkFactory.h"
#include "modes/YGameNetwork.h"
#include "platform/Paths.h"
#include "players/PlayerProfiles.h"
#include "players/YPlayer.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "render/YContainer.h"
#include "render/YRenderResource.h"
#include "render/YTextureBase.h"
#include "tests/modes/ModesFixture.h"
#include "tests/net/MemoryPeerLink.h"
#include "tests/render/RecordingRender.h"
#include "tiles/YTileset.h"

namespace {

// A link that is one end of a memory pair (not owned). Like a relay that
// tampers with what passes, it sends `firstMoveBecomes` (when set) in place
// of the first board move.
struct EndOfPair final : PeerChannel {
  EndOfPair(PeerChannel& end, std::string& firstMoveBecomes) : end(end), firstMoveBecomes(firstMoveBecomes) {}
  bool Send(std::string_view body) override {
    if (firstMoveBecomes.empty() || !body.starts_with("a_move ")) return end.Send(body);
    return end.Send(std::exchange(firstMoveBecomes, {}));
  }
  std::string Receive() override { return end.Receive(); }
  bool Connected() const override { return end.Connected(); }
  int Role() const override { return end.Role(); }
  void Drop() override { end.Drop(); }
  PeerChannel& end;
  std::string& firstMoveBecomes;
};

struct PairLinks final : PeerLinkFactory {
  explicit PairLinks(PeerChannel& end) : end(end) {}
  std::unique_ptr<PeerChannel> Connect(const std::string&) override {
    ++made;
    return std::make_unique<EndOfPair>(end, firstMoveBecomes);
  }
  void Flush(PeerChannel&) override {}
  PeerChannel& end;
  std::string firstMoveBecomes;
  int made = 0;
};

// One machine of the pair, connected.
struct Machine {
  explicit Machine(MemoryPeerLink::End& end) : links(end), end(end) {
    mode.SetHost(&host);
    mode.SetLinkFactory(&links);
    mode.Connect("", false);
  }
  ~Machine() { mode.End(); }
  bool Shown(const std::string& line) const {
    return std::find(host.shown.begin(), host.shown.end(), line) != host.shown.end();
  }

  YTessor board;
  YTileset battle;
  YGameNetwork mode{board, battle};
  RecordingHost host;
  PairLinks links;
  MemoryPeerLink::End& end;
};

class NetworkTest : public ShippedGameTest {
 protected:
  MemoryPeerLink pair;
  Machine master{pair.master};
  Machine slave{pair.slave};
};

TEST_F(NetworkTest, TheSummariesCrossOnlyTheMasterMayStartAndTheOtherStartsOnItsWord) {
  master.mode.SendPlayerInfo(0);  // before the peer's summary: flag 0
  const ProfileInfo& first = ProfileList()[0];
  ASSERT_NE(first.face, nullptr);
  EXPECT_EQ(pair.master.sent.back(), "playerinfo " + first.name + " " + first.face->name() + " " +
                                         std::to_string(first.level) + " " + std::to_string(first.monsters) +
                                         " 0");
  slave.mode.HandleMessages();
  ASSERT_TRUE(slave.mode.HasPeerInfo());
  EXPECT_EQ(slave.mode.PeerInfo().name, first.name);
  EXPECT_EQ(slave.mode.PeerInfo().face, first.face);
  EXPECT_FALSE(master.mode.CanStart());

  slave.mode.SendPlayerInfo(1);  // the answer: flag 1
  master.mode.HandleMessages();
  EXPECT_TRUE(master.mode.CanStart());
  // The master picks again, now with flag 1: the other machine, which has
  // its own profile chosen, still does not become a master too.
  master.mode.SendPlayerInfo(0);
  slave.mode.HandleMessages();
  EXPECT_FALSE(slave.mode.Master());
  EXPECT_FALSE(slave.mode.CanStart());
  slave.mode.Start();  // its start button does nothing
  EXPECT_FALSE(slave.mode.Started());

  master.mode.Start();
  EXPECT_TRUE(master.mode.Started());
  EXPECT_EQ(master.host.gameMode, &master.mode);
  slave.mode.HandleMessages();
  ASSERT_TRUE(slave.mode.Started());
  EXPECT_EQ(slave.board.Commander(0)->Kind(), 1);
  EXPECT_EQ(slave.board.Commander(1)->Kind(), 3);
  EXPECT_EQ(slave.board.Player(0)->name, ProfileList()[1].name);

  // The master leaves: the other machine's board shows the abort, once.
  master.mode.End();
  pair.master.Send("abort");
  EXPECT_FALSE(master.mode.IsConnected());
  for (int frame = 0; frame < 40; ++frame) slave.board.Update(0.05f);
  EXPECT_EQ(std::ranges::count(slave.host.shown, "message " + GetLocale().GetText("network_abort")), 1);
  EXPECT_FALSE(slave.Shown("message " + GetLocale().GetText("network_disconnect")));
  EXPECT_NE(slave.host.state & host_state::kNetworkAbort, 0u);
}

TEST_F(NetworkTest, NamesKeepTheirWordsAndOnlyCatalogueFacesAreShown) {
  pair.master.Send("playerinfo Old Tom  Bombadil textures\\heroes\\nowhere.tga 3 7 1");
  slave.mode.HandleMessages();
  EXPECT_EQ(slave.mode.PeerInfo().name, "Old Tom Bombadil");
  EXPECT_EQ(slave.mode.PeerInfo().face, nullptr);
  EXPECT_EQ(slave.mode.PeerInfo().level, 3);
  EXPECT_EQ(slave.mode.PeerInfo().monsters, 7);
  pair.master.Send("playerinfo Old Tom textures\\heroes\\sylph_male.tga 4 1 1");
  pair.master.Send("playerinfo Short 1 2");       // too few words
  pair.master.Send("playerinfo Bad face x 2 1");  // not a number
  slave.mode.HandleMessages();
  EXPECT_EQ(slave.mode.PeerInfo().name, "Old Tom");
  ASSERT_NE(slave.mode.PeerInfo().face, nullptr);
  EXPECT_EQ(slave.mode.PeerInfo().face->name(), "textures\\heroes\\sylph_male.tga");
  // A name longer than a name box takes is held to it, as a profile's is.
  pair.master.Send("playerinfo Bartholomew Oakenshield textures\\heroes\\sylph_male.tga 4 1 1");
  slave.mode.HandleMessages();
  EXPECT_EQ(slave.mode.PeerInfo().name, "Bartholomew Oake");
}

// A face made before the device waits for its first use, which spare time
// gives only in a game and the network screen's panel never does (the
// new-hero dialogs make their first portrait so at start): the peer's face
// loads with its summary.
TEST_F(NetworkTest, ThePeersFaceLoadsWhenItsSummaryArrives) {
  YTextureBase* face = YContainer<YTextureBase>::Get("textures\\heroes\\sylph_male.tga");
  RecordingRender render;
  render.deferTextureLoads = true;
  YRenderResource::CreateAll();
  ASSERT_EQ(face->DeviceTexture(), nullptr);
  pair.master.Send("playerinfo Mira textures\\heroes\\sylph_male.tga 4 1 1");
  slave.mode.HandleMessages();
  EXPECT_EQ(slave.mode.PeerInfo().face, face);
  EXPECT_NE(face->DeviceTexture(), nullptr);
  YRenderResource::ReleaseAll();
}

TEST_F(NetworkTest, StrayStartsAreDroppedAndAStartWithoutAChosenPlayerWaitsForTheChoice) {
  pair.slave.Send("canStart");  // to the master: never its cue
  master.mode.HandleMessages();
  EXPECT_FALSE(master.mode.Started());
  EXPECT_TRUE(master.mode.IsConnected());

  pair.master.Send("canStart");  // the other machine has chosen nobody yet
  slave.mode.HandleMessages();
  EXPECT_FALSE(slave.mode.Started());
  EXPECT_TRUE(slave.host.shown.empty());  // no game was begun
  EXPECT_TRUE(slave.mode.IsConnected());
  slave.mode.SendPlayerInfo(1);  // the choice begins the game
  EXPECT_TRUE(slave.mode.Started());
}

// A profile damaged after it was sent begins no game and closes no screen:
// the master sends no start and its choice is gone; the other machine,
// started by the master's word, tells it that it leaves.
TEST_F(NetworkTest, AProfileDamagedAfterItWasSentBeginsNoGame) {
  master.mode.SendPlayerInfo(0);
  slave.mode.HandleMessages();
  slave.mode.SendPlayerInfo(1);
  master.mode.HandleMessages();
  ASSERT_TRUE(master.mode.CanStart());
  for (const std::string& file : {ProfileFiles()[0], ProfileFiles()[1]}) {
    const std::filesystem::path path = platform::MapPath(GetInit().UserPath() + "players\\" + file);
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 3);
  }
  master.mode.Start();
  EXPECT_FALSE(master.mode.Started());
  EXPECT_FALSE(master.mode.CanStart());
  EXPECT_EQ(std::ranges::count(pair.master.sent, "canStart"), 0);
  EXPECT_TRUE(master.host.shown.empty());

  pair.master.Send("canStart");
  slave.mode.HandleMessages();
  EXPECT_FALSE(slave.mode.Started());
  EXPECT_EQ(pair.slave.sent.back(), "abort");
  EXPECT_TRUE(slave.host.shown.empty());
}

// The other player cancels its setup: this machine says so and looks for a
// game again with a new link.
TEST_F(NetworkTest, TheOtherPlayerLeavingTheSetupIsToldAndTheSearchGoesOn) {
  master.mode.SendPlayerInfo(0);
  slave.mode.HandleMessages();
  slave.mode.End();
  master.mode.HandleMessages();
  EXPECT_TRUE(master.Shown("message " + GetLocale().GetText("network_abort")));
  EXPECT_EQ(master.links.made, 2);
  EXPECT_FALSE(master.mode.HasPeerInfo());
}

TEST_F(NetworkTest, ADuelUnderWayEndsWithTheMode) {
  master.mode.SendPlayerInfo(0);
  slave.mode.HandleMessages();
  slave.mode.SendPlayerInfo(1);
  master.mode.HandleMessages();
  master.mode.Start();
  YTessorUnit* mine = master.board.Board().Units(0).front();
  YTessorUnit* theirs = master.board.Board().Units(0).back();
  master.board.Board().sideToMove = 0;
  master.mode.OnFight(mine, theirs);
  ASSERT_EQ(master.battle.Fighter(0), mine->record);
  // The board's panel button showed the player's hero.
  GetControlPanel().SetPlayer(dynamic_cast<YPlayerHero*>(master.board.Player(0)), nullptr, 0);
  pair.connected = false;
  master.battle.Update(0.05f);  // the duel's network commander finds the link lost
  EXPECT_TRUE(master.Shown("message " + GetLocale().GetText("network_disconnect")));
  master.mode.End();
  EXPECT_EQ(GetControlPanel().player, nullptr);
  EXPECT_EQ(master.battle.Fighter(0), nullptr);
  EXPECT_EQ(master.battle.Commander(1), nullptr);
  EXPECT_FALSE(master.battle.IsBattleStarted());
}

// Two machines of a pair begin a game; with `pickAgain` the other player
// picks again as the master starts.
void BeginGame(Machine& master, Machine& other, bool pickAgain = false) {
  master.mode.SendPlayerInfo(0);
  other.mode.HandleMessages();
  other.mode.SendPlayerInfo(1);
  master.mode.HandleMessages();
  master.mode.Start();
  if (pickAgain) other.mode.SendPlayerInfo(0);
  other.mode.HandleMessages();
  ASSERT_TRUE(other.mode.Started());
}

// Both boards' game ends as a duel that took side 1's last unit would end it.
void EndTheGame(Machine& machine) {
  machine.board.Board().ClearSide(1, true);
  machine.mode.OnLevelEnd();
  ASSERT_TRUE(machine.Shown("networkResult 0"));
}

// Frames of both boards, while the link holds: whenever a machine's own side
// is to move on an idle board, it makes a plain move, `moves` in all. The
// moves made.
int PlayMoves(Machine& one, Machine& two, const MemoryPeerLink& link, int moves) {
  int made = 0;
  for (int frame = 0; frame < 400 && link.connected; ++frame) {
    for (Machine* machine : {&one, &two}) {
      YTessor& board = machine->board;
      board.Update(0.05f);
      const int side = board.Board().sideToMove;
      if (made == moves || !board.gameRunning || board.stateFlags != 0 ||
          board.Commander(side)->Kind() != commander_kind::kUser)
        continue;
      std::vector<YTessorMove> list;
      board.Board().GenerateMoves(side, list);
      const auto step = std::find_if(list.begin(), list.end(), [](auto& m) { return m.kind == 0; });
      made += step != list.end() && board.MoveUnit(step->unit, step->x, step->y, step->kind);
    }
  }
  return made;
}

// A leave told at once (Escape's question) is not told again when the game
// ends after the fade to the menu; the next game of the same run, on a new
// link, tells its own leave.
TEST_F(NetworkTest, ALeaveIsToldOncePerLink) {
  MemoryPeerLink link;
  Machine one{link.master}, two{link.slave};
  for (int game = 1; game <= 2; ++game) {
    SCOPED_TRACE(game);
    if (game == 2) {
      // A new link: what the first one still held is not read on it.
      link.master.inbox.clear(), link.slave.inbox.clear();
      one.mode.Connect("", false), two.mode.Connect("", false);
    }
    ASSERT_NO_FATAL_FAILURE(BeginGame(one, two));
    one.mode.SendAbort();
    one.mode.End();
    two.mode.End();
    EXPECT_EQ(std::ranges::count(link.master.sent, "abort"), game);
  }
}

// A relay turns the first move into a message the board cannot take: the
// machine that waits for the move would wait for ever, and the mover with
// it. Both end the game as a lost link instead.
TEST_F(NetworkTest, AMoveTurnedIntoAnotherMessageEndsTheGameAsALostLinkOnBothSides) {
  for (const char* swapped : {"canStart", "playerinfo Mira textures\\heroes\\sylph_male.tga 1 2 1",
                              "hello 0\nMira", "move 3 4", "~garbage~ 1 2"}) {
    SCOPED_TRACE(swapped);
    MemoryPeerLink link;
    Machine one{link.master}, two{link.slave};
    ASSERT_NO_FATAL_FAILURE(BeginGame(one, two));
    for (Machine* machine : {&one, &two}) machine->links.firstMoveBecomes = swapped;
    EXPECT_EQ(PlayMoves(one, two, link, 1), 1);
    for (int frame = 0; frame < 4; ++frame) one.board.Update(0.05f), two.board.Update(0.05f);
    for (Machine* machine : {&one, &two}) {
      EXPECT_TRUE(machine->Shown("message " + GetLocale().GetText("network_disconnect")));
      EXPECT_FALSE(machine->mode.IsConnected());
    }
    // The machine that gave the link up told the other one first.
    EXPECT_EQ(std::ranges::count(link.master.sent, "abort") + std::ranges::count(link.slave.sent, "abort"),
              1);
  }
}

// The other player picked again as the master started: that summary
// arrives ahead of the other machine's game and stays unread, and the game
// goes on.
TEST_F(NetworkTest, ASummaryThatCrossedTheStartDoesNotEndTheGame) {
  MemoryPeerLink link;
  Machine one{link.master}, two{link.slave};
  ASSERT_NO_FATAL_FAILURE(BeginGame(one, two, true));
  EXPECT_EQ(PlayMoves(one, two, link, 4), 4);
  EXPECT_TRUE(link.connected);
  EXPECT_FALSE(one.Shown("message " + GetLocale().GetText("network_disconnect")));
}

// Both players pick before either summary arrives: each machine's summary
// (flag 0) makes the other drop its choice, so the master waits for the
// other machine's answer before it starts, or its "canStart" would find no
// player chosen there and end the link.
TEST_F(NetworkTest, CrossingSummariesLetBothMachinesBegin) {
  master.mode.SendPlayerInfo(0);
  slave.mode.SendPlayerInfo(1);
  master.mode.HandleMessages();  // the other's flag 0: the master picks again
  master.mode.SendPlayerInfo(0);
  EXPECT_FALSE(master.mode.CanStart());
  // Each machine's screen: a dropped choice is made again, the master's
  // start button pressed as soon as it may be.
  for (int frame = 0; frame < 10 && !slave.mode.Started(); ++frame) {
    for (Machine* machine : {&master, &slave}) {
      if (machine->mode.IsConnected() && machine->mode.LocalProfile() < 0)
        machine->mode.SendPlayerInfo(machine == &master ? 0 : 1);
      if (machine->mode.CanStart()) machine->mode.Start();
      machine->mode.HandleMessages();
    }
  }
  EXPECT_TRUE(master.mode.Started());
  EXPECT_TRUE(slave.mode.Started());
  EXPECT_TRUE(slave.mode.IsConnected());
}

// Who stands where on a board: the side, monster id and name of every
// cell's occupant.
std::vector<std::string> Layout(const YTessor& board) {
  std::vector<std::string> cells;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      const YTessorUnit* unit = board.Board().Cell(x, y).occupant;
      cells.push_back(unit == nullptr ? ""
                                      : std::to_string(unit->side) + unit->MonsterId() + unit->record->name);
    }
  }
  return cells;
}

bool IsBreeder(const YTessorUnit& unit) {
  const std::string id = unit.MonsterId();
  return id == "sand_king" || id == "sand_larva" || id == "hydra_body";
}

// The peer's copies of a player's units have no board special, so neither
// may the player's own units: a special move could not be told to the peer,
// whose board would fall out of step while both machines waited for ever.
// Each machine moves whenever it may, its breeders (recharged) first and a
// special move before a plain one.
TEST_F(NetworkTest, BreedersInTheArmyMakeNoSpecialMovesAndTheBoardsStayInStep) {
  SelectPlayerProfile(0);
  YPlayerHero* hero = CurrentPlayer();
  ASSERT_NE(hero, nullptr);
  // The front row, with free cells ahead to breed on.
  for (const auto& [slot, id] : {std::pair{9, "sand_king"}, {11, "sand_larva"}, {15, "hydra_body"}}) {
    delete hero->TakeFromSlot(slot, 0);
    hero->slots[slot] = new YPlayerMonster(id);
  }
  SaveCurrentProfile();
  MemoryPeerLink link;
  Machine one{link.master}, two{link.slave};
  ASSERT_NO_FATAL_FAILURE(BeginGame(one, two));
  const auto rank = [](const YTessorMove& move) {
    if (move.kind == move_kind::kSpecial) return 0;
    if (move.kind != move_kind::kMove) return 3;
    return IsBreeder(*move.unit) ? 1 : 2;
  };
  int moves = 0;
  int specials = 0;
  for (int frame = 0; frame < 400 && link.connected && moves < 6; ++frame) {
    for (Machine* machine : {&one, &two}) {
      YTessor& board = machine->board;
      board.Update(0.05f);
      const int side = board.Board().sideToMove;
      if (!board.gameRunning || board.stateFlags != 0 ||
          board.Commander(side)->Kind() != commander_kind::kUser)
        continue;
      for (YTessorUnit* unit : board.Board().Units(side)) unit->record->specialCounter = 0;
      std::vector<YTessorMove> list;
      board.Board().GenerateMoves(side, list);
      const auto best = std::ranges::min_element(list, {}, rank);
      if (best == list.end() || rank(*best) == 3) continue;
      specials += best->kind == move_kind::kSpecial;
      moves += board.MoveUnit(best->unit, best->x, best->y, best->kind);
    }
  }
  for (int frame = 0; frame < 40; ++frame) one.board.Update(0.05f), two.board.Update(0.05f);
  EXPECT_EQ(specials, 0);
  EXPECT_EQ(moves, 6);
  const std::vector<std::string> layout = Layout(one.board);
  EXPECT_EQ(std::ranges::count_if(
                layout, [](const std::string& cell) { return cell.find("hydra_body") != cell.npos; }),
            1);
  EXPECT_EQ(layout, Layout(two.board));
}

// The other machine's own units stand on board side 1 once the sides were
// mirrored: its win is told by the winner's commander, so the result screen
// gets the board side, while the outcome speaks for this machine.
TEST(NetworkGameEnd, TheResultScreenGetsTheWinningBoardSide) {
  struct Commander final : YTessorPlayerCommander {
    Commander(std::int32_t side, std::int32_t kind) : YTessorPlayerCommander(side), kind(kind) {}
    std::int32_t Kind() const override { return kind; }
    std::int32_t kind;
  };
  YTessor board;
  YTileset battle;
  YGameNetwork mode{board, battle};
  RecordingHost host;
  mode.SetHost(&host);
  YPlayerHero hero;
  board.Board().AddUnit(std::make_unique<YTessorUnit>(&hero, 1));
  board.SetCommander(0, std::make_unique<Commander>(0, commander_kind::kNetwork));
  board.SetCommander(1, std::make_unique<Commander>(1, commander_kind::kUser));
  mode.OnLevelEnd();
  EXPECT_EQ(host.shown, std::vector<std::string>{"networkResult 1"});
  EXPECT_EQ(mode.Outcome(), 0);
}

// "Play again" on both: the master waits for the other machine's summary
// sent after the game (one that crossed the last start is old news), the
// last game's commanders take nothing of the next game's, and it runs.
TEST_F(NetworkTest, PlayingAgainBeginsWhenBothWishIt) {
  MemoryPeerLink link;
  Machine one{link.master}, two{link.slave};
  ASSERT_NO_FATAL_FAILURE(BeginGame(one, two, true));
  EXPECT_EQ(PlayMoves(one, two, link, 2), 2);
  for (Machine* machine : {&one, &two}) ASSERT_NO_FATAL_FAILURE(EndTheGame(*machine));
  one.mode.Start();
  EXPECT_TRUE(one.mode.Waiting());
  EXPECT_FALSE(one.mode.Started());
  two.mode.Start();
  one.mode.HandleMessages();
  EXPECT_TRUE(one.mode.Started());
  two.board.Update(0.05f);  // the new game's greeting is there before the start
  two.mode.HandleMessages();
  EXPECT_TRUE(two.mode.Started());
  EXPECT_EQ(PlayMoves(one, two, link, 2), 2);
  EXPECT_TRUE(link.connected);
}

// The other player chooses the main menu, or the link is lost, while this
// one waits to play again: the message says which, and the wait ends.
TEST_F(NetworkTest, LeavingOrALostLinkEndsTheWaitToPlayAgainWithItsMessage) {
  for (const bool left : {true, false}) {
    MemoryPeerLink link;
    Machine one{link.master}, two{link.slave};
    ASSERT_NO_FATAL_FAILURE(BeginGame(one, two));
    for (Machine* machine : {&one, &two}) ASSERT_NO_FATAL_FAILURE(EndTheGame(*machine));
    two.mode.Start();
    if (left)
      one.mode.End();
    else
      link.connected = false;
    two.mode.HandleMessages();
    EXPECT_TRUE(two.Shown("message " + GetLocale().GetText(left ? "network_abort" : "network_disconnect")));
    EXPECT_FALSE(two.mode.Waiting());
    EXPECT_NE(two.host.state & host_state::kNetworkAbort, 0u);
  }
}

}  // namespace
