// A display for renderer tests: a scripted list of modes, a desktop mode,
// which colour and depth formats pass, and device creation that hands out a
// FakeGraphicsDevice (or fails, windowed and full screen separately). The
// renderer owns the display system, so tests keep a pointer to it and to
// the device it made.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "render/DisplaySystem.h"
#include "tests/render/FakeGraphicsDevice.h"

namespace testing_support {

class FakeDisplaySystem : public DisplaySystem {
 public:
  // ---- The display ----
  std::vector<platform::DeviceDisplayMode> modes;
  bool desktopKnown = true;
  platform::DeviceDisplayMode desktop{1024, 768, 60, platform::fmt::X8R8G8B8};
  std::set<std::uint32_t> failingDisplayFormats;  // CheckDisplayFormat says no
  // (display format, depth format) -> works; by default every pair works.
  std::function<bool(std::uint32_t, std::uint32_t)> depthWorks = [](std::uint32_t, std::uint32_t) {
    return true;
  };
  bool identityKnown = true;
  platform::DeviceIdentity identity{"fake driver", "fake card", {1, 2, 3, 4}};
  int clientWidth = 800;
  int clientHeight = 600;
  bool windowedCreationFails = false;
  bool fullscreenCreationFails = false;
  // Runs on each new device before it is handed out (caps, back buffer...).
  std::function<void(FakeGraphicsDevice&)> prepareDevice;

  // ---- The record ----
  std::vector<platform::DeviceParams> creations;  // every attempt
  FakeGraphicsDevice* device = nullptr;           // the last device made (owned by the renderer)

  std::vector<platform::DeviceDisplayMode> EnumerateDisplayModes() override { return modes; }
  bool DesktopDisplayMode(platform::DeviceDisplayMode& mode) override {
    if (desktopKnown) mode = desktop;
    return desktopKnown;
  }
  bool CheckDisplayFormat(std::uint32_t format) override { return !failingDisplayFormats.contains(format); }
  bool CheckDepthStencilFormat(std::uint32_t display, std::uint32_t depth) override {
    return depthWorks(display, depth);
  }
  bool QueryDeviceIdentity(platform::DeviceIdentity& out) override {
    if (identityKnown) out = identity;
    return identityKnown;
  }
  bool ClientSize(platform::Window*, int& width, int& height) override {
    width = clientWidth;
    height = clientHeight;
    return true;
  }
  std::unique_ptr<platform::GraphicsDevice> CreateDevice(platform::Window*,
                                                         const platform::DeviceParams& params,
                                                         std::string& error) override {
    creations.push_back(params);
    if (params.fullscreen ? fullscreenCreationFails : windowedCreationFails) {
      error = "refused by the test";
      return nullptr;
    }
    auto made = std::make_unique<FakeGraphicsDevice>();
    made->backWidth = static_cast<int>(params.mode.width);
    made->backHeight = static_cast<int>(params.mode.height);
    if (prepareDevice) prepareDevice(*made);
    device = made.get();
    return made;
  }
};

}  // namespace testing_support
