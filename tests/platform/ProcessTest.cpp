// Ending the process on a fatal error.
#include "platform/Process.h"

#include <cstdio>
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using platform::EndProcess;

TEST(ProcessDeathTest, EndsWithTheGivenExitCode) {
  EXPECT_EXIT(EndProcess(3), ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(EndProcess(0), ::testing::ExitedWithCode(0), "");
}

TEST(ProcessDeathTest, WritesOutBufferedFileOutput) {
  testing_support::ScopedTempDir dir;
  const std::string log = dir.File("log.txt");
  EXPECT_EXIT(
      {
        std::FILE* file = std::fopen(log.c_str(), "w");
        std::fputs("last words\n", file);  // left open and unflushed on purpose
        EndProcess(1);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(testing_support::ReadFile(log), "last words\n");
}

}  // namespace
