// Switches the device's window between windowed, desktop full screen and a
// full-screen display mode, and back to the state the window had by its
// own choice (windowed, or covering the desktop) before the device came.
#pragma once

#include <cstdint>
#include <string>

#include "platform/GraphicsDevice.h"

namespace platform {

class GLWindowMode {
 public:
  // Remembers the window's own state; changes nothing.
  explicit GLWindowMode(Window& window);

  // Full screen in params.mode (the display's closest mode of that size,
  // preferring its format and refresh) when it gives a size other than the
  // desktop's own mode, desktop full screen (no display switch) when it is
  // that mode or gives no size; windowed parameters restore the window's own
  // state.
  // False with the reason in `error`.
  bool Apply(const DeviceParams& params, std::string& error);
  bool Restore(std::string& error);

 private:
  std::uint32_t OwnFlags() const;

  Window& window_;
  bool coveredDesktop_ = false;
};

}  // namespace platform
