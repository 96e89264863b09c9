// Ending the process on a fatal error.
#include "platform/Process.h"

#include <gtest/gtest.h>
#include <cstdio>

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
