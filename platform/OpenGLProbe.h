// Finds the OpenGL the system offers, by creating a hidden window with a
// compatibility context and asking it. Used by the start-up system check.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct OpenGLInfo {
  bool found = false;  // a context could be created
  int major = 0;
  int minor = 0;
  std::string version;   // the driver's version text
  std::string renderer;  // the driver's renderer name
  std::string error;     // why no context could be created
};

// Creates a hidden window with an OpenGL 2.1 compatibility context and the
// game window's frame buffer and reads the driver's version and renderer
// texts (the answer is remembered for the graphics device, see
// GLAdapterProbe.h; the context is kept for the game window's device to
// take over, see GLContext::KeepAsSpare). Starts the video subsystem when
// needed.
// Main thread only.
OpenGLInfo ProbeOpenGL();

// The major and minor numbers at the start of an OpenGL version text
// ("4.5 (Compatibility Profile) Mesa 22.3.6" gives 4 and 5; a leading
// "OpenGL ES " is skipped). False, with both 0, when there are none.
bool ParseGLVersion(std::string_view text, int& major, int& minor);

}  // namespace platform
