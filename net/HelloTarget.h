// Where the peer link's hellos go: the host the player named, looked up
// afresh for every hello, or the broadcast address when no host was named
// or the name cannot be found.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class HelloTarget {
 public:
  // Finds the address of a host name or dotted address; nullopt when unknown.
  using LookUp = std::function<std::optional<std::uint32_t>(const std::string& host)>;

  // `host` empty means a broadcast search. `broadcast` is the dotted
  // broadcast address; one that does not convert counts as all ones.
  HelloTarget(std::string host, const std::string& broadcast, LookUp lookUp);

  // The address of the next hello. A host that cannot be looked up logs
  // "Unknown host: %s.\n" and gives the broadcast address. May block on a
  // name look-up: call it outside any lock.
  std::uint32_t Resolve() const;

  const std::string& Host() const { return host_; }
  std::uint32_t BroadcastAddress() const { return broadcast_; }

 private:
  std::string host_;
  std::uint32_t broadcast_;
  LookUp lookUp_;
};
