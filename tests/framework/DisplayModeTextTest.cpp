// Reading "WxH:bits@refresh" leniently.
#include "framework/DisplayModeText.h"

#include <gtest/gtest.h>

#include <array>

TEST(ParseDisplayModeText, ReadsThePartsThatAreThereLeniently) {
  const std::pair<const char*, std::array<int, 4>> cases[] = {
      {"1024x768:32@75", {1024, 768, 32, 75}},
      {"800x600:16", {800, 600, 16, 0}},
      {"1280x1024@60", {1280, 1024, 0, 0}},              // refresh only after bits
      {"1024*768:32@75", {0, 0, 0, 0}},                  // without an x everything is zero
      {" 1024 x768hz:32bit@85Hz", {1024, 768, 32, 85}},  // numbers stop at the first other character
      {"-800x600", {0, 600, 0, 0}},                      // negative and oversized numbers give zero
      {"99999999999x600:32@99999999999", {0, 600, 32, 0}},
  };
  for (const auto& [text, expected] : cases) {
    const DisplayModeRequest mode = ParseDisplayModeText(text);
    EXPECT_EQ((std::array<int, 4>{mode.width, mode.height, mode.bits, mode.refresh}), expected) << text;
  }
}
