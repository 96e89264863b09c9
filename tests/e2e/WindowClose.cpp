#include "tests/e2e/WindowClose.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace e2e {

bool RequestWindowClose(const std::string& display, const std::string& windowId) {
  ::Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(std::strtoul(windowId.c_str(), nullptr, 10));
  event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(connection, event.xclient.window, False, NoEventMask, &event);
  XSync(connection, False);
  XCloseDisplay(connection);
  return sent != 0;
}

}  // namespace e2e
