// qv_netgame --port <base> [--broadcast <address>] [--host <address>] [--profile N] [--seed N]
//            [--tick-offset N] [--timeout <seconds>]
// One machine of a network game without a window (NetGameRun.h). It lives
// in the program folder; the link stays on this machine: the broadcast
// address must be a 127.x.x.x one.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/modes/netgame/NetGameRun.h"

namespace {

bool ParseOptions(int argc, char** argv, NetGameOptions& options) {
  long port = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    const std::string value = argv[i + 1];
    if (arg == "--port")
      port = std::atol(value.c_str());
    else if (arg == "--broadcast")
      options.broadcastAddress = value;
    else if (arg == "--host")
      options.host = value;
    else if (arg == "--profile")
      options.profile = std::atoi(value.c_str());
    else if (arg == "--seed")
      options.seed = static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
    else if (arg == "--tick-offset")
      options.tickOffset = static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
    else if (arg == "--timeout")
      options.timeoutSeconds = std::atoi(value.c_str());
    else
      return false;
  }
  options.basePort = static_cast<std::uint16_t>(port);
  return argc % 2 == 1 && port > 0 && port < 65531 && options.broadcastAddress.rfind("127.", 0) == 0 &&
         options.profile >= 0 && options.timeoutSeconds > 0;
}

}  // namespace

int main(int argc, char** argv) {
  NetGameOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(
        stderr,
        "usage: %s --port <base> [--broadcast 127.x.x.x] [--host <address>] [--profile N] [--seed N] "
        "[--tick-offset N] [--timeout <seconds>]\n",
        argv[0]);
    return 2;
  }
  return RunNetGame(options);
}
