// Reading "WxH:bits@refresh" leniently.
#include "framework/DisplayModeText.h"

#include <gtest/gtest.h>

namespace {

void ExpectMode(std::string_view text, int w, int h, int bits, int refresh) {
  const DisplayModeRequest mode = ParseDisplayModeText(text);
  EXPECT_EQ(mode.width, w) << text;
  EXPECT_EQ(mode.height, h) << text;
  EXPECT_EQ(mode.bits, bits) << text;
  EXPECT_EQ(mode.refresh, refresh) << text;
}

TEST(ParseDisplayModeText, ReadsThePartsThatAreThere) {
  ExpectMode("1024x768:32@75", 1024, 768, 32, 75);
  ExpectMode("800x600", 800, 600, 0, 0);
  ExpectMode("800x600:16", 800, 600, 16, 0);
  ExpectMode("1280x1024@60", 1280, 1024, 0, 0);  // refresh only after bits
}

TEST(ParseDisplayModeText, WithoutAnXEverythingIsZero) {
  ExpectMode("", 0, 0, 0, 0);
  ExpectMode("1024*768:32@75", 0, 0, 0, 0);
}

TEST(ParseDisplayModeText, NumbersStopAtTheFirstOtherCharacter) {
  ExpectMode(" 1024 x768hz:32bit@85Hz", 1024, 768, 32, 85);
  ExpectMode("+640x480", 640, 480, 0, 0);
  ExpectMode("x:@", 0, 0, 0, 0);
}

TEST(ParseDisplayModeText, NegativeAndOversizedNumbersGiveZero) {
  ExpectMode("-800x600", 0, 600, 0, 0);
  ExpectMode("99999999999x600:32@99999999999", 0, 600, 32, 0);
}

}  // namespace
