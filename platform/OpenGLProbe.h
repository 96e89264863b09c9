// Finds the OpenGL the system offers, by creating a hidden window with a
// compatibility context and asking it. Used by the start-up system check.
#pragma once

#include <string>

namespace platform {

struct OpenGLInfo {
  bool found = false;      // a context could be created
  int major = 0;
  int minor = 0;
  std::string version;     // the driver's version text
  std::string renderer;    // the driver's renderer name
  std::string error;       // why no context could be created
};

OpenGLInfo ProbeOpenGL();

}  // namespace platform
