#include "render/DisplayMode.h"

#include <algorithm>
#include <tuple>

#include "framework/DisplayModeText.h"
#include "platform/DeviceTypes.h"

void DisplayModeList::SetModes(std::vector<DisplayMode> list) {
  if (list.empty()) return;
  defaultMode = list.back();
  list.pop_back();
  modes = std::move(list);
}

DisplayModeList& GetDisplayModeList() {
  static DisplayModeList list;
  return list;
}

DisplayMode ParseDisplayMode(std::string_view text) {
  // The configuration's reader already reads the parts leniently and never
  // past the text; negative numbers come back as 0.
  const DisplayModeRequest request = ParseDisplayModeText(text);
  DisplayMode mode;
  mode.width = static_cast<std::uint32_t>(request.width);
  mode.height = static_cast<std::uint32_t>(request.height);
  mode.bits = static_cast<std::uint32_t>(request.bits);
  mode.refresh = static_cast<std::uint32_t>(request.refresh);
  return mode;
}

std::string FormatDisplayMode(const DisplayMode& mode) {
  std::string text = std::to_string(mode.width) + "x" + std::to_string(mode.height) + ":" +
                     std::to_string(mode.bits);
  // Appended in two steps: "@" + a temporary string trips GCC 12's -Wrestrict
  // in optimised builds.
  if (mode.refresh != 0) text.append("@").append(std::to_string(mode.refresh));
  return text;
}

namespace {

// Zero fields of the request come from the desktop's mode.
void FillRequest(DisplayMode& request, const DisplayMode& desktop) {
  if (request.refresh == 0) request.refresh = desktop.refresh;
  if (request.bits == 0) request.bits = desktop.bits;
  if (request.width == 0 || request.height == 0) {
    request.width = desktop.width;
    request.height = desktop.height;
  }
}

}  // namespace

int ChooseDisplayMode(const DisplayModeList& list, DisplayMode request) {
  FillRequest(request, list.defaultMode);
  int result = -1;
  std::uint32_t chosenBits = 0;
  for (std::size_t i = 0; i < list.modes.size(); ++i) {
    const DisplayMode& mode = list.modes[i];
    if (mode.width != request.width || mode.height != request.height) continue;
    const int index = static_cast<int>(i);
    if (result < 0 || chosenBits == 0) {
      result = index;
      chosenBits = mode.bits;
    }
    if (mode.bits != request.bits) continue;
    if (chosenBits != mode.bits) chosenBits = mode.bits;
    else if (request.refresh != 0 && request.refresh < mode.refresh) continue;
    result = index;
  }
  return result < 0 ? 0 : result;
}

std::string FindDisplayMode(const DisplayModeList& list, std::string_view text) {
  if (list.modes.empty()) return std::string(text);
  const int index = ChooseDisplayMode(list, ParseDisplayMode(text));
  return FormatDisplayMode(list.modes[static_cast<std::size_t>(index)]);
}

std::vector<DisplayMode> BuildDisplayModeLists(const DisplayModeList& list, std::uint32_t width,
                                               std::uint32_t height, std::uint32_t bits) {
  std::vector<DisplayMode> result;
  for (const DisplayMode& mode : list.modes) {
    if (width == 0) {
      result.push_back({mode.width, mode.height, 0, 0, -1});
    } else if (mode.width == width && mode.height == height) {
      if (bits == 0) result.push_back({mode.width, mode.height, mode.bits, 0, -1});
      else if (mode.bits == bits) result.push_back(mode);
    }
  }
  std::stable_sort(result.begin(), result.end(), DisplayModeLess);
  result.erase(std::unique(result.begin(), result.end(), DisplayModeEqual), result.end());
  return result;
}

bool DisplayModeLess(const DisplayMode& a, const DisplayMode& b) {
  return std::tie(a.width, a.height, a.bits, a.refresh) < std::tie(b.width, b.height, b.bits, b.refresh);
}

bool DisplayModeEqual(const DisplayMode& a, const DisplayMode& b) {
  return std::tie(a.width, a.height, a.bits, a.refresh) == std::tie(b.width, b.height, b.bits, b.refresh);
}

std::uint32_t FormatBitsPerPixel(std::uint32_t format) {
  namespace fmt = platform::fmt;
  switch (format) {
    case fmt::R8G8B8:
      return 24;
    case fmt::A8R8G8B8:
    case fmt::X8R8G8B8:
    case fmt::A2B10G10R10:
    case fmt::G16R16:
      return 32;
    case fmt::R5G6B5:
    case fmt::X1R5G5B5:
    case fmt::A1R5G5B5:
    case fmt::A4R4G4B4:
    case fmt::A8R3G3B2:
    case fmt::X4R4G4B4:
    case fmt::A8L8:
    case fmt::A8P8:
      return 16;
    case fmt::R3G3B2:
    case fmt::A8:
    case fmt::P8:
    case fmt::L8:
    case fmt::A4L4:
      return 8;
    default:
      return 0;
  }
}
