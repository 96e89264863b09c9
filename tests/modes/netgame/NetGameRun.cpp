#include "tests/modes/netgame/NetGameRun.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "framework/Log.h"
#include "modes/PeerLinkFactory.h"
#include "modes/YGameNetwork.h"
#include "platform/Clock.h"
#include "players/PlayerProfiles.h"
#include "players/YPlayer.h"
#include "tests/modes/ComputerFactory.h"
#include "tests/modes/RecordingHost.h"
#include "tests/modes/ShippedCatalogues.h"
#include "tests/modes/netgame/DecidedNetworkDuel.h"
#include "tiles/YTileset.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr float kFrame = 0.05f;
// How long a fight's result is shown.
constexpr auto kResultTime = 1s;
// How long a machine at the end waits for the peer to finish too.
constexpr auto kLinger = 3s;
// The difficulty row of the board's computers.
constexpr std::int32_t kBoardRow = 2;

// Computers on this machine's side; the peer's duel side decided as the
// peer's own striking commander decides it.
class DecidedNetworkFactory : public ComputerFactory {
 public:
  DecidedNetworkFactory() : ComputerFactory(true) {}
  // The board's computers look three moves ahead (the middle row): the
  // easiest row picks among its seven best moves at one move's depth, and
  // its last two slow walkers could chase each other for minutes without
  // ever meeting, a game without end that no time-out should have to cut.
  std::unique_ptr<YTessorPlayerCommander> BoardUser(std::int32_t side) override {
    return BoardComputer(side, kBoardRow);
  }
  std::unique_ptr<YPlayerCommander> DuelNetwork(PeerMessageRouter& router, PeerGameEvents* events) override {
    return std::make_unique<DecidedNetworkDuel>(CommanderFactory::DuelNetwork(router, events));
  }
};

class NetGame {
 public:
  explicit NetGame(const NetGameOptions& options)
      : options_(options),
        deadline_(Clock::now() + std::chrono::seconds(options.timeoutSeconds)),
        links_(PeerLinkFactory::Options{
            options.basePort, options.broadcastAddress,
            [offset = options.tickOffset] { return platform::TickCount() + offset; }}) {
    battle_.SetSeedSource([seed = options.seed]() mutable { return seed++; });
    mode_.SetHost(&host_);
    mode_.SetFactory(&factory_);
    mode_.SetLinkFactory(&links_);
  }
  ~NetGame() { mode_.End(); }

  int Run() {
    if (options_.profile >= static_cast<std::int32_t>(ProfileList().size())) return Fail("no such profile");
    mode_.Connect(options_.host, false);
    if (!Handshake()) {
      std::fprintf(stderr, "connected %d, master %d, peer's summary %d, local profile %d\n",
                   mode_.IsConnected(), mode_.Master(), mode_.HasPeerInfo(), mode_.LocalProfile());
      return Fail("no game began");
    }
    const std::string local = ProfileList()[static_cast<std::size_t>(options_.profile)].name;
    const std::string peer = mode_.PeerInfo().name;
    if (!PlayToTheEnd()) return Fail("the game did not end");
    const std::int32_t winner = mode_.Outcome();
    const std::size_t units = board_.Board().Units(0).size() + board_.Board().Units(1).size();
    std::fprintf(stderr, "local=%s peer=%s\nresult winner=%s units=%zu fights=%d\n", local.c_str(),
                 peer.c_str(),
                 winner == 0   ? local.c_str()
                 : winner == 1 ? peer.c_str()
                               : "none",
                 units, fights_);
    Linger();
    return 0;
  }

 private:
  bool TimeLeft() const { return Clock::now() < deadline_; }

  int Fail(const char* what) {
    std::fprintf(stderr, "failed: %s (state 0x%x, %d fights)\n", what, host_.state, fights_);
    for (const std::string& line : host_.shown) std::fprintf(stderr, "  shown: %s\n", line.c_str());
    // A game that runs out of time shows where the board stands: a stall, or
    // two armies that never meet.
    std::fprintf(stderr, "board: %d turns, side %d to move, state 0x%x\n", turns_, board_.Board().sideToMove,
                 board_.stateFlags);
    for (int side = 0; side < 2; ++side) {
      for (const YTessorUnit* unit : board_.Board().Units(side))
        std::fprintf(stderr, "  side %d: %s at (%d, %d)\n", side, unit->record->name.c_str(), unit->x,
                     unit->y);
    }
    return 1;
  }

  // The summaries cross; the master starts, the other machine on its word.
  bool Handshake() {
    while (!mode_.Started()) {
      if (!TimeLeft()) return false;
      if (mode_.IsConnected() && mode_.LocalProfile() < 0) mode_.SendPlayerInfo(options_.profile);
      if (mode_.CanStart()) mode_.Start();
      mode_.HandleMessages();
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }

  // One frame of the application, as HotseatGameRunTest plays it.
  void Frame() {
    if ((host_.state & host_state::kResultModal) != 0) {
      // The result stays up a moment, as a player reads it: the peer's
      // duel, which may end some frames later, is over before this
      // machine's next fight greets it.
      if (resultShown_ == Clock::time_point{}) resultShown_ = Clock::now();
      if (Clock::now() - resultShown_ < kResultTime) return;
      resultShown_ = {};
      ++fights_;
      mode_.OnLevelEnd();
      return;
    }
    if ((host_.state & host_state::kBoardFrozen) != 0) {
      host_.state = 3;
      return;
    }
    if (host_.state == 3) battle_.Update(kFrame);
    if (host_.state == host_state::kBoard) {
      const int before = board_.Board().sideToMove;
      board_.Update(kFrame);
      if (board_.Board().sideToMove != before) ++turns_;
    }
  }

  bool PlayToTheEnd() {
    while ((host_.state & host_state::kCompleteModal) == 0) {
      if (!TimeLeft() || (host_.state & host_state::kNetworkAbort) != 0) return false;
      Frame();
      std::this_thread::sleep_for(200us);
    }
    return true;
  }

  // Keeps the link until the peer leaves too, so that this machine's
  // leaving never cuts the peer's last duel short.
  void Linger() {
    const auto end = Clock::now() + kLinger;
    while (mode_.IsConnected() && Clock::now() < end) {
      mode_.HandleMessages();
      std::this_thread::sleep_for(10ms);
    }
  }

  const NetGameOptions options_;
  const Clock::time_point deadline_;
  ShippedCatalogues shipped_{QV_GAME_DIR};
  YTessor board_;
  YTileset battle_;
  YGameNetwork mode_{board_, battle_};
  RecordingHost host_;
  DecidedNetworkFactory factory_;
  PeerLinkFactory links_;
  int fights_ = 0;
  int turns_ = 0;
  Clock::time_point resultShown_{};
};

}  // namespace

int RunNetGame(const NetGameOptions& options) {
  Log::SetEcho([](const std::string& line) { std::fprintf(stderr, "log: %s\n", line.c_str()); });
  const int code = NetGame(options).Run();
  Log::SetEcho({});
  return code;
}
