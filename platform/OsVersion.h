// The operating system's name and version, for the start-up log line.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct OsVersion {
  bool known = false;   // false when the system would not say
  std::string system;   // kernel name, such as "Linux"
  int major = 0;        // kernel release, first three numbers
  int minor = 0;
  int patch = 0;
  std::string detail;   // the kernel's build description
};

OsVersion QueryOsVersion();

// Reads the first three numbers of a kernel release text into major, minor
// and patch ("6.1.0-18-amd64" -> 6, 1, 0); numbers that are missing are 0,
// numbers too large for an int are capped.
void ParseKernelRelease(std::string_view release, OsVersion& version);

}  // namespace platform
