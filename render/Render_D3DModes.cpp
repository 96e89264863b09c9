// Render_D3D: listing and checking the display modes, the desktop's mode and
// the depth-stencil format of a colour format.
#include <algorithm>
#include <array>
#include <limits>
#include <tuple>

#include "framework/Log.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "render/Render_D3D.h"

namespace {

namespace fmt = platform::fmt;

// Depth-stencil formats in order of preference: with stencil first.
constexpr std::array<std::uint32_t, 7> kDepthFormats = {fmt::D24S8, fmt::D24X4S4, fmt::D15S1, fmt::D32,
                                                        fmt::D24X8, fmt::D16,     fmt::D16Lockable};

bool HasStencil(std::uint32_t depthFormat) {
  return depthFormat == fmt::D24S8 || depthFormat == fmt::D24X4S4 || depthFormat == fmt::D15S1;
}

DisplayMode ToDisplayMode(const DeviceMode& mode, int index) {
  return {mode.width, mode.height, FormatBitsPerPixel(mode.displayFormat), mode.refresh, index};
}

}  // namespace

bool RenderKeyLess(const DeviceMode& a, const DeviceMode& b) {
  return std::tie(a.width, a.height, a.refresh) < std::tie(b.width, b.height, b.refresh);
}

std::uint32_t Render_D3D::ChooseDepthFormat(std::uint32_t displayFormat) {
  for (const std::uint32_t depth : kDepthFormats) {
    if (display_->CheckDepthStencilFormat(displayFormat, depth)) return depth;
  }
  return 0;
}

DeviceMode Render_D3D::MakeDeviceMode(const platform::DeviceDisplayMode& mode, std::uint32_t depthFormat) const {
  return {mode.width, mode.height, mode.refresh, mode.format, depthFormat, HasStencil(depthFormat)};
}

std::vector<DisplayMode> Render_D3D::EnumerateModes() {
  deviceModes_.clear();
  const std::vector<platform::DeviceDisplayMode> offered = display_->EnumerateDisplayModes();
  deviceModes_.reserve(offered.size());
  for (const platform::DeviceDisplayMode& mode : offered) CheckMode(mode);
  std::stable_sort(deviceModes_.begin(), deviceModes_.end(), RenderKeyLess);

  FindDesktopMode();
  if (deviceModes_.empty()) FailNoModes();

  std::vector<DisplayMode> result;
  result.reserve(deviceModes_.size() + 1);
  for (std::size_t i = 0; i < deviceModes_.size(); ++i)
    result.push_back(ToDisplayMode(deviceModes_[i], static_cast<int>(i)));
  result.push_back(ToDisplayMode(desktopMode_, -1));
  return result;
}

// One log line per mode; a mode that passes every check joins the list.
void Render_D3D::CheckMode(const platform::DeviceDisplayMode& mode) {
  const std::uint32_t bits = FormatBitsPerPixel(mode.format);
  Log::AppendF("Mode %dx%d:%d@%d", static_cast<int>(mode.width), static_cast<int>(mode.height),
               static_cast<int>(bits), static_cast<int>(mode.refresh));
  if (mode.width < 640 || mode.height < 480 || bits < 16) {
    Log::Write(" ignored");
    return;
  }
  if (!display_->CheckDisplayFormat(mode.format)) {
    Log::Write(" failed.");
    return;
  }
  Log::Append(" checked, ");
  const std::uint32_t depth = ChooseDepthFormat(mode.format);
  if (depth == 0) {
    Log::Write("depth buffer failed.");
    return;
  }
  deviceModes_.push_back(MakeDeviceMode(mode, depth));
  Log::Write("ok");
}

// The desktop's own mode when a depth buffer goes with its format; otherwise
// (or when it cannot be read) one taken from the list.
void Render_D3D::FindDesktopMode() {
  desktopMode_ = DeviceMode{};
  platform::DeviceDisplayMode desktop;
  const bool known = display_->DesktopDisplayMode(desktop);
  if (known) {
    const std::uint32_t depth = ChooseDepthFormat(desktop.format);
    if (depth != 0) {
      desktopMode_ = MakeDeviceMode(desktop, depth);
      return;
    }
  }
  PickDesktopFromList(desktop, known);
}

// From the largest mode down: the first that fits on the desktop; then one
// whose refresh the desktop can show, and a mode with stencil over one
// without. An unreadable desktop bounds neither size nor refresh.
void Render_D3D::PickDesktopFromList(const platform::DeviceDisplayMode& desktop, bool known) {
  constexpr std::uint32_t kAny = std::numeric_limits<std::uint32_t>::max();
  const std::uint32_t maxWidth = known ? desktop.width : kAny;
  const std::uint32_t maxHeight = known ? desktop.height : kAny;
  const std::uint32_t maxRefresh = known ? desktop.refresh : kAny;
  bool set = false;
  for (auto it = deviceModes_.rbegin(); it != deviceModes_.rend(); ++it) {
    if (!set) {
      if (it->width > maxWidth || it->height > maxHeight) continue;
      desktopMode_ = *it;
      set = true;
    } else if (desktopMode_.refresh > maxRefresh) {
      if (it->refresh <= maxRefresh) desktopMode_ = *it;
    } else if (!desktopMode_.stencil && it->stencil) {
      desktopMode_ = *it;
      return;
    }
  }
}

void Render_D3D::FailNoModes() {
  static constexpr const char* kText = "Requires 3D Accelerator Card.";
  Log::Write(kText);
  platform::ShowMessageBox(kText, "Plodwick Error", platform::MessageBoxIcon::Information);
  platform::EndProcess(1);
}
