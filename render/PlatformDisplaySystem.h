// The display as the platform layer sees it: the OpenGL device, the desktop's
// modes and the window's size. The renderer the game runs with is built on
// this one.
#pragma once

#include "render/DisplaySystem.h"

class PlatformDisplaySystem : public DisplaySystem {
 public:
  std::vector<platform::DeviceDisplayMode> EnumerateDisplayModes() override;
  bool DesktopDisplayMode(platform::DeviceDisplayMode& mode) override;
  bool CheckDisplayFormat(std::uint32_t format) override;
  bool CheckDepthStencilFormat(std::uint32_t displayFormat, std::uint32_t depthFormat) override;
  bool QueryDeviceIdentity(platform::DeviceIdentity& identity) override;
  // False for a null window.
  bool ClientSize(platform::Window* window, int& width, int& height) override;
  // Null, with a reason, for a null window.
  std::unique_ptr<platform::GraphicsDevice> CreateDevice(platform::Window* window,
                                                         const platform::DeviceParams& params,
                                                         std::string& error) override;
};
