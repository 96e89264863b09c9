#include "modes/YGameNetwork.h"

#include <utility>

#include "board/YTessor.h"
#include "board/YTessorPlayerNetwork.h"
#include "board/YTessorUnit.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "modes/CommanderFactory.h"
#include "modes/GameHost.h"
#include "modes/LayoutPath.h"
#include "modes/PeerLinkFactory.h"
#include "net/PeerMessageRouter.h"
#include "players/PlayerProfiles.h"
#include "players/YPlayerHero.h"
#include "render/YTextureBase.h"
#include "tiles/YPlayerNetwork.h"
#include "tiles/YTileset.h"

namespace {
constexpr const char* kDesk = "desks\\base.dsk";
}  // namespace

YGameNetwork::YGameNetwork() = default;

YGameNetwork::YGameNetwork(YTessor& board, YTileset& battle) : YGameHotseat(board, battle) {}

YGameNetwork::~YGameNetwork() {
  DropLink();
}

PeerLinkFactory& YGameNetwork::Links() const {
  return linkFactory_ != nullptr ? *linkFactory_ : DefaultPeerLinkFactory();
}

bool YGameNetwork::IsConnected() const {
  return link_ != nullptr && link_->Connected();
}

bool YGameNetwork::Master() const {
  return link_ != nullptr && link_->Role() == 1;
}

bool YGameNetwork::Waiting() const {
  return playAgain_ || (started_ && !board_.gameRunning);
}

bool YGameNetwork::CanStart() const {
  return Master() && IsConnected() && hasPeerInfo_ && !awaitingAnswer_ && profile_[0] >= 0 && !started_;
}

void YGameNetwork::Connect(const std::string& host, bool reconnect) {
  if (!reconnect && link_ != nullptr && hostName_ == host) return;
  SendAbort();
  DropLink();
  hostName_ = host;
  abortSent_ = false;
  link_ = Links().Connect(host);
  router_ = std::make_unique<PeerMessageRouter>(*link_, std::string(kAbort));
  control_ = &router_->Open({kPlayerInfo, kCanStart, kAbort});
  // Every party's mailbox exists from the start, so nothing is lost that
  // arrives before the game's commanders.
  router_->Open(YTessorPlayerNetwork::Keywords());
  YPlayerNetwork::OpenMailboxes(*router_);
}

void YGameNetwork::DropLink() {
  if (router_ != nullptr) {
    battle_.StopBattle();
    board_.DeleteCommanders();
  }
  control_ = nullptr;
  router_.reset();
  link_.reset();
  started_ = false;
  profile_[0] = -1;
  hasPeerInfo_ = false;
  awaitingAnswer_ = false;
  linked_ = startHeld_ = finished_ = playAgain_ = peerAgain_ = false;
}

void YGameNetwork::DropLinkAndSearch() {
  const bool inSetup = !finished_;
  const std::string host = hostName_;
  DropLink();
  if (inSetup) Connect(host, true);
}

void YGameNetwork::SendAbort() {
  if (!IsConnected() || std::exchange(abortSent_, true)) return;
  link_->Send(kAbort);
  Links().Flush(*link_);
}

void YGameNetwork::SendPlayerInfo(std::int32_t profile) {
  if (started_) return;
  if (link_ == nullptr) Connect(hostName_, false);
  const std::vector<ProfileInfo>& list = ProfileList();
  if (profile < 0 || profile >= static_cast<std::int32_t>(list.size())) return;
  if (!list[static_cast<std::size_t>(profile)].readable) return;
  profile_[0] = profile;
  const ProfileInfo& info = list[static_cast<std::size_t>(profile)];
  const std::string face = info.face != nullptr && !info.face->name().empty() ? info.face->name() : "0";
  const std::string body = std::string(kPlayerInfo) + " " + info.name + " " + face + " " +
                           std::to_string(info.level) + " " + std::to_string(info.monsters) + " " +
                           (hasPeerInfo_ ? "1" : "0");
  if (!control_->Send(body)) {
    Log::Printf("The player info of %s could not be sent", info.name.c_str());
    return;
  }
  if (!hasPeerInfo_) awaitingAnswer_ = true;
  if (std::exchange(startHeld_, false)) BeginOnMastersWord();
}

void YGameNetwork::HandleMessages() {
  if (link_ == nullptr || started_ || (finished_ && !playAgain_)) return;
  if (IsConnected())
    linked_ = true;
  else if (linked_)
    return PeerGone(false);
  while (link_ != nullptr && !started_) {
    const std::string body = control_->Receive();
    if (body.empty()) break;
    const std::string_view keyword = PeerMessageRouter::Keyword(body);
    if (keyword == kPlayerInfo) {
      HandlePlayerInfo(body);
      peerAgain_ = finished_;
    } else if (keyword == kCanStart) {
      HandleCanStart();
    } else if (keyword == kAbort) {
      return PeerGone(true);
    }
  }
  if (playAgain_ && peerAgain_ && CanStart()) BeginAsMaster();
}

// In the setup the mode goes on looking for a game; after a game the
// screens lead back to the setup.
void YGameNetwork::PeerGone(bool left) {
  DropLinkAndSearch();
  if (left)
    ShowAbort();
  else
    ShowDisconnect();
}

void YGameNetwork::HandleCanStart() {
  if (Master() || !IsConnected()) {
    Log::Printf("A start from the peer is dropped: %s", Master() ? "this machine starts" : "not connected");
    return;
  }
  if (profile_[0] < 0) {
    // The peer starts while this player has none chosen (its profile
    // screen was open): the game begins with the choice, and the master
    // shows that it waits meanwhile.
    Log::Printf("A start from the peer waits for a chosen profile");
    startHeld_ = true;
    return;
  }
  if (!started_) BeginOnMastersWord();
}

void YGameNetwork::Start() {
  if (finished_) return AskToPlayAgain();
  // Only the master starts; the other machine waits for its "canStart".
  if (!CanStart()) return;
  BeginAsMaster();
}

// The other machine's summary is its wish to play again; the master's
// "canStart" answers it.
void YGameNetwork::AskToPlayAgain() {
  if (link_ == nullptr || playAgain_) return;
  playAgain_ = true;
  // The last game's commanders would take the next game's messages.
  board_.DeleteCommanders();
  // Summaries sent before the last game began tell nothing of this wish.
  router_->Open({kPlayerInfo, kCanStart, kAbort})
      .ForgetBefore(router_->Open(YTessorPlayerNetwork::Keywords()));
  if (!Master()) SendPlayerInfo(profile_[0]);
  HandleMessages();
}

// The hero is read before anything is sent or closed: a profile that gives
// none starts nothing, the setup stays as it stands and the choice is
// forgotten, so "start" waits for another.
YPlayerHero* YGameNetwork::ReadLocalHero() {
  YPlayerHero* hero = nullptr;
  LoadPlayerProfile(profile_[0], &hero);
  if (hero != nullptr) return hero;
  Log::Printf("The network game is not started: profile %d gives no hero", profile_[0]);
  profile_[0] = -1;
  return nullptr;
}

void YGameNetwork::BeginAsMaster() {
  YPlayerHero* hero = ReadLocalHero();
  if (hero == nullptr) return;
  control_->Send(kCanStart);
  BeginGame(hero);
}

// The master has begun: a hero that cannot be read ends this link, which
// tells the master so, and in the setup the search goes on.
void YGameNetwork::BeginOnMastersWord() {
  if (YPlayerHero* hero = ReadLocalHero()) return BeginGame(hero);
  SendAbort();
  DropLinkAndSearch();
}

void YGameNetwork::BeginGame(YPlayerHero* hero) {
  started_ = linked_ = true;
  finished_ = playAgain_ = peerAgain_ = false;
  Host().CloseModals();
  Host().SetGameMode(this);
  ClearBattles();
  board_.LoadDesk(kDesk);
  board_.SetArmy(hero, 0);
  CreateBoardCommander();
  board_.NewGame();
  Host().SetState(host_state::kBoard);
}

void YGameNetwork::End() {
  SendAbort();
  ClearBattles();
  DropLink();
}

void YGameNetwork::CreateBoardCommander() {
  battle_.DeleteCommanders();
  board_.DeleteCommanders();
  CommanderFactory& factory = Factory();
  board_.SetCommander(0, factory.BoardUser(0));
  if (router_ != nullptr)
    board_.SetCommander(1, factory.BoardNetwork(1, router_->Open(YTessorPlayerNetwork::Keywords()), this));
  board_.SetGameMaster(this);
}

void YGameNetwork::CreatePlayerCommander() {
  battle_.ClearTiles();
  battle_.DeleteCommanders();
  CommanderFactory& factory = Factory();
  battle_.SetCommander(0, factory.DuelUser(0));
  if (router_ != nullptr) battle_.SetCommander(1, factory.DuelNetwork(*router_, this));
  battle_.gameMode = this;
}

void YGameNetwork::OnFight(YTessorUnit* attacker, YTessorUnit* defender) {
  if (attacker == nullptr || defender == nullptr) return;
  const std::string layout = GetLayoutPath(attacker->record, defender->record);
  const YTessorPlayerCommander* commander = board_.Commander(attacker->side);
  const bool peerAttacks = commander != nullptr && commander->Kind() == commander_kind::kNetwork;
  YPlayer* side0 = peerAttacks ? defender->record : attacker->record;
  YPlayer* side1 = peerAttacks ? attacker->record : defender->record;
  CreatePlayerCommander();
  BeginDuel(layout, side0, side1, attacker->side);
}

void YGameNetwork::OnFightEnd(std::int32_t result) {
  SetStateBits(host_state::kResultModal);
  battle_.DeleteCommanders();
  if (result != 0 && result != 1) {
    Host().ShowMultiplayerDraw();
    SettleDuel(-1);
    outcome_ = -1;
    return;
  }
  const std::int32_t bonus = SettleDuel(result);
  if (result == 0)
    Host().ShowBattleVictoryMP(GetLocale().GetText("network_win"), DuelGain(0), bonus);
  else
    Host().ShowNetworkDefeat();
  if (YPlayer* winner = battle_.Fighter(result)) {
    winner->experience += bonus;
    winner->UpdateLevel();
  }
  outcome_ = result;
  const YTessorPlayerCommander* mover = board_.Commander(board_.Board().sideToMove);
  if (mover != nullptr && mover->Kind() == commander_kind::kNetwork) outcome_ = (outcome_ + 1) % 2;
}

void YGameNetwork::OnLevelEnd() {
  board_.OnBattleResult(outcome_);
  Host().SetState(host_state::kBoard);
  if (!board_.IsGameOver()) return;
  // The outcome speaks for this machine: 0 this player won, 1 the peer.
  // The slave's own units may stand on board side 1, so the result screen
  // gets the board side and tells the peer by its commander.
  const std::int32_t side = Winner();
  const YTessorPlayerCommander* winner = side >= 0 ? board_.Commander(side) : nullptr;
  outcome_ = side < 0 ? -1 : (winner != nullptr && winner->Kind() == commander_kind::kNetwork ? 1 : 0);
  started_ = false;
  finished_ = true;
  Host().ShowNetworkResult(side);
}

void YGameNetwork::ShowAbort() {
  if ((Host().State() & host_state::kNetworkAbort) != 0) return;  // one message tells the game's end
  Host().SetState(Host().State() | host_state::kNetworkAbort);
  Host().ShowMessage(GetLocale().GetText("network_abort"));
}

void YGameNetwork::ShowDisconnect() {
  if ((Host().State() & host_state::kNetworkAbort) != 0) return;
  Host().SetState(Host().State() | host_state::kNetworkAbort);
  Host().ShowMessage(GetLocale().GetText("network_disconnect"));
}

YGameNetwork& GetNetworkGame() {
  static YGameNetwork game;
  return game;
}
