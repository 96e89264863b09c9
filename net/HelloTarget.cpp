#include "net/HelloTarget.h"

#include <utility>

#include "framework/Log.h"

HelloTarget::HelloTarget(std::string host, const std::string& broadcast, LookUp lookUp)
    : host_(std::move(host)), lookUp_(std::move(lookUp)) {
  broadcast_ = lookUp_(broadcast).value_or(0xffffffffu);
}

std::uint32_t HelloTarget::Resolve() const {
  if (host_.empty()) return broadcast_;
  if (const auto address = lookUp_(host_)) return *address;
  Log::Printf("Unknown host: %s.\n", host_.c_str());
  return broadcast_;
}
