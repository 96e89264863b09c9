// The peer link of a network game: a UDP socket, the link's rules
// (PeerLink) and a thread that steps them every 100 ms. The game mode
// creates one link to look for the other machine and deletes it when the
// game ends; the game mode and the network commanders send and poll text
// messages through it and read whether it is connected and its role.
//
// Threads: the link thread steps under the link's lock; Send, Receive and
// Process take the same lock from any thread. Connected and Role read
// atomics and take no lock.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "framework/YCriticalSection.h"
#include "net/HelloTarget.h"
#include "net/PeerChannel.h"
#include "net/PeerLink.h"
#include "net/SocketLayerUse.h"
#include "net/SocketTransport.h"

class YPeerConnect : public PeerChannel {
 public:
  // A millisecond tick counter that wraps at 2^32.
  using Clock = std::function<std::uint32_t()>;

  struct Options {
    std::uint16_t basePort = 10000;
    // The host name or dotted address to look for; empty: broadcast search.
    std::string host;
    std::string broadcastAddress = "255.255.255.255";
    Clock clock;  // empty: platform::TickCount
    // The link's identity. Empty: the clock at construction when a clock is
    // given, else the machine's milliseconds since it started: one clock for
    // every program, so two links share a tick only when made in the same
    // millisecond, however long their programs have run.
    std::optional<std::uint32_t> startTick;
    HelloTarget::LookUp lookUp;  // empty: platform::LookUpHost
    std::chrono::milliseconds stepInterval{100};
  };

  // Looks for `host` (null or empty: any peer, by broadcast) from the first
  // free port of basePort .. basePort + 4. The link thread starts unless the
  // socket could not be set up; such a link never connects.
  YPeerConnect(std::uint16_t basePort, const char* host);
  explicit YPeerConnect(Options options);
  // Stops the link thread (a step under way finishes first, with a name
  // look-up it may be waiting for) and joins it, then closes the socket.
  // Safe in every state, also after a time-out.
  ~YPeerConnect() override;
  YPeerConnect(const YPeerConnect&) = delete;
  YPeerConnect& operator=(const YPeerConnect&) = delete;

  // Queues a body for delivery in order; false (and a log line) for an
  // empty body or one over PeerLink::kMaxBody bytes, which is not sent, and
  // false once the link has ended. Any thread.
  bool Send(std::string_view body) override;
  // The next body in order, or empty when it has not arrived. Any thread.
  std::string Receive() override;
  // Runs one step at once, sending what was queued just before; the link
  // thread runs the same steps. True once the link has ended. Any thread;
  // while not connected a step looks the host up, which may block.
  bool Process();
  // Ends the link at once, after one step that sends what was queued just
  // before (such as a farewell) while connected: nothing more is sent,
  // answered or taken, so the peer loses the link at its time-out. Any
  // thread.
  void Drop() override;

  // True while the two sides are linked; false before and after a time-out.
  bool Connected() const override { return link_.Connected(); }
  // 0 before the link is made, then PeerLink::kMaster or PeerLink::kSlave.
  int Role() const override { return link_.Role(); }
  // The port the socket is bound to (0 when it is not).
  std::uint16_t LocalPort() const { return transport_.LocalPort(); }
  std::uint32_t StartTick() const { return link_.StartTick(); }

 private:
  static Options Defaults(std::uint16_t basePort, const char* host);
  void Run();

  SocketLayerUse socketUse_;
  Clock clock_;
  const std::chrono::milliseconds stepInterval_;
  HelloTarget target_;
  SocketTransport transport_;
  YCriticalSection lock_;
  PeerLink link_;
  std::mutex wakeLock_;
  std::condition_variable wake_;
  bool stop_ = false;  // guarded by wakeLock_
  std::thread thread_;
};
