// What the desktop's OpenGL offers the graphics device: the driver's names
// and version and the depth and stencil bits of a window's frame buffer. The
// display-mode checks ask it before any device exists, so without a current
// context it asks a hidden window once and remembers the answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

struct GLAdapterInfo {
  std::string vendor, renderer, version;  // the driver's texts
  int depthBits = 0;
  int stencilBits = 0;
};

// From the current context when there is one, else from a hidden window
// with the frame buffer every game window asks for (remembered after the
// first success). False without a display or a context. Main thread only.
bool QueryGLAdapter(GLAdapterInfo& info);
// Always from the hidden window (asked once, remembered after the first
// success): what a game window will get before any exists. False, with
// the reason in `error`, without a display or a context.
bool ProbeGLAdapter(GLAdapterInfo& info, std::string& error);

// Whether a frame buffer with these bits gives at least what the
// depth-stencil format (fmt::D24S8 ... fmt::D16Lockable) holds. Other
// formats are never offered.
bool DepthStencilOffered(int depthBits, int stencilBits, std::uint32_t depthStencilFormat);

// Four version numbers for the start-up log from a GL version text: the GL
// major and minor numbers, then the first two numbers of the driver's own
// version that follows ("4.5 (Compatibility Profile) Mesa 22.3.6" gives
// 4, 5, 22, 3). Numbers that are missing or too large for an int stay 0.
void ParseDriverVersion(std::string_view text, int (&version)[4]);

}  // namespace platform
