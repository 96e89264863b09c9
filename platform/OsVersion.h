// The operating system's name and version, for the start-up log line.
#pragma once

#include <string>

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

}  // namespace platform
