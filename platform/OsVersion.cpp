#include "platform/OsVersion.h"

#include <sys/utsname.h>

#include <climits>

namespace platform {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the digits at `pos` (advancing it) as a number capped at INT_MAX.
int ReadNumber(std::string_view text, std::size_t& pos) {
  int value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    const int digit = text[pos] - '0';
    value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
  }
  return value;
}

}  // namespace

void ParseKernelRelease(std::string_view release, OsVersion& version) {
  int* const fields[] = {&version.major, &version.minor, &version.patch};
  for (int* field : fields) *field = 0;
  std::size_t pos = 0;
  for (int* field : fields) {
    if (pos >= release.size() || !IsDigit(release[pos])) return;
    *field = ReadNumber(release, pos);
    if (pos >= release.size() || release[pos] != '.') return;
    ++pos;
  }
}

OsVersion QueryOsVersion() {
  OsVersion version;
  utsname names{};
  if (::uname(&names) != 0) return version;
  version.known = true;
  version.system = names.sysname;
  version.detail = names.version;
  ParseKernelRelease(names.release, version);
  return version;
}

}  // namespace platform
