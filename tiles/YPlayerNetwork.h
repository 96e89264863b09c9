// The player at the other machine of a network game as a duel commander,
// always side 1. It speaks over two mailboxes of the link's router: one for
// "hello", "start" and "abort", read every frame, and one for "move", read
// only while side 1 is to move, where the peer's moves wait their turn.
//
// Start of a duel: both machines send "hello" with their own fighter, which
// the receiver writes into its record of the remote fighter. A greeting that
// arrives once this duel has begun here belongs to the peer's next duel
// (the peer decided this one first): it stays in the mailbox for the next
// duel's commander. The master
// starts the battle only once the peer's "hello" has arrived, so both deal
// from the same values, and then sends "start" with the layout, the seed
// and the first side; the slave starts the same battle on "start". Each
// local move of side 0 travels as "move" with the two tile numbers.
//
// Everything read from the peer is checked: a message that cannot be
// followed (bad values, a layout path outside the layouts folder, a move
// that is not legal here, a message out of turn, another party's message
// waiting while the peer's move is due) is logged, gives the link up so
// that the peer loses it too, and ends the duel through the mode's
// disconnect path, after which the commander does nothing more. Main thread
// only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/PeerMessageRouter.h"
#include "tiles/YPlayerCommander.h"

class PeerGameEvents;
class PeerTextReader;
class YPlayer;

class YPlayerNetwork final : public YPlayerCommander {
 public:
  // The keywords of the two mailboxes.
  static const std::vector<std::string>& Keywords();
  static const std::vector<std::string>& MoveKeywords();
  // Opens both mailboxes. The link's owner calls it when it makes the link,
  // so that nothing that arrives before the duel's commander is lost.
  static void OpenMailboxes(PeerMessageRouter& router);

  // Plays side 1 for the peer over the router's link; `events` (may be
  // null) hears of an abort or a lost link. Neither is owned; both outlive
  // the commander.
  YPlayerNetwork(PeerMessageRouter& router, PeerGameEvents* events);

  std::int32_t Kind() const override;
  // Every frame once the fight has begun: the peer's greeting, start and
  // abort; a lost link.
  void HandleMessages() override;
  // While side 1 is to move: the peer's next move, if it has arrived; the
  // end of the duel when a message of another party waits instead.
  void Update() override;
  // A fight begins: greets the peer; the master starts the battle once the
  // peer's greeting is in, the slave when the master's "start" arrives.
  void OnStart(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide) override;
  // Side 0 takes the tiles numbered first and second: tells the peer.
  void OnMove(std::int32_t first, std::int32_t second) override;
  // Sends "hello" with the record's values. A name too long for the
  // link's limit is shortened; false (and the duel ends) when the rest
  // alone is over the limit, so a greeting never arrives cut.
  bool SendHello(const YPlayer& record);

  // True once the duel has ended through the disconnect path.
  bool Failed() const { return failed_; }

 private:
  // The master's own start, held until the peer's greeting is in.
  struct PendingStart {
    std::string layoutPath;
    std::uint32_t seed = 0;
    std::int32_t firstSide = 0;
  };

  void HandleHello(PeerTextReader& reader, std::string_view message);
  void HandleStart(PeerTextReader& reader, std::string_view message);
  void StartAsMaster();
  bool Decided() const;
  bool Send(const std::string& text);
  // Logs the message as refused and ends the duel.
  void Refuse(std::string_view why, std::string_view message);
  // Gives the link up and ends the duel through the mode's disconnect path.
  void Fail();

  PeerMessageRouter& router_;
  PeerMessageRouter::Mailbox& control_;
  PeerMessageRouter::Mailbox& moves_;
  PeerGameEvents* events_;
  std::optional<PendingStart> pendingStart_;
  bool begun_ = false;          // OnStart has run
  bool helloReceived_ = false;  // the peer's fighter is in
  bool started_ = false;        // the battle has been started here
  bool failed_ = false;
};
