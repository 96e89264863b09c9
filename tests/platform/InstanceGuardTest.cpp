// The single-instance guard, within one process and across processes.
#include "platform/InstanceGuard.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/TestSupport.h"

namespace {

using platform::InstanceGuard;
using testing_support::ScopedTempDir;

constexpr const char* kName = "QuennelVarrickMutex";

TEST(InstanceGuardTest, ConflictsInTheSameProcessUntilTheHolderGoes) {
  ScopedTempDir dir;
  {
    InstanceGuard first(dir.Str(), kName);
    EXPECT_FALSE(first.AlreadyExisted());
    EXPECT_FALSE(InstanceGuard(dir.Str(), "OtherMutex").AlreadyExisted());
    { InstanceGuard refused(dir.Str(), kName); }  // a refused guard going releases nothing
    EXPECT_TRUE(InstanceGuard(dir.Str(), kName).AlreadyExisted());
  }
  EXPECT_FALSE(InstanceGuard(dir.Str(), kName).AlreadyExisted());
  // A guard that cannot be taken refuses nothing and says so: whether
  // another copy runs is then unknown.
  for (const std::string& folder : {dir.Str() + "/missing", dir.Str() + "/lock"}) {
    std::filesystem::create_directories(dir.Path() / "lock" / "QuennelVarrickMutex.lock");
    InstanceGuard unknown(folder, kName);
    EXPECT_FALSE(unknown.AlreadyExisted()) << folder;
    EXPECT_TRUE(unknown.Failed()) << folder;
    EXPECT_NE(unknown.Failure().find(folder + "/QuennelVarrickMutex.lock cannot be opened: "), std::string::npos)
        << unknown.Failure();
  }
  EXPECT_FALSE(InstanceGuard(dir.Str(), kName).Failed());
}

// Copies that share the guard keep a later one out after the first goes,
// and each holds the lowest number free when it joined.
TEST(InstanceGuardTest, SharedGuardsOutliveTheFirstAndNumberTheCopies) {
  ScopedTempDir dir;
  auto first = std::make_unique<InstanceGuard>(dir.Str(), kName);
  EXPECT_EQ(first->Share(), 1);
  InstanceGuard beside(dir.Str(), kName);
  ASSERT_TRUE(beside.AlreadyExisted());
  EXPECT_EQ(beside.Share(), 2);
  first.reset();
  InstanceGuard third(dir.Str(), kName);
  EXPECT_TRUE(third.AlreadyExisted());
  EXPECT_EQ(third.Share(), 1);
}

TEST(InstanceGuardTest, AnotherProcessHoldsTheGuardUntilItIsKilled) {
  ScopedTempDir dir;
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    InstanceGuard holder(dir.Str(), kName);
    const char held = holder.AlreadyExisted() ? 'n' : 'y';
    if (write(ready[1], &held, 1) != 1) _exit(2);
    for (;;) pause();
  }
  close(ready[1]);
  char held = 0;
  ASSERT_EQ(read(ready[0], &held, 1), 1);
  close(ready[0]);
  EXPECT_EQ(held, 'y');
  EXPECT_TRUE(InstanceGuard(dir.Str(), kName).AlreadyExisted());
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_FALSE(InstanceGuard(dir.Str(), kName).AlreadyExisted());
}

}  // namespace
