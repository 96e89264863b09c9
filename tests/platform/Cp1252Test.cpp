// Conversion between UTF-8 and the Windows-1252 code page.
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

using platform::Cp1252ToUtf8;
using platform::Utf8ToCp1252;

bool IsUndefinedByte(int byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

std::string Byte(int value) { return std::string(1, static_cast<char>(value)); }

TEST(Cp1252Test, EveryDefinedByteSurvivesARoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    if (IsUndefinedByte(byte)) continue;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(Byte(byte))), Byte(byte)) << "byte " << byte;
    all += Byte(byte);
  }
  ASSERT_EQ(all.size(), 251u);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252Test, HighBytesBecomeTheirProperCharacters) {
  EXPECT_EQ(Cp1252ToUtf8(Byte(0x80)), "\u20AC");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0x8A)), "\u0160");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0x92)), "\u2019");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0x99)), "\u2122");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0x9F)), "\u0178");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0xA0)), "\u00A0");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0xE9)), "\u00E9");
  EXPECT_EQ(Cp1252ToUtf8(Byte(0xFF)), "\u00FF");
  EXPECT_EQ(Cp1252ToUtf8(std::string("A\0z", 3)), std::string("A\0z", 3));
}

TEST(Cp1252Test, UndefinedBytesBecomeTheReplacementCharacter) {
  for (int byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Cp1252ToUtf8(Byte(byte)), "\uFFFD") << "byte " << byte;
  }
  EXPECT_EQ(Utf8ToCp1252("a\uFFFDb"), "ab");
}

TEST(Cp1252Test, CharactersOutsideTheCodePageAreDropped) {
  EXPECT_EQ(Utf8ToCp1252("a\u2713b"), "ab");           // check mark
  EXPECT_EQ(Utf8ToCp1252("x\U0001F600y"), "xy");       // four-byte emoji
  EXPECT_EQ(Utf8ToCp1252("\u0100\u00FF"), Byte(0xFF));  // just past Latin-1
  // The C1 controls have no byte: 0x80..0x9F stand for other characters.
  EXPECT_EQ(Utf8ToCp1252("\xC2\x80\xC2\x81\xC2\x9F"), "");
  EXPECT_EQ(Utf8ToCp1252("5 \u20AC"), "5 " + Byte(0x80));
}

TEST(Cp1252Test, MalformedSequencesAreDroppedWithoutSwallowingWhatFollows) {
  EXPECT_EQ(Utf8ToCp1252("\x80" "a"), "a");                  // stray continuation
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82" "A"), "A");              // cut short
  EXPECT_EQ(Utf8ToCp1252("\xE2(\xA1"), "(");                 // bad continuation
  EXPECT_EQ(Utf8ToCp1252("\xC3\xC3\xA9"), Byte(0xE9));       // restarts at next lead
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF\xE0\x80\xAF"), "");       // overlong
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "");               // surrogate
  EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "");           // past U+10FFFF
  EXPECT_EQ(Utf8ToCp1252("\xFF\xFE" "ok\xC3"), "ok");        // never valid, cut at end
}

}  // namespace
