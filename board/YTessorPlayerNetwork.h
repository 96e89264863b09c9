// The other machine's side of a network game. It sends this machine's
// set-up and moves to the peer and performs the peer's set-up and moves on
// the local board, as text messages over a channel of the peer link (a
// mailbox of the link's router holding Keywords()).
//
// Start-up: the local NewGame sends "a_hello", one "a_unit" per local unit
// and "a_start"; the peer's three kinds are then taken in that order, which
// puts the peer's units on this commander's side (the slave first mirrors
// its own side over, so both machines hold the same position) and begins the
// first turn. Then each side's moves travel as "a_move". Everything read
// from the peer is checked; a message that cannot be followed (bad values,
// a move the board refuses, a message out of turn, or another party's
// message waiting while the peer's move is due) is logged, gives the link
// up so that the peer loses it too, and ends the game through the mode's
// disconnect path, after which the commander does nothing more. Main thread
// only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/YTessorPlayerCommander.h"
#include "net/PeerMessageRouter.h"

class PeerGameEvents;
class PeerTextReader;
class YTessorUnit;

class YTessorPlayerNetwork final : public YTessorPlayerCommander {
 public:
  // The keywords of the board's messages, for the router's mailbox.
  static const std::vector<std::string>& Keywords();

  // Plays `side` for the peer over `link`; `events` (may be null) hears of
  // an abort or a lost link. Neither is owned; both outlive the commander.
  YTessorPlayerNetwork(std::int32_t side, PeerMessageRouter::Mailbox& link, PeerGameEvents* events);
  // Clears the board's view flip.
  ~YTessorPlayerNetwork() override;

  std::int32_t Kind() const override { return commander_kind::kNetwork; }
  // Every frame once started: the peer's set-up, skill changes and abort.
  void Receive() override;
  // While the peer's side is to move: the peer's move, or the end of the
  // game when a message of another party waits instead.
  void Think() override;
  // The local game begins: sends the local set-up and sets the local side
  // to move; the first turn begins when the peer's "a_start" arrives.
  void BeginTurn(std::int32_t side) override;
  void OnMove(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) override;
  void SendSkill() override;
  void SendHello();
  // Sends one local unit; false when it could not be sent (the game ends).
  // A unit whose record is neither its side's hero nor a monster is skipped.
  bool SendUnit(YTessorUnit& unit);

  // True once the game has ended through the disconnect path.
  bool Failed() const { return failed_; }

 private:
  // Where the peer's start-up stands.
  enum class Phase { kHello, kUnits, kPlaying };

  bool TakeMessage();
  void Consume() { buffer_.clear(); }
  void HandleHello(PeerTextReader& reader);
  void HandleUnit(PeerTextReader& reader);
  void HandleStart(PeerTextReader& reader);
  void HandleSkill(PeerTextReader& reader);
  void HandleMove(PeerTextReader& reader);
  void MirrorSides(int peerSide);
  void ClearPeerSide();
  bool CellFreeForPeer(int x, int y) const;
  bool Send(const std::string& text);
  // Logs the message in the buffer as refused and ends the game.
  void Refuse(std::string_view why);
  // Gives the link up and ends the game through the mode's disconnect path.
  void Fail();

  PeerMessageRouter::Mailbox& link_;
  PeerGameEvents* events_;
  bool started_ = false;
  bool failed_ = false;
  Phase phase_ = Phase::kHello;
  bool heroReceived_ = false;
  int unitsReceived_ = 0;
  std::string buffer_;  // the message taken from the link and not yet handled
};
