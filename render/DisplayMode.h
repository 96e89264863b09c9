// The display modes the rest of the game sees: the list the renderer found
// usable, the desktop's mode, the text form kept in the configuration
// ("1024x768:32@85"), the rule that picks a mode for a request, and the
// lists the options screen offers. Main thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One display mode. Refresh 0 means any; index is the mode's position in the
// renderer's device mode list, -1 for the desktop mode.
struct DisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bits = 0;
  std::uint32_t refresh = 0;
  int index = -1;
};

class DisplayModeList {
 public:
  // Takes the renderer's listing (EnumerateModes): its last element is the
  // desktop mode, which becomes the default mode; the rest become the
  // modes. An empty listing leaves both as they were.
  void SetModes(std::vector<DisplayMode> list);

  // Full-screen modes in the device list's order (width, height, refresh
  // ascending); element i has index i.
  std::vector<DisplayMode> modes;
  // The desktop's mode; all zero until SetModes.
  DisplayMode defaultMode;
};

// The process's list, filled once the renderer has listed the modes.
DisplayModeList& GetDisplayModeList();

// "WxH[:bits[@refresh]]"; missing or unreadable parts are 0 and the index is
// -1. A text without 'x' gives all zeros; separators out of order (such as
// "800:32x600@") end the parts read, they never read outside the text.
DisplayMode ParseDisplayMode(std::string_view text);
// "WxH:bits", followed by "@refresh" when the refresh is not 0.
std::string FormatDisplayMode(const DisplayMode& mode);

// The position in list.modes that best serves the request: a mode of the
// requested size whenever one exists, with the requested bits when possible,
// and among those the highest refresh not above the requested one (the first
// such mode when all are above). Zero fields of the request are taken from
// the default mode (width and height together). 0 when no mode has the size
// or the list is empty, so callers must check the index against the list.
int ChooseDisplayMode(const DisplayModeList& list, DisplayMode request);
// The text of the mode ChooseDisplayMode picks for the parsed text. With no
// modes listed there is nothing to pick from and the text comes back as it is.
std::string FindDisplayMode(const DisplayModeList& list, std::string_view text);

// What the options screen offers, sorted by DisplayModeLess without
// duplicates: width 0 lists every resolution (bits, refresh 0, index -1);
// a width with bits 0 lists the colour depths of that size (refresh 0,
// index -1); width and bits list the modes of that size and depth as they
// are (their refresh rates, with their indexes).
std::vector<DisplayMode> BuildDisplayModeLists(const DisplayModeList& list, std::uint32_t width,
                                               std::uint32_t height, std::uint32_t bits);

// Lexicographic on width, height, bits, refresh; equality on the same four
// (the index is ignored).
bool DisplayModeLess(const DisplayMode& a, const DisplayMode& b);
bool DisplayModeEqual(const DisplayMode& a, const DisplayMode& b);

// Bits per pixel of a colour format (platform::fmt values); 0 for formats
// that are not colour formats.
std::uint32_t FormatBitsPerPixel(std::uint32_t format);
