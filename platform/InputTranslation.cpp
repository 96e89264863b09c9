#include "platform/InputTranslation.h"

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/Cp1252.h"
#include "platform/VirtualKeys.h"

namespace platform {

namespace {

struct ScanKey {
  SDL_Scancode scancode;
  std::uint32_t virtualKey;
};

// Keys that go by position. Letters, digits, F1..F24 and the keypad digits
// are ranges and are handled in code.
constexpr ScanKey kPositionKeys[] = {
    {SDL_SCANCODE_RETURN, vk::Return},
    {SDL_SCANCODE_ESCAPE, vk::Escape},
    {SDL_SCANCODE_BACKSPACE, vk::Back},
    {SDL_SCANCODE_TAB, vk::Tab},
    {SDL_SCANCODE_SPACE, vk::Space},
    {SDL_SCANCODE_MINUS, vk::OemMinus},
    {SDL_SCANCODE_EQUALS, vk::OemPlus},
    {SDL_SCANCODE_LEFTBRACKET, vk::Oem4},
    {SDL_SCANCODE_RIGHTBRACKET, vk::Oem6},
    {SDL_SCANCODE_BACKSLASH, vk::Oem5},
    {SDL_SCANCODE_NONUSHASH, vk::Oem5},
    {SDL_SCANCODE_SEMICOLON, vk::Oem1},
    {SDL_SCANCODE_APOSTROPHE, vk::Oem7},
    {SDL_SCANCODE_GRAVE, vk::Oem3},
    {SDL_SCANCODE_COMMA, vk::OemComma},
    {SDL_SCANCODE_PERIOD, vk::OemPeriod},
    {SDL_SCANCODE_SLASH, vk::Oem2},
    {SDL_SCANCODE_CAPSLOCK, vk::Capital},
    {SDL_SCANCODE_PRINTSCREEN, vk::Snapshot},
    {SDL_SCANCODE_SCROLLLOCK, vk::Scroll},
    {SDL_SCANCODE_PAUSE, vk::Pause},
    {SDL_SCANCODE_INSERT, vk::Insert},
    {SDL_SCANCODE_HOME, vk::Home},
    {SDL_SCANCODE_PAGEUP, vk::Prior},
    {SDL_SCANCODE_DELETE, vk::Delete},
    {SDL_SCANCODE_END, vk::End},
    {SDL_SCANCODE_PAGEDOWN, vk::Next},
    {SDL_SCANCODE_RIGHT, vk::Right},
    {SDL_SCANCODE_LEFT, vk::Left},
    {SDL_SCANCODE_DOWN, vk::Down},
    {SDL_SCANCODE_UP, vk::Up},
    {SDL_SCANCODE_NUMLOCKCLEAR, vk::NumLock},
    {SDL_SCANCODE_KP_DIVIDE, vk::Divide},
    {SDL_SCANCODE_KP_MULTIPLY, vk::Multiply},
    {SDL_SCANCODE_KP_MINUS, vk::Subtract},
    {SDL_SCANCODE_KP_PLUS, vk::Add},
    {SDL_SCANCODE_KP_ENTER, vk::Return},
    {SDL_SCANCODE_NONUSBACKSLASH, vk::Oem102},
    {SDL_SCANCODE_APPLICATION, vk::Apps},
    {SDL_SCANCODE_LCTRL, vk::Control},
    {SDL_SCANCODE_RCTRL, vk::Control},
    {SDL_SCANCODE_LSHIFT, vk::Shift},
    {SDL_SCANCODE_RSHIFT, vk::Shift},
    {SDL_SCANCODE_LALT, vk::Menu},
    {SDL_SCANCODE_RALT, vk::Menu},
    {SDL_SCANCODE_LGUI, vk::LWin},
    {SDL_SCANCODE_RGUI, vk::RWin},
};

// The keypad's digit keys in scan-code order (1..9, then 0, then the
// decimal point) with the code each has with Num Lock on and off.
struct KeypadKey {
  std::uint32_t numLockOn;
  std::uint32_t numLockOff;
};
constexpr KeypadKey kKeypad[] = {
    {vk::Numpad0 + 1, vk::End},  {vk::Numpad0 + 2, vk::Down},  {vk::Numpad0 + 3, vk::Next},
    {vk::Numpad0 + 4, vk::Left}, {vk::Numpad0 + 5, vk::Clear}, {vk::Numpad0 + 6, vk::Right},
    {vk::Numpad0 + 7, vk::Home}, {vk::Numpad0 + 8, vk::Up},    {vk::Numpad0 + 9, vk::Prior},
    {vk::Numpad0, vk::Insert},   {vk::Decimal, vk::Delete},
};

bool InRange(std::int32_t value, std::int32_t first, std::int32_t last) {
  return value >= first && value <= last;
}

std::uint32_t RangeKey(std::int32_t scancode, bool numLock) {
  if (InRange(scancode, SDL_SCANCODE_A, SDL_SCANCODE_Z))
    return 'A' + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_A);
  if (InRange(scancode, SDL_SCANCODE_1, SDL_SCANCODE_9))
    return '1' + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  if (InRange(scancode, SDL_SCANCODE_F1, SDL_SCANCODE_F12))
    return vk::F1 + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_F1);
  if (InRange(scancode, SDL_SCANCODE_F13, SDL_SCANCODE_F24))
    return vk::F13 + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_F13);
  if (InRange(scancode, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_PERIOD)) {
    const KeypadKey& key = kKeypad[scancode - SDL_SCANCODE_KP_1];
    return numLock ? key.numLockOn : key.numLockOff;
  }
  return 0;
}

// The control code a key down sends as a character, or 0 for none.
std::uint32_t ControlCharacter(const KeyStroke& stroke) {
  switch (stroke.virtualKey) {
    case vk::Back:
    case vk::Tab:
    case vk::Return:
    case vk::Escape:
      return stroke.virtualKey;  // these codes equal their characters
    default:
      break;
  }
  if (stroke.ctrlHeld && InRange(static_cast<std::int32_t>(stroke.virtualKey), 'A', 'Z'))
    return stroke.virtualKey - 'A' + 1;
  return 0;
}

}  // namespace

std::uint32_t VirtualKeyFromSdl(std::int32_t keycode, std::int32_t scancode, bool numLock) {
  if (InRange(keycode, SDLK_a, SDLK_z)) return static_cast<std::uint32_t>(keycode - SDLK_a) + 'A';
  for (const ScanKey& key : kPositionKeys)
    if (key.scancode == scancode) return key.virtualKey;
  return RangeKey(scancode, numLock);
}

std::vector<Message> KeyMessages(Window* window, const KeyStroke& stroke) {
  std::vector<Message> out;
  if (stroke.virtualKey == 0 || stroke.virtualKey > 255) return out;
  Message key{window, 0, stroke.virtualKey, 0};
  if (stroke.pressed)
    key.message = stroke.altHeld ? msg::SysKeyDown : msg::KeyDown;
  else
    key.message = stroke.altHeld ? msg::SysKeyUp : msg::KeyUp;
  if (stroke.pressed && stroke.repeat) key.lParam = kKeyRepeatBit;
  out.push_back(key);
  if (!stroke.pressed || stroke.altHeld) return out;
  if (const std::uint32_t c = ControlCharacter(stroke)) out.push_back({window, msg::Char, c, 0});
  return out;
}

std::vector<Message> TextMessages(Window* window, std::string_view utf8) {
  std::vector<Message> out;
  for (const char byte : Utf8ToCp1252(utf8))
    out.push_back({window, msg::Char, static_cast<unsigned char>(byte), 0});
  return out;
}

Message MouseButtonMessage(Window* window, MouseButton button, bool pressed, int x, int y) {
  std::uint32_t id = 0;
  switch (button) {
    case MouseButton::Left:
      id = pressed ? msg::LButtonDown : msg::LButtonUp;
      break;
    case MouseButton::Right:
      id = pressed ? msg::RButtonDown : msg::RButtonUp;
      break;
    case MouseButton::Middle:
      id = pressed ? msg::MButtonDown : msg::MButtonUp;
      break;
  }
  return {window, id, 0, MakeLong(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y))};
}

Message MouseMoveMessage(Window* window, int x, int y) {
  return {window, msg::MouseMove, 0, MakeLong(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y))};
}

std::optional<Message> MouseWheelMessage(Window* window, float notches) {
  if (!std::isfinite(notches)) return std::nullopt;
  const float scaled = std::clamp(std::round(notches * 120.0f), -32768.0f, 32767.0f);
  const int delta = static_cast<int>(scaled);
  if (delta == 0) return std::nullopt;
  const auto wParam = static_cast<std::uintptr_t>(MakeLong(0, static_cast<std::uint32_t>(delta)));
  return Message{window, msg::MouseWheel, wParam, 0};
}

SizingEdge EdgeForResize(int oldWidth, int oldHeight, int newWidth, int newHeight) {
  const bool widthChanged = oldWidth != newWidth;
  const bool heightChanged = oldHeight != newHeight;
  if (widthChanged && !heightChanged) return EdgeRight;
  if (heightChanged && !widthChanged) return EdgeBottom;
  return EdgeBottomRight;
}

}  // namespace platform
