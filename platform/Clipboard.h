// Clipboard text, in the game's Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Empty when the clipboard holds no text or there is no display.
std::string GetClipboardText();
bool SetClipboardText(std::string_view text);

}  // namespace platform
