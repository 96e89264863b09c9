// What the renderer asks of the display beyond the device itself: the modes
// it offers, the desktop's mode, which colour and depth formats work, the
// driver's identity, the window's client size and creating the device. An
// interface so that tests list modes and create devices without a display;
// PlatformDisplaySystem is the real one. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/GraphicsDevice.h"

class DisplaySystem {
 public:
  virtual ~DisplaySystem() = default;

  // Every full-screen mode the display offers, in any order.
  virtual std::vector<platform::DeviceDisplayMode> EnumerateDisplayModes() = 0;
  // False when the desktop's mode cannot be read.
  virtual bool DesktopDisplayMode(platform::DeviceDisplayMode& mode) = 0;
  // Whether a full-screen device with that colour format can be created.
  virtual bool CheckDisplayFormat(std::uint32_t format) = 0;
  // Whether a depth-stencil format can go with a colour format.
  virtual bool CheckDepthStencilFormat(std::uint32_t displayFormat, std::uint32_t depthFormat) = 0;
  // The driver's name, description and version; false when unknown.
  virtual bool QueryDeviceIdentity(platform::DeviceIdentity& identity) = 0;
  // The client size of the window; false when it cannot be read. The window
  // may be null for systems that need none (test fakes).
  virtual bool ClientSize(platform::Window* window, int& width, int& height) = 0;
  // A device on the window; null, with the reason in `error`, on failure.
  virtual std::unique_ptr<platform::GraphicsDevice> CreateDevice(platform::Window* window,
                                                                 const platform::DeviceParams& params,
                                                                 std::string& error) = 0;
};
