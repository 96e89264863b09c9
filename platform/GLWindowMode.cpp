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

}  // namespace

GLWindowMode::GLWindowMode(Window& window)
    : window_(window),
      coveredDesktop_((SDL_GetWindowFlags(window.Sdl()) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                      SDL_WINDOW_FULLSCREEN_DESKTOP) {}

bool GLWindowMode::Apply(const DeviceParams& params, std::string& error) {
  if (!params.fullscreen) return Restore(error);
  SDL_Window* sdl = window_.Sdl();
  if (params.mode.width > 0 && params.mode.height > 0) return EnterModeFullscreen(sdl, params.mode, error);
  return SetFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP, error);
}

bool GLWindowMode::Restore(std::string& error) {
  const Uint32 own = coveredDesktop_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  if ((SDL_GetWindowFlags(window_.Sdl()) & SDL_WINDOW_FULLSCREEN_DESKTOP) == own) return true;
  return SetFullscreen(window_.Sdl(), own, error);
}

}  // namespace platform
