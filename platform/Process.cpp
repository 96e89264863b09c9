#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace platform {

void EndProcess(int exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace platform
