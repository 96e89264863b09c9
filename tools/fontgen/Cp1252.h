// The Unicode characters of the Windows-1252 code page, the byte encoding of
// every game text.
#pragma once

#include <array>
#include <cstdint>

// The code point of the character a byte draws; 0 for the control bytes
// (0-31 and 127) and the five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D). Bytes outside 0x80-0x9F are their own code point
// (ISO 8859-1).
constexpr std::uint32_t Cp1252CodePoint(std::uint8_t byte) {
  if (byte < 0x20 || byte == 0x7F) return 0;
  constexpr std::array<std::uint16_t, 32> kHigh = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,   // 80-87
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,        // 88-8F
      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,   // 90-97
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};  // 98-9F
  return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : byte;
}
