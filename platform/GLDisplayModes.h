// The display as the graphics device sees it: SDL's modes in the device's
// format numbers. The public queries (EnumerateDisplayModes and the checks)
// are declared in GraphicsDevice.h and built here.
#pragma once

#include <cstdint>

#include "platform/GraphicsDevice.h"

namespace platform {

// The fmt:: colour format of a pixel layout given as SDL describes one
// (bits per pixel of storage and the channel masks); 0 when the layout has
// no fmt:: counterpart.
std::uint32_t FormatFromMasks(int bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                              std::uint32_t alpha);

// The fmt:: colour format of an SDL pixel format value; 0 when none.
std::uint32_t FormatOfSdlPixels(std::uint32_t sdlPixelFormat);

// Whether a colour format can carry an OpenGL frame buffer: the 16-, 24-
// and 32-bit RGB formats.
bool IsRenderableDisplayFormat(std::uint32_t format);

}  // namespace platform
