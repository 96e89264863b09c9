#include "platform/GLWindowMode.h"

#include <SDL.h>

#include "platform/GLDisplayModes.h"
#include "platform/Window.h"

namespace platform {

namespace {

// The display's mode nearest to the request, preferring its format.
bool ClosestSdlMode(const DeviceDisplayMode& wanted, SDL_DisplayMode& out) {
  SDL_DisplayMode request{};
  request.w = static_cast<int>(wanted.width);
  request.h = static_cast<int>(wanted.height);
  request.refresh_rate = static_cast<int>(wanted.refresh);
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    if (mode.w == request.w && mode.h == request.h && FormatOfSdlPixels(mode.format) == wanted.format &&
        (request.refresh_rate == 0 || mode.refresh_rate == request.refresh_rate)) {
      out = mode;
      return true;
    }
  }
  return SDL_GetClosestDisplayMode(0, &request, &out) != nullptr;
}

bool SetFullscreen(SDL_Window* window, Uint32 kind, std::string& error) {
  if (SDL_SetWindowFullscreen(window, kind) == 0) return true;
  error = SDL_GetError();
  return false;
}

bool EnterModeFullscreen(SDL_Window* window, const DeviceDisplayMode& wanted, std::string& error) {
  SDL_DisplayMode mode;
  if (!ClosestSdlMode(wanted, mode) || SDL_SetWindowDisplayMode(window, &mode) != 0) {
    error = SDL_GetError();
    return false;
  }
  return SetFullscreen(window, SDL_WINDOW_FULLSCREEN, error);
}

// Whether the wanted mode is the one the desktop already shows: then the
// window only needs to cover the desktop, and the display is not switched
// (a switch to the same mode costs a round trip to the window manager and a
// flicker, and gives nothing).
bool IsDesktopMode(const DeviceDisplayMode& wanted) {
  DeviceDisplayMode desktop;
  if (!DesktopDisplayMode(desktop)) return false;
  return wanted.width == desktop.width && wanted.height == desktop.height &&
         (wanted.refresh == 0 || desktop.refresh == 0 || wanted.refresh == desktop.refresh) &&
         (wanted.format == 0 || wanted.format == desktop.format);
}

}  // namespace

GLWindowMode::GLWindowMode(Window& window)
    : window_(window),
      coveredDesktop_((SDL_GetWindowFlags(window.Sdl()) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                      SDL_WINDOW_FULLSCREEN_DESKTOP) {}

// SDL's full-screen flags the window has by its own choice: none for a
// window that covers the desktop by itself or is windowed.
std::uint32_t GLWindowMode::OwnFlags() const {
  return coveredDesktop_ && !window_.CoversDesktop() ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
}

bool GLWindowMode::Apply(const DeviceParams& params, std::string& error) {
  if (!params.fullscreen) return Restore(error);
  SDL_Window* sdl = window_.Sdl();
  const bool sized = params.mode.width > 0 && params.mode.height > 0;
  if (sized && !IsDesktopMode(params.mode)) return EnterModeFullscreen(sdl, params.mode, error);
  const Uint32 wanted = window_.CoversDesktop() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
  if ((SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN_DESKTOP) == wanted) return true;
  return SetFullscreen(sdl, wanted, error);
}

bool GLWindowMode::Restore(std::string& error) {
  const Uint32 own = OwnFlags();
  if ((SDL_GetWindowFlags(window_.Sdl()) & SDL_WINDOW_FULLSCREEN_DESKTOP) == own) return true;
  return SetFullscreen(window_.Sdl(), own, error);
}

}  // namespace platform
