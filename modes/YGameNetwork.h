// The network game: two machines, each playing its own profile as side 0
// of the board and of every duel, the other player as side 1 through the
// network commanders. Before a game the two exchange their profiles'
// summaries ("playerinfo"); the link's master starts the game and tells the
// other ("canStart"); either may leave ("abort"). The board's and the duel's
// messages travel over the same link, each party reading its own mailbox of
// the link's router. One object serves the process (GetNetworkGame).
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "modes/YGameHotseat.h"
#include "net/PeerGameEvents.h"
#include "players/ProfileInfo.h"

class PeerChannel;
class PeerLinkFactory;
class PeerMessageRouter;

class YGameNetwork : public YGameHotseat, public PeerGameEvents {
 public:
  // The mode's own keywords, for its mailbox.
  static constexpr std::string_view kPlayerInfo = "playerinfo";
  static constexpr std::string_view kCanStart = "canStart";
  static constexpr std::string_view kAbort = "abort";
  // The locale keys the mode looks up.
  static constexpr const char* kLocaleKeys[] = {"network_win", "network_abort", "network_disconnect"};

  YGameNetwork();
  YGameNetwork(YTessor& board, YTileset& battle);
  // Deletes the commanders that read the link, then the link.
  ~YGameNetwork() override;

  // Where links come from (not owned); null: the game's own.
  void SetLinkFactory(PeerLinkFactory* factory) { linkFactory_ = factory; }

  // Makes a link to `host` (empty: by broadcast), after telling the peer of
  // the old one that this machine leaves. Without `reconnect` a link to the
  // same host is kept.
  void Connect(const std::string& host, bool reconnect);
  bool IsConnected() const;
  // Sends the summary of profile `profile` of the profile list, which
  // becomes the local choice; nothing once started, for an index outside
  // the list or for a profile whose summary could not be read. Makes a
  // link to the stored host first when there is none. A start the master
  // sent before the choice begins the game now.
  void SendPlayerInfo(std::int32_t profile);
  // Handles the messages of the mode that arrived, while no game runs: in
  // the setup, and while this player waits to play again. The other player
  // leaving, or the link lost after it was made, is shown (bit 0x4000); in
  // the setup the mode then looks for a game again.
  void HandleMessages();
  // Tells a connected peer that this machine leaves, at once; once a link
  // (the game's end after a leave told at once tells nothing more).
  void SendAbort();

  // The network commanders' reports during a game: each shows its message
  // (bit 0x4000) only while nothing was shown; a duel under way then waits
  // for the mode's End.
  void ShowAbort() override;
  void ShowDisconnect() override;

  // What the network screens read.
  // This machine starts games: the link took the master's role.
  bool Master() const;
  bool HasPeerInfo() const { return hasPeerInfo_; }
  bool Started() const { return started_; }
  // This player waits for the other one: to play again, or for the other
  // machine's side of a game begun here.
  bool Waiting() const;
  std::int32_t LocalProfile() const { return profile_[0]; }
  // The setup shown anew: no profile counts as sent until one is sent again.
  void ForgetLocalProfile() { profile_[0] = -1; }
  const std::string& HostName() const { return hostName_; }
  // The other player's summary: name, face (null unless the hero catalogue
  // has it), and its two values; valid while HasPeerInfo.
  const ProfileInfo& PeerInfo() const { return peer_; }
  // The start button may be pressed: master, connected, the peer's summary
  // in, a local profile chosen, the peer's answer to this machine's first
  // summary in, and no game running.
  bool CanStart() const;

  // The master's start (when CanStart) sends "canStart" and begins the
  // game; the other machine begins on that message, never on its own.
  // After a game's end it is this player's wish to play again: the other
  // machine tells the master so with its summary, and the master starts
  // once both wish it (HandleMessages goes on from there).
  void Start() override;
  // Tells the peer, stops both battles and lets the link go.
  void End() override;
  void OnFight(YTessorUnit* attacker, YTessorUnit* defender) override;
  void OnFightEnd(std::int32_t result) override;
  // Once the game is over, Outcome and the result screen give the winner
  // as this machine sees it: 0 this player, 1 the peer, -1 neither.
  void OnLevelEnd() override;
  void CreateBoardCommander() override;
  void CreatePlayerCommander() override;

 private:
  void HandlePlayerInfo(std::string_view body);
  void HandleCanStart();
  void AskToPlayAgain();
  // The peer left ("abort") or the link made was lost.
  void PeerGone(bool left);
  // The chosen profile's hero; null (logged, the choice forgotten) when it
  // gives none.
  YPlayerHero* ReadLocalHero();
  // The master's start: "canStart" goes only with a hero to play.
  void BeginAsMaster();
  // The other machine's start on the master's word.
  void BeginOnMastersWord();
  // Sets the local player's `hero` (the board takes it) against the peer's
  // side and starts the board.
  void BeginGame(YPlayerHero* hero);
  // Deletes the commanders that read the link, the router and the link.
  void DropLink();
  // The same; in the setup the mode then looks for a game again.
  void DropLinkAndSearch();
  PeerLinkFactory& Links() const;

  PeerLinkFactory* linkFactory_ = nullptr;
  std::unique_ptr<PeerChannel> link_;
  std::unique_ptr<PeerMessageRouter> router_;
  PeerChannel* control_ = nullptr;  // the mode's mailbox of router_
  std::string hostName_;
  bool hasPeerInfo_ = false;
  // A summary sent without the peer's (flag 0) makes the peer drop its
  // choice; until the peer answers with flag 1 its player is not chosen, and
  // a "canStart" sent then would end the link there.
  bool awaitingAnswer_ = false;
  bool started_ = false;
  bool linked_ = false;     // the link was seen connected
  bool startHeld_ = false;  // a "canStart" came before a player was chosen
  bool finished_ = false;   // a game over this link has ended
  bool abortSent_ = false;  // the peer was told of this machine's leave
  bool playAgain_ = false;  // this player wishes to play again
  bool peerAgain_ = false;  // the other player does (the master's view)
  ProfileInfo peer_;
};

// The process's network game.
YGameNetwork& GetNetworkGame();
