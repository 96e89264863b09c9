// The services of the subsystems above the framework (the renderer and the
// sound) that the application base calls without knowing them. Each of those
// subsystems installs its hooks when it starts; an empty hook means that
// service does not exist (yet), and the framework skips the call.
#pragma once

#include <functional>

namespace platform {
class Window;
}

struct FrameworkHooks {
  // Sound: start the device on the window, switch it on or off with the
  // window's activity, shut it down before the window goes.
  std::function<void(platform::Window& window)> soundInit;
  std::function<void(bool enabled)> enableSound;
  std::function<void()> soundShutdown;

  // Renderer: whether one exists; the device calls below are made only when
  // it does. createDevice receives the requested mode (0 = any) and chooses
  // the display mode itself.
  std::function<bool()> hasRenderer;
  std::function<void(platform::Window& window, bool fullscreen, int width, int height, int bits, int refresh)>
      createDevice;
  std::function<void()> resizeDevice;
  std::function<void()> releaseDevice;
  // Clears the frame and presents it (the base class's frame: nothing drawn).
  std::function<void()> drawEmptyFrame;

  // True when hasRenderer is installed and says yes.
  bool RendererExists() const { return hasRenderer && hasRenderer(); }
};

// The one hooks object of the process. Main thread only.
FrameworkHooks& GetFrameworkHooks();
