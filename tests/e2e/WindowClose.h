// The desktop's request to close a window (its close box, Alt+F4 through a
// window manager): the WM_DELETE_WINDOW message the window has asked for,
// sent as a window manager sends it.
#pragma once

#include <string>

namespace e2e {

// Asks the window `windowId` (decimal, as xdotool prints it) on `display`
// to close; false when the display or the window cannot be reached.
bool RequestWindowClose(const std::string& display, const std::string& windowId);

}  // namespace e2e
