// Key codes, key, character, mouse and wheel messages, without a display.
#include "platform/InputTranslation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/VirtualKeys.h"

namespace platform {
namespace {

// The key code of a key without a character: its scan code with bit 30 set.
constexpr std::int32_t Sym(std::int32_t scancode) {
  return scancode | (1 << 30);
}

TEST(VirtualKeyFromSdl, MapsTheKeysGameCodeComparesWith) {
  // {name, key code, scan code, Num Lock, virtual key}
  const std::vector<std::tuple<const char*, std::int32_t, std::int32_t, bool, std::uint32_t>> cases = {
      {"a", 'a', 4, true, 'A'},
      {"1", '1', 30, true, '1'},
      {"Enter", '\r', 40, true, vk::Return},
      {"minus", '-', 45, true, vk::OemMinus},
      {"F10", Sym(67), 67, true, vk::F10},
      {"Delete", 127, 76, true, vk::Delete},
      {"keypad Enter", Sym(88), 88, true, vk::Return},
      {"left Ctrl", Sym(224), 224, true, vk::Control},
      {"right Alt", Sym(230), 230, true, vk::Menu},
      // Letters follow the layout, other keys the position: a French keyboard
      // types 'a' where US has Q; Cyrillic keeps the US letters.
      {"French a", 'a', 20, true, 'A'},
      {"Cyrillic", 0x444, 4, true, 'A'},
      {"left of 1, other layout", 0xB2, 53, true, vk::Oem3},
      // Keypad digits depend on Num Lock.
      {"keypad 1", Sym(89), 89, true, vk::Numpad0 + 1},
      {"keypad 1 unlocked", Sym(89), 89, false, vk::End},
      {"keypad 0 unlocked", Sym(98), 98, false, vk::Insert},
      {"unknown", Sym(400), 400, true, 0},
  };
  for (const auto& [name, keycode, scancode, numLock, expected] : cases)
    EXPECT_EQ(VirtualKeyFromSdl(keycode, scancode, numLock), expected) << name;
}

using Sent = std::vector<std::pair<std::uint32_t, std::uintptr_t>>;

Sent Messages(const KeyStroke& stroke) {
  Sent sent;
  for (const Message& m : KeyMessages(nullptr, stroke)) sent.emplace_back(m.message, m.wParam);
  return sent;
}

TEST(KeyMessages, KeysSendKeyMessagesAndControlCharacters) {
  // {virtualKey, pressed, repeat, altHeld, ctrlHeld}
  const std::vector<std::pair<KeyStroke, Sent>> cases = {
      {{'A', true}, {{msg::KeyDown, 'A'}}},
      {{'A', false}, {{msg::KeyUp, 'A'}}},
      {{vk::Back, true, true}, {{msg::KeyDown, vk::Back}, {msg::Char, vk::Back}}},  // holding deletes on
      {{'V', true, false, false, true}, {{msg::KeyDown, 'V'}, {msg::Char, 22}}},
      {{'1', true, false, false, true}, {{msg::KeyDown, '1'}}},  // Ctrl+1 has no control code
      {{vk::F8, true, false, true, true}, {{msg::SysKeyDown, vk::F8}}},
      {{vk::F8, false, false, true, true}, {{msg::SysKeyUp, vk::F8}}},
      {{vk::Return, true, false, true}, {{msg::SysKeyDown, vk::Return}}},
      {{256, true}, {}},  // outside the key table
  };
  for (const auto& [stroke, expected] : cases)
    EXPECT_EQ(Messages(stroke), expected) << stroke.virtualKey << (stroke.pressed ? " down" : " up");
  for (const std::uint32_t key : {vk::Back, vk::Tab, vk::Return, vk::Escape})
    EXPECT_EQ(Messages({key, true}), (Sent{{msg::KeyDown, key}, {msg::Char, key}})) << key;

  EXPECT_EQ(KeyMessages(nullptr, {vk::Left, true})[0].lParam & kKeyRepeatBit, 0);
  EXPECT_NE(KeyMessages(nullptr, {vk::Left, true, true})[0].lParam & kKeyRepeatBit, 0);
}

TEST(MouseMessages, PositionsPackAsSigned16BitWordsTheWheelAs120PerNotch) {
  const Message move = MouseMoveMessage(nullptr, 640, -20);  // captured: above the window
  EXPECT_EQ(move.message, msg::MouseMove);
  EXPECT_EQ(LowWord(move.lParam), 640u);
  EXPECT_EQ(SignedHighWord(move.lParam), -20);
  const std::pair<float, int> notches[] = {{1.0f, 120}, {-2.0f, -240}, {0.25f, 30}, {1e9f, 32767}};
  for (const auto& [delta, wheel] : notches) {
    const auto message = MouseWheelMessage(nullptr, delta);
    ASSERT_TRUE(message.has_value()) << delta;
    EXPECT_EQ(message->wParam, static_cast<std::uintptr_t>(MakeLong(0, static_cast<std::uint32_t>(wheel))));
  }
  EXPECT_FALSE(MouseWheelMessage(nullptr, 0.001f).has_value());
  EXPECT_FALSE(MouseWheelMessage(nullptr, std::numeric_limits<float>::quiet_NaN()).has_value());
}

}  // namespace
}  // namespace platform
