// A hostile peer in the middle of a network game: two machines each run a
// board and a duel, each battle's network commander over a router of its
// own link (a game never runs both at once, and on a shared link a message
// waiting for the one battle would stall the other), and the bytes decide
// what becomes of each of the peer's messages on its way: passed on (at a
// time the bytes choose), dropped, changed in one byte, or followed by a
// message the bytes write.
// Neither machine may crash or hang; while every message is passed on
// untouched, neither may see the game as broken. The target works in a
// scratch folder of its own: give it its corpus folders as whole paths.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "board/BoardValues.h"
#include "board/YTessor.h"
#include "board/YTessorPlayerNetwork.h"
#include "board/YTessorUnit.h"
#include "framework/Log.h"
#include "net/PeerGameEvents.h"
#include "net/PeerMessageRouter.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YGameMaster.h"
#include "players/YMonsterReader.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tiles/YPlayerNetwork.h"
#include "tiles/YTileset.h"

namespace {

namespace fs = std::filesystem;

// The link: what this machine sends reaches the peer at once; what the peer
// sends waits in `held` until the bytes decide its fate.
struct Wire {
  struct End final : PeerChannel {
    End(Wire& wire, bool isPeer) : wire(wire), isPeer(isPeer) {}
    bool Send(std::string_view body) override {
      if (body.size() > kMaxBody) return false;
      (isPeer ? wire.held : wire.toPeer).emplace_back(body);
      return true;
    }
    std::string Receive() override {
      std::deque<std::string>& inbox = isPeer ? wire.toPeer : wire.toLocal;
      if (inbox.empty()) return {};
      std::string body = std::move(inbox.front());
      inbox.pop_front();
      return body;
    }
    bool Connected() const override { return true; }
    int Role() const override { return isPeer == wire.peerIsMaster ? 1 : 2; }
    Wire& wire;
    bool isPeer;
  };
  explicit Wire(bool peerMasters) : peerIsMaster(peerMasters) {}
  bool peerIsMaster;
  std::deque<std::string> held, toLocal, toPeer;
  End peer{*this, true}, local{*this, false};
};

// Side 0 of the board: once the game has begun (as the user's commander
// waits), the first move of its list, the last attack when it has one.
struct BoardPlayer final : YTessorPlayerCommander {
  BoardPlayer() : YTessorPlayerCommander(0) {}
  std::int32_t Kind() const override { return commander_kind::kUser; }
  void Think() override {
    if (!Board()->gameRunning) return;
    std::vector<YTessorMove> moves;
    Board()->Board().GenerateMoves(side, moves);
    if (moves.empty()) return;
    const YTessorMove* pick = &moves.front();
    for (const YTessorMove& m : moves)
      if (m.kind == 1) pick = &m;
    Board()->MoveUnit(pick->unit, pick->x, pick->y, pick->kind);
  }
};

// Side 0 of the duel: the first pair it finds.
struct DuelPlayer final : YPlayerCommander {
  DuelPlayer() : YPlayerCommander(0) {}
  void Update() override {
    if (!Battle()->Pairs().empty())
      Battle()->DoMove(Battle()->Pairs().front().a, Battle()->Pairs().front().b);
  }
};

struct FightMaster final : YGameMaster {
  void OnFight(YTessorUnit* attacker, YTessorUnit* defender) override { fight = {attacker, defender}; }
  std::pair<YTessorUnit*, YTessorUnit*> fight{};
};

// One machine: a board with a hero and two monsters of side 0 and a duel,
// each with its network commander on side 1.
struct Machine final : PeerGameEvents {
  Machine(PeerChannel& boardEnd, PeerChannel& duelEnd, const char* name, int heroX)
      : boardRouter(boardEnd), duelRouter(duelEnd) {
    YTessorBoard& board = tessor.Board();
    for (int i = 0; i < kCellCount; ++i) board.SetCellType(i % 9, i / 9, (i % 9 + i / 9) % 5u);
    auto hero = std::make_unique<YPlayerHero>();
    hero->name = name;
    hero->baseHealth = hero->health = 120;
    tessor.SetPlayer(0, hero.get());
    board.PlaceUnit(board.AddUnit(MakeUnit(UnitClass::kHero, std::move(hero), 0)), heroX, 0);
    for (const auto& [id, x] : {std::pair{"mudling", 2}, std::pair{"fire_imp", 6}}) {
      auto monster = std::make_unique<YPlayerMonster>(id, 1, 1.0f);
      board.PlaceUnit(board.AddUnit(MakeUnit(UnitClass::kPlain, std::move(monster), 0)), x, 1);
    }
    tessor.SetGameMaster(&master);
    tessor.SetCommander(1, std::make_unique<YTessorPlayerNetwork>(
                               1, boardRouter.Open(YTessorPlayerNetwork::Keywords()), this));
    tessor.SetCommander(0, std::make_unique<BoardPlayer>());
    local.name = name;
    local.mana = local.shownMana = {30, 20, 25, 35};
    local.health = local.shownHealth = 90;
    local.maxValues = {0, 90, 90, 90, 90, 90};
    local.spells = {GetTileTables().FindSpell(0x063A), GetTileTables().FindSpell(0x0315)};
    battle.SetCommander(0, std::make_unique<DuelPlayer>());
    battle.SetCommander(1, std::make_unique<YPlayerNetwork>(duelRouter, this));
  }
  ~Machine() override {
    tessor.DeleteCommanders();
    battle.DeleteCommanders();
  }
  void Begin() {
    tessor.NewGame();
    battle.BeginBattle("layouts\\standard.lay", &local, &remote, 0);
  }
  // One frame of both battles; a fight on the board is won by the stronger
  // record, a tie by the attacker.
  void Step() {
    tessor.Update(1.0f);
    battle.Update(0.02f);
    if (master.fight.first == nullptr) return;
    const auto [attacker, defender] = master.fight;
    master.fight = {};
    tessor.OnBattleResult(PlayerStrengthSum(*attacker->record) >= PlayerStrengthSum(*defender->record) ? 0
                                                                                                       : 1);
  }
  void ShowAbort() override { ++broken; }
  void ShowDisconnect() override { ++broken; }

  PeerMessageRouter boardRouter, duelRouter;
  FightMaster master;
  YTessor tessor;
  YPlayer local, remote;
  YTileset battle;
  int broken = 0;
};

// Starts of messages the bytes may write, so that every handler is reached.
constexpr std::string_view kKeywords[] = {"a_hello ",
                                          "a_unit ",
                                          "a_start ",
                                          "a_move ",
                                          "a_skill ",
                                          "abort",
                                          "hello ",
                                          "start ",
                                          "move ",
                                          "",
                                          "a_unit 3 8 0\nimp\n",
                                          "hello 0\nEve\n3 100 30 40 30 40 30 40 30 40 30 40 0 ",
                                          "start layouts\\standard.lay ",
                                          "a_move 4 8 4 ",
                                          "move 1 ",
                                          "a_start 1 "};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const fs::path& scratch = fuzz::ScratchFolder();
  const fs::path content = fs::path(QV_SOURCE_DIR) / "content";
  std::error_code ec;
  fs::create_directories(scratch / "layouts", ec);
  fs::copy_file(content / "layouts" / "standard.lay", scratch / "layouts" / "standard.lay", ec);
  fs::current_path(scratch, ec);
  // QV_FUZZ_LOG=1 shows the game's log lines, to follow a failing input.
  if (std::getenv("QV_FUZZ_LOG") != nullptr)
    Log::SetEcho([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
  YMonsterReader().Load((content / "ui" / "english" / "monsters.yml").string());
  YArtifactLoader artifacts((content / "ui" / "english" / "artifacts.yml").string());
  GetTileTables().Load((content / "ui" / "english").string() + "/");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool peerMasters = size % 2 == 0;  // either machine may be the master
  Wire boardWire(peerMasters), duelWire(peerMasters);
  Machine peer(boardWire.peer, duelWire.peer, "Ann", 4), local(boardWire.local, duelWire.local, "Bob", 3);
  peer.Begin();
  local.Begin();
  fuzz::Script script{data, size};
  bool tampered = false;
  for (int frames = 0; frames < 600 && !script.Done();) {
    const std::uint8_t op = script.Next();
    // The board's next message first; a message the bytes write goes where
    // the held one goes, to the board when none is held.
    Wire& wire = !boardWire.held.empty() || duelWire.held.empty() ? boardWire : duelWire;
    std::string body;
    if (!wire.held.empty()) {
      body = std::move(wire.held.front());
      wire.held.pop_front();
    }
    switch (op & 3) {
      case 0:  // passed on; the next op decides about the next message
        break;
      case 1:  // dropped
        tampered |= !body.empty();
        body.clear();
        break;
      case 2: {  // one byte changed
        const std::uint8_t at = script.Next(), value = script.Next();
        if (!body.empty() && body[at % body.size()] != static_cast<char>(value)) {
          body[at % body.size()] = static_cast<char>(value);
          tampered = true;
        }
        break;
      }
      default: {  // written by the bytes, after the held message
        if (!body.empty()) wire.toLocal.push_back(std::move(body));
        body = std::string(kKeywords[(op >> 2) & 15]);
        for (std::uint8_t length = script.Next(); length > 0 && !script.Done(); --length)
          body.push_back(static_cast<char>(script.Next()));
        tampered = true;
        break;
      }
    }
    if (!body.empty()) wire.toLocal.push_back(std::move(body));
    for (int step = 0; step <= (op >> 6); ++step, ++frames) {
      peer.Step();
      local.Step();
    }
  }
  if (!tampered && local.broken + peer.broken != 0) std::abort();
  return 0;
}
