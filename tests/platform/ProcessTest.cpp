// Ending the process, its program folder, and signals that ask it to end.
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/support/TestSupport.h"

TEST(ProcessDeathTest, EndsWithTheGivenExitCodeWritingOutBufferedFileOutput) {
  testing_support::ScopedTempDir dir;
  const std::string log = dir.File("log.txt");
  EXPECT_EXIT(platform::EndProcess(0), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        std::FILE* file = std::fopen(log.c_str(), "w");
        std::fputs("last words\n", file);  // left open and unflushed on purpose
        platform::EndProcess(3);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(testing_support::ReadFile(log), "last words\n");
}

TEST(ProcessTest, ProgramFolderHoldsTheRunningProgram) {
  testing_support::ScopedTempDir elsewhere;
  testing_support::ScopedCwd cwd(elsewhere.Path());
  const std::filesystem::path folder = platform::ProgramFolder();
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "tests_platform")) << folder;
}

// A first SIGTERM or SIGINT only marks the request; a second one ends the process.
TEST(ProcessDeathTest, AFirstTerminationSignalIsMarkedASecondEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        platform::InstallTerminationHandlers();
        const bool before = platform::TerminationRequested();
        std::raise(SIGINT);
        std::_Exit(!before && platform::TerminationRequested() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        platform::InstallTerminationHandlers();
        std::raise(SIGTERM);
        std::raise(SIGTERM);
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
}
