// The rules of the two-party peer link, free of threads, sockets and
// clocks: discovery by hellos, the version check, master and slave roles,
// numbered messages acknowledged and resent until acknowledged, delivery in
// order, keep-alive and time-out. Each step is given the time and a
// transport; YPeerConnect runs it on a thread under its lock, tests drive
// it with a fake clock and an in-memory network.
//
// Not thread-safe: the owner serialises Send, Receive and Step. Connected,
// Role and Ended may be read from any thread at any time.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "net/PeerChannel.h"
#include "net/PeerDatagram.h"
#include "net/PeerMessage.h"
#include "net/PeerTransport.h"
#include "platform/UdpSocket.h"

class PeerLink {
 public:
  static constexpr std::int32_t kProtocolVersion = 1;
  // Longest message body; longer ones are refused by Send.
  static constexpr std::size_t kMaxBody = PeerChannel::kMaxBody;
  // Ports base .. base + kPortCount - 1 are bound and searched by hellos.
  static constexpr int kPortCount = 5;
  // Hellos sent to one port before the search moves to the next.
  static constexpr int kHellosPerPort = 11;
  static constexpr std::int32_t kResendMs = 1000;
  static constexpr std::int32_t kPulsMs = 1000;
  static constexpr std::int32_t kTimeoutMs = 10000;
  // The time the very first step counts.
  static constexpr std::int32_t kFirstStepMs = 10;
  // Datagrams read per step at most. A step drains what waits, so that a
  // flood from a third address cannot fill the socket's buffer and push
  // the peer's datagrams out, yet a flood faster than the thread reads
  // cannot hold a step (and the lock) for more than a few milliseconds.
  static constexpr int kDatagramsPerStep = 4096;
  // Messages are accepted only this far ahead of the next one expected,
  // which bounds the receive queue; later ones wait for their resend.
  static constexpr std::int32_t kReceiveWindow = 4096;

  // The values of Role.
  enum : int { kNoRole = 0, kMaster = 1, kSlave = 2 };

  // A link that is not connected yet; `startTick` is its identity and
  // tie-break, `basePort` the first port the hellos search.
  PeerLink(std::uint16_t basePort, std::uint32_t startTick);
  PeerLink(const PeerLink&) = delete;
  PeerLink& operator=(const PeerLink&) = delete;

  // Queues `body` for delivery in order, to be sent at the next step. A
  // body over kMaxBody bytes is logged and refused (false), so that no cut
  // message ever leaves; so is an empty one, which the receiver could not
  // tell from no message. Once the link has ended it refuses every body,
  // so that a game that goes on sending cannot fill memory.
  bool Send(std::string_view body);
  // The body of the next message in order, removed from the queue; empty
  // when that message has not arrived.
  std::string Receive();

  // One step at time `now` (milliseconds, wrapping at 2^32): time-out,
  // the received datagrams that wait, at most kDatagramsPerStep (a receive
  // error ends the reading, not the step), then a hello to `helloAddress`
  // at the current hello port while not connected, or the due messages and
  // keep-alive while connected. True once the link has ended (timed out); an ended
  // link stays ended and does nothing more.
  bool Step(PeerTransport& transport, std::uint32_t now, std::uint32_t helloAddress);

  // Ends the link now, as a time-out would, without a word to the peer:
  // it stops answering and so loses the link at its own time-out.
  void End();

  bool Connected() const { return connected_.load(); }
  int Role() const { return role_.load(); }
  bool Ended() const { return ended_.load(); }

  std::uint32_t StartTick() const { return startTick_; }
  std::uint16_t HelloPort() const { return helloPort_; }
  const platform::UdpEndpoint& Peer() const { return peer_; }
  std::size_t SendQueueSize() const { return sendQueue_.size(); }
  std::size_t ReceiveQueueSize() const { return receiveQueue_.size(); }

 private:
  std::int32_t Advance(std::uint32_t now);
  bool TimedOut(std::int32_t dt);
  void ReceiveWaiting(PeerTransport& transport);
  void Handle(PeerTransport& transport, std::string_view bytes, const platform::UdpEndpoint& from);
  void HandleConnected(const PeerDatagram& datagram, const platform::UdpEndpoint& from);
  void HandleHello(PeerTransport& transport, const PeerDatagram& datagram, const platform::UdpEndpoint& from);
  void HandleMess(PeerTransport& transport, const PeerDatagram& datagram);
  void HandleOk(const PeerDatagram& datagram);
  bool Accepts(std::int32_t sequence) const;
  void ConnectTo(const platform::UdpEndpoint& from, std::int32_t remoteTick);
  void SendHello(PeerTransport& transport, std::uint32_t address);
  void SendDue(PeerTransport& transport, std::int32_t dt);

  const std::uint32_t startTick_;
  const std::uint16_t basePort_;
  std::uint16_t helloPort_;
  int helloCount_ = 0;
  std::int32_t nextOut_ = 0;
  std::int32_t nextIn_ = 0;
  std::int32_t silenceMs_ = 0;
  std::int32_t idleMs_ = 0;
  bool stepped_ = false;
  std::uint32_t lastStep_ = 0;
  platform::UdpEndpoint peer_;
  // The start tick of the peer's link that this one was made with.
  std::int32_t peerTick_ = 0;
  std::atomic<bool> connected_{false};
  std::atomic<bool> ended_{false};
  std::atomic<int> role_{kNoRole};
  // Sorted by ascending sequence number, every number at least nextIn_.
  std::deque<PeerMessage> receiveQueue_;
  std::vector<PeerMessage> sendQueue_;
};
