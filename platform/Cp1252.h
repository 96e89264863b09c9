// Conversion between UTF-8 (what the desktop speaks) and the Windows-1252
// code page (what the game's strings hold, one byte per character).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Characters with no Windows-1252 byte are dropped; malformed UTF-8
// sequences are dropped byte by byte.
std::string Utf8ToCp1252(std::string_view utf8);

// The character a byte stands for; 0 for the byte 0 and for the five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t Cp1252CodePoint(unsigned char byte);

// The five bytes Windows-1252 leaves undefined become U+FFFD.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace platform
