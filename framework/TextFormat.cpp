#include "framework/TextFormat.h"

std::string FormatText(std::string_view format, std::span<const std::string> args) {
  std::string out;
  out.reserve(format.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    const char conversion = i + 1 < format.size() ? format[i + 1] : '\0';
    if (c != '%' || (conversion != 's' && conversion != 'd' && conversion != '%')) {
      out += c;
      continue;
    }
    ++i;
    if (conversion == '%') {
      out += '%';
    } else if (next < args.size()) {
      out += args[next++];
    }
  }
  return out;
}
