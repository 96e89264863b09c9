// A network game without a window, for the end-to-end test of two
// processes: computers play this machine's side of the board and of every
// duel (each duel decided by the side that moves first), a recording host
// stands in for the screens, and the link looks for the peer on 127.0.0.1.
// The run writes its result to stderr as one line
//   result winner=<name> units=<left on the board> fights=<count>
// (the winner's profile name, or "none"), which both machines must agree on.
#pragma once

#include <cstdint>
#include <string>

struct NetGameOptions {
  std::uint16_t basePort = 0;
  std::string broadcastAddress = "127.255.255.255";
  std::string host;          // empty: look for the peer by broadcast
  std::int32_t profile = 0;  // this machine's player, an index of the profile list
  std::uint32_t seed = 1;    // the first duel's deal seed on this machine
  // Added to the link's clock. The link that started first is the master,
  // and a link takes a greeting with its own start tick for its own
  // broadcast: two processes started in the same millisecond need apart
  // clocks to find each other.
  std::uint32_t tickOffset = 0;
  int timeoutSeconds = 60;
};

// Plays one network game to its end. 0 when it ended with a result, 1 when
// it was aborted, the link was lost or the time ran out.
int RunNetGame(const NetGameOptions& options);
