// A copy of a file killed part way (the first start's seeding of the user
// folder, cut short by a crash): the target is missing or whole, never a
// part that every later copy would keep.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

TEST(CopyKilledTest, ACopyKilledPartWayLeavesNoPartialTargetAndALaterCopyMakesIt) {
  ScopedTempDir dir;
  std::string bytes(8 << 20, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 300);
  WriteFile(dir.Path() / "src", bytes);
  const std::string source = dir.Str() + "\\src", target = dir.Str() + "\\dst";
  // The kills are spread over a whole copy's time and a little beyond.
  const auto begun = std::chrono::steady_clock::now();
  ASSERT_TRUE(platform::CopyFileKeepExisting(source, dir.Str() + "\\whole"));
  const auto took = std::chrono::steady_clock::now() - begun;
  constexpr int kKills = 12;
  for (int kill = 0; kill < kKills; ++kill) {
    fs::remove(dir.Path() / "dst");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      platform::CopyFileKeepExisting(source, target);
      ::_exit(0);
    }
    std::this_thread::sleep_for(took * kill * 3 / (2 * kKills));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (fs::exists(dir.Path() / "dst")) {
      EXPECT_TRUE(ReadFile(dir.Path() / "dst") == bytes) << "killed at " << kill << "/" << kKills << " of a copy";
    }
  }
  fs::remove(dir.Path() / "dst");
  EXPECT_TRUE(platform::CopyFileKeepExisting(source, target));  // over what a killed copy left
  EXPECT_TRUE(ReadFile(dir.Path() / "dst") == bytes);
}

}  // namespace
