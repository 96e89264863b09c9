// A network game end to end without a window: two processes of the
// headless network game (tests/modes/netgame/) find each other on
// 127.0.0.1, play the board game to its end and must report the same
// winner. A run that hangs is killed when the time is up.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "net/PeerLink.h"
#include "tests/e2e/GameProcess.h"
#include "tests/support/FreePorts.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace std::chrono_literals;

// The line of the run's report that starts with `prefix`, without it.
std::string Line(const std::string& report, const std::string& prefix) {
  const std::string text = "\n" + report;
  std::size_t at = text.rfind("\n" + prefix);
  if (at == std::string::npos) return "";
  at += 1 + prefix.size();
  return text.substr(at, text.find('\n', at) - at);
}

TEST(NetworkGameProcessTest, TwoProcessesPlayTheGameToItsEndAndAgreeOnTheWinner) {
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  const auto args = [base](int profile, int seed) {
    return std::vector<std::string>{
        "--port",        std::to_string(base),           "--broadcast", "127.255.255.255",
        "--profile",     std::to_string(profile),        "--seed",      std::to_string(seed),
        "--tick-offset", std::to_string(profile * 1000), "--timeout",   "100"};
  };
  testing_support::ScopedTempDir firstFolder, secondFolder;
  e2e::GameProcess first(firstFolder.Str(), "", args(0, 7));
  e2e::GameProcess second(secondFolder.Str(), "", args(1, 99));
  const std::optional<int> firstCode = first.Wait(120s);
  const std::optional<int> secondCode = second.Wait(firstCode ? 20s : 1s);
  const std::string reports = "first:\n" + first.Stderr() + "\nsecond:\n" + second.Stderr();
  ASSERT_EQ(firstCode, 0) << reports;
  ASSERT_EQ(secondCode, 0) << reports;

  const std::string firstResult = Line(first.Stderr(), "result ");
  EXPECT_NE(firstResult.find("winner="), std::string::npos) << reports;
  EXPECT_EQ(firstResult, Line(second.Stderr(), "result ")) << reports;
  EXPECT_EQ(firstResult.find("winner=none"), std::string::npos) << reports;
  EXPECT_EQ(firstResult.find("fights=0"), std::string::npos) << reports;
  EXPECT_NE(Line(first.Stderr(), "local="), Line(second.Stderr(), "local=")) << reports;
}

}  // namespace
