#include "framework/TextFormat.h"

// Copies the runs between conversions whole: error lines are formatted for
// every bad record of a data file.
std::string FormatText(std::string_view format, std::span<const std::string> args) {
  std::string out;
  out.reserve(format.size());
  std::size_t next = 0;
  std::size_t at = 0;
  while (at < format.size()) {
    const std::size_t percent = format.find('%', at);
    if (percent == std::string_view::npos) {
      out.append(format.substr(at));
      break;
    }
    out.append(format.substr(at, percent - at));
    const char conversion = percent + 1 < format.size() ? format[percent + 1] : '\0';
    at = percent + 2;
    if (conversion == '%') {
      out += '%';
    } else if (conversion == 's' || conversion == 'd') {
      if (next < args.size()) out += args[next++];
    } else {
      out += '%';  // not a conversion: the sign stays, the character after it is read next
      at = percent + 1;
    }
  }
  return out;
}
