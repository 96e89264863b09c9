// Fills texts that come from data files (locale strings, readers' error
// lines) and hold printf-style conversions. Only "%s" and "%d" are replaced,
// each by the next argument in order; nothing ever reads an argument that was
// not given, so a translated text with one conversion too many stays safe.
#pragma once

#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// "%s" and "%d" take the next argument (an empty text once they run out),
// "%%" is one percent sign, and any other "%" is written as it stands.
std::string FormatText(std::string_view format, std::span<const std::string> args);

namespace text_format_detail {
inline std::string ToArgument(std::string_view text) { return std::string(text); }
inline std::string ToArgument(const char* text) { return text != nullptr ? std::string(text) : std::string(); }
template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, char>)
std::string ToArgument(T value) {
  return std::to_string(value);
}
}  // namespace text_format_detail

// FormatText with its arguments given as texts and integers.
template <typename... Args>
std::string FormatTextArgs(std::string_view format, const Args&... args) {
  const std::vector<std::string> list{text_format_detail::ToArgument(args)...};
  return FormatText(format, list);
}
