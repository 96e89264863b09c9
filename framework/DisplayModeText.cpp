#include "framework/DisplayModeText.h"

#include <charconv>

namespace {

int ReadNumber(std::string_view part) {
  std::size_t start = part.find_first_not_of(" \t");
  if (start == std::string_view::npos) return 0;
  if (part[start] == '+') ++start;
  int value = 0;
  const auto [end, error] = std::from_chars(part.data() + start, part.data() + part.size(), value);
  (void)end;
  return error == std::errc() && value > 0 ? value : 0;
}

// The text from `from` (exclusive) to `to` (exclusive; npos = the end).
std::string_view Between(std::string_view text, std::size_t from, std::size_t to) {
  const std::size_t begin = from + 1;
  if (begin > text.size()) return {};
  return text.substr(begin, to == std::string_view::npos ? std::string_view::npos : to - begin);
}

}  // namespace

DisplayModeRequest ParseDisplayModeText(std::string_view text) {
  DisplayModeRequest mode;
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return mode;
  const std::size_t colon = text.find(':', x);
  const std::size_t at = colon == std::string_view::npos ? colon : text.find('@', colon);
  mode.width = ReadNumber(text.substr(0, x));
  mode.height = ReadNumber(Between(text, x, colon));
  if (colon == std::string_view::npos) return mode;
  mode.bits = ReadNumber(Between(text, colon, at));
  if (at != std::string_view::npos) mode.refresh = ReadNumber(Between(text, at, std::string_view::npos));
  return mode;
}
