// Two in-memory ends of a peer link: each receives what the other sent, in
// order; an empty body or one over the link's limit is refused like the
// real link does; the first end is the master, the second the slave.
// Giving the link up at either end disconnects both.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "net/PeerChannel.h"

struct MemoryPeerLink {
  struct End final : PeerChannel {
    End(MemoryPeerLink& link, int role) : link(link), role(role) {}
    bool Send(std::string_view body) override {
      if (body.empty() || body.size() > kMaxBody) return false;
      (this == &link.master ? link.slave : link.master).inbox.emplace_back(sent.emplace_back(body));
      return true;
    }
    std::string Receive() override {
      std::string body = inbox.empty() ? std::string() : std::move(inbox.front());
      if (!inbox.empty()) inbox.pop_front();
      return body;
    }
    bool Connected() const override { return link.connected; }
    int Role() const override { return role; }
    // Both ends lose the link at once, as the peer would at its time-out.
    void Drop() override { link.connected = false; }
    MemoryPeerLink& link;
    int role;
    std::deque<std::string> inbox;
    std::vector<std::string> sent;
  };
  bool connected = true;
  End master{*this, 1}, slave{*this, 2};
};
