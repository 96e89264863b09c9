// Reading the version numbers out of a driver's OpenGL version text.
#include "platform/OpenGLProbe.h"

#include <gtest/gtest.h>

TEST(ParseGLVersion, ReadsMajorAndMinorOfDriverTextsAndRejectsTheRest) {
  const std::pair<const char*, std::pair<int, int>> cases[] = {
      {"4.5 (Compatibility Profile) Mesa 22.3.6", {4, 5}},
      {"2.1.2 NVIDIA 340.108", {2, 1}},
      {"OpenGL ES 3.2 Mesa", {3, 2}},
      {"Mesa", {0, 0}},
      {"4 (no minor)", {0, 0}},
      {"4.", {0, 0}},
      {"99999999999.1", {0, 0}},
  };
  for (const auto& [text, expected] : cases) {
    int major = -1, minor = -1;
    EXPECT_EQ(platform::ParseGLVersion(text, major, minor), expected.first != 0) << text;
    EXPECT_EQ(std::pair(major, minor), expected) << text;
  }
}
