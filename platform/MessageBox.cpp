#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/Cp1252.h"
#include "platform/Window.h"

namespace platform {

namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// A box is only shown where someone can see and click it. QV_MESSAGEBOX_STDERR
// sends boxes to standard error even then (for runs on a virtual display).
bool CanShowBox() {
  if (IsSet("QV_MESSAGEBOX_STDERR")) return false;
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) return false;
  return InitVideo();
}

Uint32 SdlFlags(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Information:
      return SDL_MESSAGEBOX_INFORMATION;
    case MessageBoxIcon::Exclamation:
      return SDL_MESSAGEBOX_WARNING;
    case MessageBoxIcon::Error:
      return SDL_MESSAGEBOX_ERROR;
  }
  return SDL_MESSAGEBOX_ERROR;
}

void WriteToStderr(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
}

}  // namespace

void ShowMessageBox(std::string_view text, std::string_view caption, MessageBoxIcon icon) {
  // A copy, so a handler that replaces itself is not destroyed mid-call.
  if (const MessageBoxHandler handler = Handler()) {
    handler(text, caption, icon);
    return;
  }
  const std::string utf8Text = Cp1252ToUtf8(text);
  const std::string utf8Caption = Cp1252ToUtf8(caption);
  if (CanShowBox() &&
      SDL_ShowSimpleMessageBox(SdlFlags(icon), utf8Caption.c_str(), utf8Text.c_str(), nullptr) == 0)
    return;
  WriteToStderr(utf8Text, utf8Caption);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  Handler() = std::move(handler);
}

}  // namespace platform
