// The operating system's version as the start-up log reports it.
#include "platform/OsVersion.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using platform::OsVersion;
using platform::ParseKernelRelease;

OsVersion Parsed(std::string_view release) {
  OsVersion v;
  v.major = v.minor = v.patch = -1;  // the parse must overwrite every number
  ParseKernelRelease(release, v);
  return v;
}

void ExpectNumbers(std::string_view release, int major, int minor, int patch) {
  const OsVersion v = Parsed(release);
  EXPECT_EQ(v.major, major) << release;
  EXPECT_EQ(v.minor, minor) << release;
  EXPECT_EQ(v.patch, patch) << release;
}

TEST(OsVersionTest, ReadsTheFirstThreeReleaseNumbersLeniently) {
  ExpectNumbers("6.1.0-18-amd64", 6, 1, 0);
  ExpectNumbers("5.15.153.1-microsoft-standard-WSL2", 5, 15, 153);
  ExpectNumbers("6.8.0+rpt-rpi", 6, 8, 0);
  ExpectNumbers("4.19", 4, 19, 0);
  ExpectNumbers("3", 3, 0, 0);
  ExpectNumbers("6.", 6, 0, 0);
  ExpectNumbers("", 0, 0, 0);
  ExpectNumbers("unknown", 0, 0, 0);
  ExpectNumbers("6.x.2", 6, 0, 0);
}

TEST(OsVersionTest, CapsNumbersTooLargeForAnInt) {
  ExpectNumbers("99999999999999999999.2147483647.2147483648", INT_MAX, INT_MAX, INT_MAX);
}

TEST(OsVersionTest, ThisSystemReportsItsKernel) {
  const OsVersion v = platform::QueryOsVersion();
  ASSERT_TRUE(v.known);
  EXPECT_EQ(v.system, "Linux");
  EXPECT_GE(v.major, 3);
  EXPECT_FALSE(v.detail.empty());
}

}  // namespace
