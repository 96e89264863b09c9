#include "render/PlatformDisplaySystem.h"

#include "platform/Window.h"

std::vector<platform::DeviceDisplayMode> PlatformDisplaySystem::EnumerateDisplayModes() {
  return platform::EnumerateDisplayModes();
}

bool PlatformDisplaySystem::DesktopDisplayMode(platform::DeviceDisplayMode& mode) {
  return platform::DesktopDisplayMode(mode);
}

bool PlatformDisplaySystem::CheckDisplayFormat(std::uint32_t format) {
  return platform::CheckDisplayFormat(format);
}

bool PlatformDisplaySystem::CheckDepthStencilFormat(std::uint32_t displayFormat, std::uint32_t depthFormat) {
  return platform::CheckDepthStencilFormat(displayFormat, depthFormat);
}

bool PlatformDisplaySystem::QueryDeviceIdentity(platform::DeviceIdentity& identity) {
  return platform::QueryDeviceIdentity(identity);
}

bool PlatformDisplaySystem::ClientSize(platform::Window* window, int& width, int& height) {
  if (!window) return false;
  window->ClientSize(width, height);
  return true;
}

std::unique_ptr<platform::GraphicsDevice> PlatformDisplaySystem::CreateDevice(platform::Window* window,
                                                                              const platform::DeviceParams& params,
                                                                              std::string& error) {
  if (!window) {
    error = "no window";
    return nullptr;
  }
  return platform::CreateOpenGLDevice(*window, params, error);
}
