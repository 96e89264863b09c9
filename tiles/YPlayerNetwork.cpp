// The duel network commander's message flow: the start-up exchange, the
// peer's moves, abort and a lost link. The greeting's fields are in
// YPlayerNetworkHello.cpp.
#include "tiles/YPlayerNetwork.h"

#include <algorithm>
#include <limits>

#include "framework/Log.h"
#include "net/PeerChannel.h"
#include "net/PeerGameEvents.h"
#include "net/PeerMessageRouter.h"
#include "net/PeerTextReader.h"
#include "tiles/TileLayout.h"
#include "tiles/YTileset.h"

namespace {

constexpr int kLinkMaster = 1;
constexpr std::int32_t kRemoteSide = 1;
// How much of a message a log line shows.
constexpr std::size_t kLoggedText = 80;

// A layout path that the peer will read back as the same safe path.
bool IsSendablePath(std::string_view path) {
  return tile_layout::IsSafeLayoutPath(path) &&
         std::all_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) > 0x20; });
}

}  // namespace

const std::vector<std::string>& YPlayerNetwork::Keywords() {
  static const std::vector<std::string> keywords = {"hello", "start", "abort"};
  return keywords;
}

const std::vector<std::string>& YPlayerNetwork::MoveKeywords() {
  static const std::vector<std::string> keywords = {"move"};
  return keywords;
}

void YPlayerNetwork::OpenMailboxes(PeerMessageRouter& router) {
  router.Open(Keywords());
  router.Open(MoveKeywords());
}

YPlayerNetwork::YPlayerNetwork(PeerMessageRouter& router, PeerGameEvents* events)
    : YPlayerCommander(kRemoteSide),
      router_(router),
      control_(router.Open(Keywords())),
      moves_(router.Open(MoveKeywords())),
      events_(events) {}

std::int32_t YPlayerNetwork::Kind() const {
  return kNetwork;
}

void YPlayerNetwork::OnStart(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide) {
  YTileset* battle = Battle();
  if (battle == nullptr || failed_) return;
  begun_ = true;
  const YPlayer* local = battle->Fighter(side ^ 1);
  if (local != nullptr && !SendHello(*local)) return;
  if (control_.Role() != kLinkMaster) return;
  std::string path = layoutPath;
  if (!IsSendablePath(path)) {
    Log::Printf("Duel layout %s cannot be shared with the peer; the duel uses %s", layoutPath.c_str(),
                std::string(tile_layout::kStandardPath).c_str());
    path = tile_layout::kStandardPath;
  }
  pendingStart_ = PendingStart{path, seed, firstSide & 1};
  if (helloReceived_) StartAsMaster();
}

// The master starts once both fighters are known here, then tells the
// slave how.
void YPlayerNetwork::StartAsMaster() {
  const PendingStart start = *pendingStart_;
  pendingStart_.reset();
  started_ = true;
  YPlayerCommander::OnStart(start.layoutPath, start.seed, start.firstSide);
  Send("start " + start.layoutPath + " " + std::to_string(start.seed) + " " +
       std::to_string(start.firstSide) + " " + std::to_string(side));
}

void YPlayerNetwork::OnMove(std::int32_t first, std::int32_t second) {
  if (!failed_) Send("move " + std::to_string(first) + " " + std::to_string(second));
}

void YPlayerNetwork::HandleMessages() {
  if (failed_ || !begun_ || Battle() == nullptr || Decided()) return;
  const std::string message = control_.Receive();
  if (message.empty()) {
    if (!control_.Connected() && events_ != nullptr) events_->ShowDisconnect();
    return;
  }
  PeerTextReader reader(message);
  std::string keyword;
  reader.Word(keyword);
  if (keyword == "hello") {
    HandleHello(reader, message);
  } else if (keyword == "start") {
    HandleStart(reader, message);
  } else if (keyword == "abort") {
    if (events_ != nullptr) events_->ShowAbort();
  } else {
    Refuse("not a duel message", message);
  }
}

// Once a side has fallen here the duel is over; what arrives from then on
// belongs to the next duel's commander.
bool YPlayerNetwork::Decided() const {
  const DuelState& state = Battle()->State();
  return started_ && (state.sides[0].health <= 0 || state.sides[1].health <= 0);
}

void YPlayerNetwork::HandleStart(PeerTextReader& reader, std::string_view message) {
  if (control_.Role() == kLinkMaster) return;  // the master starts its own battle
  if (started_) return Refuse("a second start", message);
  if (!helloReceived_) return Refuse("a start before the greeting", message);
  std::string path;
  std::uint32_t seed = 0;
  std::int32_t first = 0, sender = 0;
  reader.Word(path);
  reader.Unsigned(seed);
  reader.Int(first, 0, 1);
  reader.Int(sender, 0, 1);
  if (!reader.Ok()) return Refuse("bad start fields", message);
  if (!tile_layout::IsSafeLayoutPath(path))
    return Refuse("a layout path outside the layouts folder", message);
  // The master's network commander plays side 1 there, as this one does
  // here: the side that moves first is the other one seen from here.
  if (sender == side) first ^= 1;
  started_ = true;
  YPlayerCommander::OnStart(path, seed, first);
}

void YPlayerNetwork::Update() {
  YTileset* battle = Battle();
  if (failed_ || battle == nullptr) return;
  const std::string message = moves_.Receive();
  if (message.empty()) {
    // Messages arrive in the order sent, so one waiting for another party
    // means the move that should have come before it never will.
    if (const std::string* held = router_.HeldBeyond({&control_, &moves_}))
      Refuse("another party's message while the peer's move is due", *held);
    return;
  }
  PeerTextReader reader(message);
  std::string keyword;
  std::int32_t first = 0, second = 0;
  reader.Word(keyword);
  reader.Int(first, 0, std::numeric_limits<std::int32_t>::max());
  reader.Int(second, 0, std::numeric_limits<std::int32_t>::max());
  if (!reader.Ok() || keyword != "move") return Refuse("bad move fields", message);
  const int a = battle->TileIndexOf(first);
  const int b = battle->TileIndexOf(second);
  if (!battle->IsLegalMove(a, b)) return Refuse("a move the peer's side cannot make here", message);
  battle->DoMove(a, b);
}

bool YPlayerNetwork::Send(const std::string& text) {
  if (control_.Send(text)) return true;
  Log::Printf("Duel message could not be sent, the duel ends: %s",
              PrintableExcerpt(text, kLoggedText).c_str());
  Fail();
  return false;
}

void YPlayerNetwork::Refuse(std::string_view why, std::string_view message) {
  Log::Printf("Bad duel message from the peer (%.*s), the duel ends: %s", static_cast<int>(why.size()),
              why.data(), PrintableExcerpt(message, kLoggedText).c_str());
  Fail();
}

void YPlayerNetwork::Fail() {
  failed_ = true;
  control_.Drop();
  pendingStart_.reset();
  if (events_ != nullptr) events_->ShowDisconnect();
}
