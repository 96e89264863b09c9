#include "platform/Cp1252.h"

#include <array>
#include <optional>

namespace platform {

char32_t Cp1252CodePoint(unsigned char byte);

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kUndefined = 0;

// The characters of bytes 0x80..0x9F; every other byte is the code point of
// the same number. kUndefined marks the five bytes the code page leaves open.
constexpr std::array<char32_t, 32> kHighControlBlock = {
    0x20AC, kUndefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,  // 88-8F
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178,  // 98-9F
};

char32_t CharacterOfByte(unsigned char byte) {
  const char32_t c = Cp1252CodePoint(byte);
  return (c == kUndefined && byte != 0) ? kReplacement : c;
}

// The byte for a code point, or nothing when the code page has none. U+0080
// to U+009F are not in it: their bytes stand for the characters above.
std::optional<unsigned char> ByteOfCharacter(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
    if (kHighControlBlock[i] != kUndefined && kHighControlBlock[i] == c)
      return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {  // every character of the code page lies below U+10000
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

struct Decoded {
  char32_t character;
  std::size_t length;
};

// Length of a UTF-8 sequence from its lead byte; 0 for a byte that cannot
// start one (a continuation byte, C0, C1 or F5 and above).
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes the sequence starting at `pos`. Nothing when it is cut short, has
// a bad continuation byte, is overlong, is a surrogate or lies past U+10FFFF.
std::optional<Decoded> DecodeAt(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || pos + length > text.size()) return std::nullopt;
  if (length == 1) return Decoded{lead, 1};
  char32_t c = lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLowest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return Decoded{c, length};
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::optional<Decoded> decoded = DecodeAt(utf8, pos);
    if (!decoded) {
      ++pos;  // drop one byte and look for a sequence at the next
      continue;
    }
    pos += decoded->length;
    if (const auto byte = ByteOfCharacter(decoded->character)) bytes.push_back(static_cast<char>(*byte));
  }
  return bytes;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size() * 2);
  for (char byte : bytes) AppendUtf8(utf8, CharacterOfByte(static_cast<unsigned char>(byte)));
  return utf8;
}

char32_t Cp1252CodePoint(unsigned char byte) {
  if (byte < 0x80 || byte > 0x9F) return byte;
  return kHighControlBlock[byte - 0x80];
}

}  // namespace platform
