// Reading the version numbers out of a driver's OpenGL version text.
#include "platform/OpenGLProbe.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ParseGLVersion, ReadsMajorAndMinorOfDriverTexts) {
  int major = -1, minor = -1;
  ASSERT_TRUE(ParseGLVersion("4.5 (Compatibility Profile) Mesa 22.3.6", major, minor));
  EXPECT_EQ(major, 4);
  EXPECT_EQ(minor, 5);
  ASSERT_TRUE(ParseGLVersion("2.1.2 NVIDIA 340.108", major, minor));
  EXPECT_EQ(major, 2);
  EXPECT_EQ(minor, 1);
  ASSERT_TRUE(ParseGLVersion("OpenGL ES 3.2 Mesa", major, minor));
  EXPECT_EQ(major, 3);
  EXPECT_EQ(minor, 2);
}

TEST(ParseGLVersion, RejectsTextsWithoutAVersion) {
  int major = -1, minor = -1;
  EXPECT_FALSE(ParseGLVersion("", major, minor));
  EXPECT_EQ(major, 0);
  EXPECT_EQ(minor, 0);
  EXPECT_FALSE(ParseGLVersion("Mesa", major, minor));
  EXPECT_FALSE(ParseGLVersion("4 (no minor)", major, minor));
  EXPECT_FALSE(ParseGLVersion("4.", major, minor));
  EXPECT_FALSE(ParseGLVersion("99999999999.1", major, minor));
}

}  // namespace
}  // namespace platform
