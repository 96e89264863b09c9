// qv_lossyrelay --a <port> --b <port> [--share <percent>] [--seed <n>] [--seconds <n>]
//               [--swap <message>]
// Stands between two network games on this machine (tests/net/LossyRelay.h):
// binds port a, where game A's hellos arrive (a port of A's five), and port
// b (one of B's), forwards what each game sends to the other and drops,
// duplicates and holds back `share` % of the datagrams; with --swap the
// first board move leaves as that message. Each side's game is the source
// of the first datagram on its port. Writes "relay ready" once both ports
// are bound, then every second
//   relay received=<n> dropped=<n> duplicated=<n> held=<n> swapped=<n>
// and runs until it is ended or the seconds (600 by default) are up.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/net/LossyRelay.h"

namespace {

struct RelayOptions {
  long portA = 0;
  long portB = 0;
  int share = 0;
  unsigned long seed = 1;
  long seconds = 600;
  std::string swap;
};

bool ParseOptions(int argc, char** argv, RelayOptions& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    const char* value = argv[i + 1];
    if (arg == "--a")
      options.portA = std::atol(value);
    else if (arg == "--b")
      options.portB = std::atol(value);
    else if (arg == "--share")
      options.share = std::atoi(value);
    else if (arg == "--seed")
      options.seed = std::strtoul(value, nullptr, 10);
    else if (arg == "--seconds")
      options.seconds = std::atol(value);
    else if (arg == "--swap")
      options.swap = value;
    else
      return false;
  }
  const auto port = [](long p) { return p > 0 && p < 65536; };
  return argc % 2 == 1 && port(options.portA) && port(options.portB) && options.portA != options.portB &&
         options.share >= 0 && options.share <= 100 && options.seconds > 0;
}

void PrintTally(const net_testing::LossyRelay& relay) {
  const net_testing::LossyRelay::Counts& n = relay.Tally();
  std::fprintf(stderr, "relay received=%ld dropped=%ld duplicated=%ld held=%ld swapped=%ld\n", n.received,
               n.dropped, n.duplicated, n.held, n.swapped);
}

}  // namespace

int main(int argc, char** argv) {
  using Clock = std::chrono::steady_clock;
  RelayOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s --a <port> --b <port> [--share <percent>] [--seed <n>] [--seconds <n>] "
                 "[--swap <message>]\n",
                 argv[0]);
    return 2;
  }
  net_testing::LossyRelay relay;
  if (!relay.Open(static_cast<std::uint16_t>(options.portA), static_cast<std::uint16_t>(options.portB))) {
    std::fprintf(stderr, "relay: ports %ld and %ld cannot both be bound\n", options.portA, options.portB);
    return 1;
  }
  relay.MakeLossy(options.share, static_cast<std::uint32_t>(options.seed));
  if (!options.swap.empty()) relay.SwapFirstMove(options.swap);
  std::fprintf(stderr, "relay ready\n");
  const Clock::time_point end = Clock::now() + std::chrono::seconds(options.seconds);
  Clock::time_point told = Clock::now();
  while (Clock::now() < end) {
    relay.Pump();
    if (Clock::now() - told >= std::chrono::seconds(1)) {
      told = Clock::now();
      PrintTally(relay);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  PrintTally(relay);
  return 0;
}
