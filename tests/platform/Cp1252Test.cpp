// Conversion between UTF-8 and the Windows-1252 code page.
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

using platform::Cp1252ToUtf8;
using platform::Utf8ToCp1252;

std::string Byte(int value) {
  return std::string(1, static_cast<char>(value));
}

TEST(Cp1252Test, EveryDefinedByteSurvivesARoundTripTheOthersBecomeReplacements) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
      EXPECT_EQ(Cp1252ToUtf8(Byte(byte)), "\uFFFD") << "byte " << byte;
      continue;
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(Byte(byte))), Byte(byte)) << "byte " << byte;
    all += Byte(byte);
  }
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  const std::pair<int, const char*> known[] = {{0x80, "\u20AC"}, {0x8A, "\u0160"}, {0x92, "\u2019"},
                                               {0x9F, "\u0178"}, {0xE9, "\u00E9"}, {0xFF, "\u00FF"}};
  for (const auto& [byte, utf8] : known) EXPECT_EQ(Cp1252ToUtf8(Byte(byte)), utf8) << "byte " << byte;
}

TEST(Cp1252Test, CharactersOutsideTheCodePageAndMalformedSequencesAreDropped) {
  const std::pair<const char*, std::string> cases[] = {
      {"a\uFFFDb\u2713c", "abc"},        // the replacement character, a check mark
      {"x\U0001F600y", "xy"},            // four-byte emoji
      {"\u0100\u00FF", Byte(0xFF)},      // just past Latin-1
      {"\xC2\x80\xC2\x81\xC2\x9F", ""},  // C1 controls: 0x80..0x9F stand for other characters
      {"\x80!", "!"},                    // stray continuation
      {"\xE2\x82!", "!"},                // cut short
      {"\xE2(\xA1", "("},                // a bad continuation is not swallowed
      {"\xC3\xC3\xA9", Byte(0xE9)},      // restarts at the next lead byte
      {"\xC0\xAF\xE0\x80\xAF", ""},      // overlong
      {"\xED\xA0\x80", ""},              // surrogate
      {"\xF4\x90\x80\x80", ""},          // past U+10FFFF
      {"\xFF\xFEok\xC3", "ok"},          // never valid, cut at the end
  };
  for (const auto& [utf8, bytes] : cases) EXPECT_EQ(Utf8ToCp1252(utf8), bytes) << utf8;
}

}  // namespace
