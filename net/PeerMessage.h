// One message body of the peer link with its sequence number, in the send
// queue (waiting for its acknowledgement) or the receive queue (waiting for
// its turn to be handed to the game).
#pragma once

#include <cstdint>
#include <string>

struct PeerMessage {
  std::int32_t sequence = 0;
  // Milliseconds until the message is sent again; below 1 it goes out at
  // the next step (0 when queued). Unused in the receive queue.
  std::int32_t countdown = 0;
  std::string body;
};
