// The start-up system check: logs the operating system's version and makes
// sure the OpenGL the renderer needs is there, ending the process with a
// message box when it is not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/OpenGLProbe.h"

// The lowest OpenGL the renderer works with, packed as PackGraphicsVersion.
inline constexpr std::uint32_t kRequiredOpenGLVersion = 0x20100;  // 2.1

// (major << 16) | (minor << 8) | letter, where letter is 0 for none and
// 1..26 for 'a'..'z' (either case).
std::uint32_t PackGraphicsVersion(int major, int minor, char letter);

// Fills the packed version and its text ("%d.%d", at most textSize - 1
// characters, always terminated when textSize > 0) from a probe's result.
// Either output may be null. Returns 0, or -1 when no OpenGL was found
// (the outputs then hold 0 and an empty text).
int GetOpenGLVersion(const platform::OpenGLInfo& info, std::uint32_t* version, char* text,
                     std::size_t textSize);

// Logs the system's version, then checks OpenGL through `probe`. Returns only
// when the system passes; otherwise shows a message box and ends the process
// with exit code 1.
void CheckSystem(const std::function<platform::OpenGLInfo()>& probe = platform::ProbeOpenGL);
