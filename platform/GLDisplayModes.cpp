#include "platform/GLDisplayModes.h"

#include <SDL.h>

#include <algorithm>

#include "platform/GLAdapterProbe.h"
#include "platform/Window.h"

namespace platform {

namespace {

struct Layout {
  int bits;
  std::uint32_t red, green, blue, alpha, format;
};

constexpr Layout kLayouts[] = {
    {32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, fmt::A8R8G8B8},
    {32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, fmt::X8R8G8B8},
    {24, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, fmt::R8G8B8},
    {32, 0x000003FF, 0x000FFC00, 0x3FF00000, 0xC0000000, fmt::A2B10G10R10},
    {16, 0xF800, 0x07E0, 0x001F, 0, fmt::R5G6B5},
    {16, 0x7C00, 0x03E0, 0x001F, 0x8000, fmt::A1R5G5B5},
    {16, 0x7C00, 0x03E0, 0x001F, 0, fmt::X1R5G5B5},
    {15, 0x7C00, 0x03E0, 0x001F, 0, fmt::X1R5G5B5},
    {16, 0x0F00, 0x00F0, 0x000F, 0xF000, fmt::A4R4G4B4},
    {16, 0x0F00, 0x00F0, 0x000F, 0, fmt::X4R4G4B4},
    {12, 0x0F00, 0x00F0, 0x000F, 0, fmt::X4R4G4B4},
    {8, 0xE0, 0x1C, 0x03, 0, fmt::R3G3B2},
};

DeviceDisplayMode FromSdl(const SDL_DisplayMode& mode) {
  DeviceDisplayMode out;
  out.width = static_cast<std::uint32_t>(std::max(mode.w, 0));
  out.height = static_cast<std::uint32_t>(std::max(mode.h, 0));
  out.refresh = static_cast<std::uint32_t>(std::max(mode.refresh_rate, 0));
  out.format = FormatOfSdlPixels(mode.format);
  return out;
}

bool DisplayReady() {
  return SDL_WasInit(SDL_INIT_VIDEO) != 0 || InitVideo();
}

}  // namespace

std::uint32_t FormatFromMasks(int bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                              std::uint32_t alpha) {
  for (const Layout& layout : kLayouts) {
    if (layout.bits == bitsPerPixel && layout.red == red && layout.green == green && layout.blue == blue &&
        layout.alpha == alpha)
      return layout.format;
  }
  return 0;
}

std::uint32_t FormatOfSdlPixels(std::uint32_t sdlPixelFormat) {
  int bits = 0;
  Uint32 r = 0, g = 0, b = 0, a = 0;
  if (SDL_PixelFormatEnumToMasks(sdlPixelFormat, &bits, &r, &g, &b, &a) != SDL_TRUE) return 0;
  return FormatFromMasks(bits, r, g, b, a);
}

bool IsRenderableDisplayFormat(std::uint32_t format) {
  switch (format) {
    case fmt::A8R8G8B8:
    case fmt::X8R8G8B8:
    case fmt::R8G8B8:
    case fmt::R5G6B5:
    case fmt::X1R5G5B5:
    case fmt::A1R5G5B5:
      return true;
    default:
      return false;
  }
}

std::vector<DeviceDisplayMode> EnumerateDisplayModes() {
  std::vector<DeviceDisplayMode> modes;
  if (!DisplayReady()) return modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0) modes.push_back(FromSdl(mode));
  }
  return modes;
}

bool DesktopDisplayMode(DeviceDisplayMode& mode) {
  SDL_DisplayMode desktop;
  if (!DisplayReady() || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
  mode = FromSdl(desktop);
  return true;
}

bool CheckDisplayFormat(std::uint32_t format) {
  if (!IsRenderableDisplayFormat(format)) return false;
  DeviceDisplayMode desktop;
  if (DesktopDisplayMode(desktop) && desktop.format == format) return true;
  const auto modes = EnumerateDisplayModes();
  return std::any_of(modes.begin(), modes.end(),
                     [&](const DeviceDisplayMode& m) { return m.format == format; });
}

bool CheckDepthStencilFormat(std::uint32_t displayFormat, std::uint32_t depthStencilFormat) {
  if (!IsRenderableDisplayFormat(displayFormat)) return false;
  GLAdapterInfo adapter;
  if (!QueryGLAdapter(adapter)) return false;
  return DepthStencilOffered(adapter.depthBits, adapter.stencilBits, depthStencilFormat);
}

bool QueryDeviceIdentity(DeviceIdentity& identity) {
  GLAdapterInfo adapter;
  if (!QueryGLAdapter(adapter)) return false;
  identity.driver = adapter.vendor;
  identity.description = adapter.renderer + " (OpenGL " + adapter.version + ")";
  ParseDriverVersion(adapter.version, identity.version);
  return true;
}

}  // namespace platform
