// The single-instance guard, within one process and across processes.
#include "platform/InstanceGuard.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

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
  // A missing folder guards nothing and refuses nothing.
  EXPECT_FALSE(InstanceGuard(dir.Str() + "/missing", kName).AlreadyExisted());
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
