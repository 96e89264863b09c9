// What a party of a network game needs of the peer link: send a text
// message, take the next one that arrived for it, read whether the link is
// up and which role it took, and give the link up. The link itself
// (YPeerConnect) and the mailboxes of its message router are channels, and
// tests join two parties by an in-memory pair. Which thread may call is the
// implementation's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class PeerChannel {
 public:
  // The longest message body a channel carries.
  static constexpr std::size_t kMaxBody = 200;

  virtual ~PeerChannel() = default;

  // Queues `body` for delivery in order; false (and nothing sent) when the
  // channel refuses it, such as an empty body or one over the link's
  // length limit.
  virtual bool Send(std::string_view body) = 0;
  // The next message in order, removed from the channel; empty when none
  // has arrived.
  virtual std::string Receive() = 0;
  // True while the two sides are linked.
  virtual bool Connected() const = 0;
  // 0 before the link is made, then 1 master or 2 slave.
  virtual int Role() const = 0;
  // Gives the link up at once, when the peer's messages cannot be followed:
  // what was sent just before still leaves, then it is not connected here,
  // and the peer loses it too. A channel that cannot be given up ignores it.
  virtual void Drop() {}
};
