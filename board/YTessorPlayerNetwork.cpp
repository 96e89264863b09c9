// The network commander's message flow: the local start-up it sends, the
// peer's start-up, moves, skill changes and abort it takes.
#include "board/YTessorPlayerNetwork.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "board/YTessor.h"
#include "framework/Log.h"
#include "net/PeerChannel.h"
#include "net/PeerGameEvents.h"
#include "net/PeerMessageRouter.h"
#include "net/PeerTextReader.h"
#include "players/YPlayer.h"

namespace {

constexpr int kLinkMaster = 1;
constexpr int kLastCell = kBoardSize - 1;

// The clock in the shortest form that reads back as the same float, so that
// both machines turn the same clock.
std::string ClockText(float clock) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, clock);
  return error == std::errc() ? std::string(text, end) : std::string("0");
}

// How much of a message a log line shows.
constexpr std::size_t kLoggedText = 80;

}  // namespace

const std::vector<std::string>& YTessorPlayerNetwork::Keywords() {
  static const std::vector<std::string> keywords = {"a_hello", "a_unit",  "a_start",
                                                    "a_move",  "a_skill", "abort"};
  return keywords;
}

YTessorPlayerNetwork::YTessorPlayerNetwork(std::int32_t side_, PeerMessageRouter::Mailbox& link,
                                           PeerGameEvents* events)
    : YTessorPlayerCommander(side_), link_(link), events_(events) {}

YTessorPlayerNetwork::~YTessorPlayerNetwork() {
  if (Board() != nullptr) Board()->Board().viewFlip = false;
}

void YTessorPlayerNetwork::BeginTurn(std::int32_t) {
  YTessor* tessor = Board();
  if (tessor == nullptr || failed_) return;
  YTessorBoard& board = tessor->Board();
  board.viewFlip = false;
  const int local = (side + 1) % 2;
  SendHello();
  // A copy of the list: nothing changes it while sending, but a refused
  // unit ends the loop.
  const std::vector<YTessorUnit*> units = board.Units(local);
  for (YTessorUnit* unit : units) {
    if (!SendUnit(*unit)) return;
  }
  board.sideToMove = local;
  if (!Send("a_start " + std::to_string(local) + " " + ClockText(board.clock))) return;
  started_ = true;
}

void YTessorPlayerNetwork::OnMove(std::int32_t fromX, std::int32_t fromY, std::int32_t toX,
                                  std::int32_t toY) {
  if (failed_) return;
  Send("a_move " + std::to_string(fromX) + " " + std::to_string(fromY) + " " + std::to_string(toX) + " " +
       std::to_string(toY));
}

void YTessorPlayerNetwork::SendSkill() {
  const YPlayer* record = Board() != nullptr ? Board()->Player((side + 1) % 2) : nullptr;
  if (record == nullptr || failed_) return;
  std::string text = "a_skill";
  for (std::int32_t value : record->baseMana) text += " " + std::to_string(value);
  Send(text);
}

void YTessorPlayerNetwork::SendHello() {
  if (!failed_) Send("a_hello " + std::to_string((side + 1) % 2));
}

bool YTessorPlayerNetwork::TakeMessage() {
  if (buffer_.empty()) buffer_ = link_.Receive();
  return !buffer_.empty();
}

void YTessorPlayerNetwork::Receive() {
  if (!started_ || failed_ || Board() == nullptr) return;
  if (buffer_.empty() && !link_.Connected()) {
    if (events_ != nullptr) events_->ShowDisconnect();
    return;
  }
  if (!TakeMessage()) return;
  const std::string_view keyword = PeerMessageRouter::Keyword(buffer_);
  PeerTextReader reader(buffer_);
  std::string skipped;
  reader.Word(skipped);
  if (keyword == "a_start") {
    HandleStart(reader);
  } else if (keyword == "a_hello") {
    HandleHello(reader);
  } else if (keyword == "a_unit") {
    HandleUnit(reader);
  } else if (keyword == "a_skill") {
    HandleSkill(reader);
  } else if (keyword == "abort") {
    Consume();
    if (events_ != nullptr) events_->ShowAbort();
  } else if (keyword != "a_move") {
    Refuse("not a board message");
  } else if (phase_ != Phase::kPlaying) {
    Refuse("a move before the game began");
  }
}

void YTessorPlayerNetwork::Think() {
  if (failed_ || Board() == nullptr) return;
  if (!TakeMessage()) {
    // Messages arrive in the order sent, so one waiting for another party
    // means the move that should have come before it never will.
    const bool due = phase_ == Phase::kPlaying && Board()->gameRunning;
    const std::string* held = due ? link_.HeldElsewhere() : nullptr;
    if (held == nullptr) return;
    buffer_ = *held;
    return Refuse("another party's message while the peer's move is due");
  }
  if (PeerMessageRouter::Keyword(buffer_) != "a_move") return;
  PeerTextReader reader(buffer_);
  std::string skipped;
  reader.Word(skipped);
  HandleMove(reader);
}

void YTessorPlayerNetwork::HandleMove(PeerTextReader& reader) {
  if (phase_ != Phase::kPlaying) return Refuse("a move before the game began");
  std::int32_t fromX = 0, fromY = 0, toX = 0, toY = 0;
  reader.Int(fromX, 0, kLastCell);
  reader.Int(fromY, 0, kLastCell);
  reader.Int(toX, 0, kLastCell);
  reader.Int(toY, 0, kLastCell);
  if (!reader.Ok()) return Refuse("bad cells");
  YTessor& tessor = *Board();
  YTessorUnit* unit = tessor.Board().Cell(fromX, fromY).occupant;
  if (unit == nullptr || unit->side != side) return Refuse("no unit of the peer's side on the start cell");
  if (!tessor.MoveUnit(unit, toX, toY, move_kind::kMove)) return Refuse("a move the unit does not have");
  Consume();
}

// Whatever stood on this commander's side belongs to the peer, whose units
// follow. The slave learns which side the peer plays; when it is the side
// this machine's own units stand on, they move over to this commander's.
void YTessorPlayerNetwork::HandleHello(PeerTextReader& reader) {
  if (phase_ != Phase::kHello) return Refuse("a second greeting");
  std::int32_t peerSide = side;
  if (link_.Role() != kLinkMaster && !reader.Int(peerSide, 0, 1)) return Refuse("bad side");
  ClearPeerSide();
  if (peerSide != side) MirrorSides(peerSide);
  if (link_.Role() != kLinkMaster) Board()->Board().viewFlip = side == 0;
  phase_ = Phase::kUnits;
  Consume();
}

// The peer plays the side this machine's own units stand on: they move to
// this commander's side, mirrored, and the commanders and player records
// change places with them.
void YTessorPlayerNetwork::MirrorSides(int peerSide) {
  YTessor& tessor = *Board();
  tessor.Board().MoveSideMirrored(peerSide, side);
  tessor.SwapCommanders();
  YPlayer* first = tessor.Player(0);
  tessor.SetPlayer(0, tessor.Player(1));
  tessor.SetPlayer(1, first);
}

void YTessorPlayerNetwork::ClearPeerSide() {
  Board()->ClearSide(side, true);
  Board()->SetPlayer(side, nullptr);
}

void YTessorPlayerNetwork::HandleStart(PeerTextReader& reader) {
  if (phase_ != Phase::kUnits) return Refuse("a start out of turn");
  YTessor& tessor = *Board();
  YTessorBoard& board = tessor.Board();
  std::int32_t first = board.sideToMove;
  if (link_.Role() == kLinkMaster) {
    float clock = 0;
    reader.Int(first, 0, 1);
    reader.Float(clock);
    if (!reader.Ok() || clock < 0.0f || clock >= 1.0f) return Refuse("bad side or clock");
    board.clock = clock;
  }
  for (int s = 0; s < 2; ++s) {
    for (YTessorUnit* unit : board.Units(s)) board.PlaceUnit(unit, unit->x, unit->y);
  }
  board.RefreshCellEffects();
  phase_ = Phase::kPlaying;
  Consume();
  YTessorPlayerCommander::BeginTurn(first);
}

void YTessorPlayerNetwork::HandleSkill(PeerTextReader& reader) {
  std::array<std::int32_t, 4> values{};
  for (std::int32_t& value : values) reader.Int(value, 0, std::numeric_limits<std::int32_t>::max());
  if (!reader.Ok()) return Refuse("bad skill values");
  // The peer's side has no player record before its hero arrives.
  if (YPlayer* record = Board()->Player(side)) record->baseMana = values;
  Consume();
}

bool YTessorPlayerNetwork::Send(const std::string& text) {
  if (link_.Send(text)) return true;
  Log::Printf("Board message could not be sent, the game ends: %s",
              PrintableExcerpt(text, kLoggedText).c_str());
  Fail();
  return false;
}

void YTessorPlayerNetwork::Refuse(std::string_view why) {
  Log::Printf("Bad board message from the peer (%.*s), the game ends: %s", static_cast<int>(why.size()),
              why.data(), PrintableExcerpt(buffer_, kLoggedText).c_str());
  Consume();
  Fail();
}

void YTessorPlayerNetwork::Fail() {
  failed_ = true;
  link_.Drop();
  if (events_ != nullptr) events_->ShowDisconnect();
}
