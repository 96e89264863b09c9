// Two in-memory ends of a peer link, for tests of the parties that talk over
// one: what one end sends the other receives, in order; a body over the
// link's limit is refused as the real link refuses it; both ends report the
// shared connected flag, the first end the master's role, the second the
// slave's.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "net/PeerChannel.h"

class MemoryPeerLink {
 public:
  class End final : public PeerChannel {
   public:
    End(MemoryPeerLink& link, int role) : link_(link), role_(role) {}

    bool Send(std::string_view body) override {
      if (body.size() > kMaxBody) return false;
      sent.emplace_back(body);
      Other().inbox_.emplace_back(body);
      return true;
    }
    std::string Receive() override {
      if (inbox_.empty()) return {};
      std::string body = std::move(inbox_.front());
      inbox_.pop_front();
      return body;
    }
    bool Connected() const override { return link_.connected; }
    int Role() const override { return role_; }

    std::vector<std::string> sent;  // every body this end sent

   private:
    End& Other() { return &link_.master == this ? link_.slave : link_.master; }

    MemoryPeerLink& link_;
    int role_;
    std::deque<std::string> inbox_;
  };

  MemoryPeerLink() = default;
  MemoryPeerLink(const MemoryPeerLink&) = delete;
  MemoryPeerLink& operator=(const MemoryPeerLink&) = delete;

  bool connected = true;
  End master{*this, 1};
  End slave{*this, 2};
};
