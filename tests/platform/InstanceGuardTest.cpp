// The single-instance guard, within one process and across processes.
#include "platform/InstanceGuard.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using platform::InstanceGuard;
using testing_support::ScopedTempDir;

constexpr const char* kName = "QuennelVarrickMutex";

// Runs `body` in a forked child and returns the child's exit code.
template <typename Body>
int ExitCodeOfChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InstanceGuardTest, SecondGuardInTheSameProcessFindsTheFirst) {
  ScopedTempDir dir;
  InstanceGuard first(dir.Str(), kName);
  InstanceGuard second(dir.Str(), kName);
  InstanceGuard other(dir.Str(), "OtherMutex");
  EXPECT_FALSE(first.AlreadyExisted());
  EXPECT_TRUE(second.AlreadyExisted());
  EXPECT_FALSE(other.AlreadyExisted());
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "QuennelVarrickMutex.lock"));
}

TEST(InstanceGuardTest, ReleasedWhenTheHolderGoesButNotWhenARefusedGuardGoes) {
  ScopedTempDir dir;
  {
    InstanceGuard first(dir.Str(), kName);
    { InstanceGuard refused(dir.Str(), kName); }
    InstanceGuard again(dir.Str(), kName);
    EXPECT_TRUE(again.AlreadyExisted());
  }
  InstanceGuard later(dir.Str(), kName);
  EXPECT_FALSE(later.AlreadyExisted());
}

TEST(InstanceGuardTest, MissingFolderGuardsNothingAndRefusesNothing) {
  ScopedTempDir dir;
  InstanceGuard guard(dir.Str() + "/missing", kName);
  EXPECT_FALSE(guard.AlreadyExisted());
}

TEST(InstanceGuardTest, AnotherProcessFindsTheHeldGuard) {
  ScopedTempDir dir;
  InstanceGuard held(dir.Str(), kName);
  ASSERT_FALSE(held.AlreadyExisted());
  const int code = ExitCodeOfChild([&] { return InstanceGuard(dir.Str(), kName).AlreadyExisted() ? 1 : 0; });
  EXPECT_EQ(code, 1);
}

TEST(InstanceGuardTest, AKilledHolderReleasesTheGuard) {
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
