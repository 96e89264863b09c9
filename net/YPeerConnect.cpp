#include "net/YPeerConnect.h"

#include <utility>

#include "framework/YLock.h"
#include "platform/Clock.h"

namespace {

YPeerConnect::Clock ClockOrTicks(YPeerConnect::Clock clock) {
  if (clock) return clock;
  return [] { return platform::TickCount(); };
}

HelloTarget::LookUp LookUpOrSystem(HelloTarget::LookUp lookUp) {
  if (lookUp) return lookUp;
  return [](const std::string& host) { return platform::LookUpHost(host); };
}

}  // namespace

YPeerConnect::YPeerConnect(std::uint16_t basePort, const char* host)
    : YPeerConnect(Defaults(basePort, host)) {}

YPeerConnect::YPeerConnect(Options options)
    : clock_(ClockOrTicks(options.clock)),
      stepInterval_(options.stepInterval),
      target_(std::move(options.host), options.broadcastAddress, LookUpOrSystem(std::move(options.lookUp))),
      transport_(options.basePort, PeerLink::kPortCount),
      link_(options.basePort,
            options.startTick.value_or(options.clock ? clock_() : platform::BootTickCount())) {
  if (transport_.Usable()) thread_ = std::thread([this] { Run(); });
}

YPeerConnect::~YPeerConnect() {
  {
    std::lock_guard<std::mutex> hold(wakeLock_);
    stop_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

YPeerConnect::Options YPeerConnect::Defaults(std::uint16_t basePort, const char* host) {
  Options options;
  options.basePort = basePort;
  if (host) options.host = host;
  return options;
}

bool YPeerConnect::Send(std::string_view body) {
  YLock hold(lock_);
  return link_.Send(body);
}

std::string YPeerConnect::Receive() {
  YLock hold(lock_);
  return link_.Receive();
}

void YPeerConnect::Drop() {
  if (link_.Connected()) Process();
  YLock hold(lock_);
  link_.End();
}

bool YPeerConnect::Process() {
  // Only a searching link needs the hello's address; its look-up may take
  // long and must not hold the lock that Send and Receive wait for.
  std::uint32_t helloAddress = target_.BroadcastAddress();
  if (!link_.Connected() && !link_.Ended()) helloAddress = target_.Resolve();
  YLock hold(lock_);
  return link_.Step(transport_, clock_(), helloAddress);
}

// The first step runs at once, then one every step interval until the link
// ends or the owner stops the thread.
void YPeerConnect::Run() {
  std::unique_lock<std::mutex> hold(wakeLock_);
  while (!stop_) {
    hold.unlock();
    if (Process()) return;
    hold.lock();
    wake_.wait_for(hold, stepInterval_, [this] { return stop_; });
  }
}
