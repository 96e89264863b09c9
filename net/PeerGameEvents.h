// How a network commander tells its game mode that the game cannot go on:
// the peer gave up, or the link is lost (also when the peer sent something
// this machine cannot accept). The network game mode implements it.
// Main thread only.
#pragma once

class PeerGameEvents {
 public:
  virtual ~PeerGameEvents() = default;

  // The peer sent "abort".
  virtual void ShowAbort() = 0;
  // The link is no longer connected, or the peer's messages cannot be
  // followed; shown once, and not after an abort.
  virtual void ShowDisconnect() = 0;
};
