// The pure half of turning desktop input into window messages: key codes,
// the key and character messages of a key stroke, text, wheel and button
// messages, and which frame edge a resize dragged. Nothing here touches the
// display, so all of it runs in tests without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/WindowMessages.h"

namespace platform {

// The virtual-key code (VirtualKeys.h) of a key, from SDL's key code (the
// symbol the keyboard layout gives it) and scan code (its position, a USB HID
// usage). Letters follow the layout, so Ctrl+V is the layout's V; a letter
// position whose symbol is not a Latin letter keeps its US letter. Every other
// key goes by position: digits, punctuation (US names), the key left of 1
// (192), function, navigation and modifier keys (either Shift, Ctrl or Alt
// gives 16, 17 or 18). Keypad digits give Numpad0..9 with Num Lock on and the
// navigation keys printed on them with it off. 0 for a key with no code.
std::uint32_t VirtualKeyFromSdl(std::int32_t keycode, std::int32_t scancode, bool numLock);

// One key going down or up, as far as the messages it yields are concerned.
struct KeyStroke {
  std::uint32_t virtualKey = 0;
  bool pressed = false;   // down (true) or up (false)
  bool repeat = false;    // a down from the keyboard's auto-repeat
  bool altHeld = false;   // either Alt is down (or this key is Alt)
  bool ctrlHeld = false;  // either Ctrl is down
};

// The messages of a key stroke, in order: KeyDown/KeyUp (SysKeyDown/SysKeyUp
// while Alt is held), with kKeyRepeatBit in lParam on auto-repeat; then, for a
// down without Alt, the character the keyboard sends as a control code:
// Backspace 8, Tab 9, Enter 13, Escape 27, Ctrl+A..Ctrl+Z 1..26 (printable
// characters come from text input instead). A stroke of key code 0 or one
// above 255 yields nothing.
std::vector<Message> KeyMessages(Window* window, const KeyStroke& stroke);

// One Char message per Windows-1252 byte of UTF-8 text; characters the code
// page lacks are dropped.
std::vector<Message> TextMessages(Window* window, std::string_view utf8);

enum class MouseButton { Left, Right, Middle };

// A button message with the position packed as MakeLong(x, y); coordinates
// outside the client area (while captured) keep their sign in 16 bits.
Message MouseButtonMessage(Window* window, MouseButton button, bool pressed, int x, int y);
Message MouseMoveMessage(Window* window, int x, int y);

// The wheel message for a scroll of `notches` (up positive, fractions from
// smooth scrolling allowed): 120 per notch, rounded, clamped to 16 bits.
// Nothing when the rounded delta is 0.
std::optional<Message> MouseWheelMessage(Window* window, float notches);

// The edge a user resize dragged, deduced from what changed: the width only
// gives EdgeRight, the height only EdgeBottom, both EdgeBottomRight.
SizingEdge EdgeForResize(int oldWidth, int oldHeight, int newWidth, int newHeight);

}  // namespace platform
