// Key codes, key and character messages, text, mouse and wheel messages as
// the window procedure receives them; all without a display.
#include "platform/InputTranslation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/VirtualKeys.h"

namespace platform {
namespace {

// Scan codes are USB HID usages; the key code of a key without a character
// is its scan code with bit 30 set, of a character key the character.
constexpr std::int32_t Sym(std::int32_t scancode) {
  return scancode | (1 << 30);
}

struct KeyCase {
  const char* name;
  std::int32_t keycode;
  std::int32_t scancode;
  std::uint32_t expected;
};

TEST(VirtualKeyFromSdl, MapsTheKeysGameCodeComparesWith) {
  const KeyCase cases[] = {
      {"a", 'a', 4, 'A'},
      {"z", 'z', 29, 'Z'},
      {"1", '1', 30, '1'},
      {"0", '0', 39, '0'},
      {"Enter", '\r', 40, vk::Return},
      {"Escape", 27, 41, vk::Escape},
      {"Backspace", '\b', 42, vk::Back},
      {"Tab", '\t', 43, vk::Tab},
      {"Space", ' ', 44, vk::Space},
      {"left of 1", '`', 53, vk::Oem3},
      {"F1", Sym(58), 58, vk::F1},
      {"F8", Sym(65), 65, vk::F8},
      {"F10", Sym(67), 67, vk::F10},
      {"F12", Sym(69), 69, vk::F12},
      {"Insert", Sym(73), 73, vk::Insert},
      {"Home", Sym(74), 74, vk::Home},
      {"Page Up", Sym(75), 75, vk::Prior},
      {"Delete", 127, 76, vk::Delete},
      {"End", Sym(77), 77, vk::End},
      {"Page Down", Sym(78), 78, vk::Next},
      {"Right", Sym(79), 79, vk::Right},
      {"Left", Sym(80), 80, vk::Left},
      {"Down", Sym(81), 81, vk::Down},
      {"Up", Sym(82), 82, vk::Up},
      {"keypad Enter", Sym(88), 88, vk::Return},
      {"left Ctrl", Sym(224), 224, vk::Control},
      {"right Ctrl", Sym(228), 228, vk::Control},
      {"left Shift", Sym(225), 225, vk::Shift},
      {"right Shift", Sym(229), 229, vk::Shift},
      {"left Alt", Sym(226), 226, vk::Menu},
      {"right Alt", Sym(230), 230, vk::Menu},
      {"minus", '-', 45, vk::OemMinus},
      {"slash", '/', 56, vk::Oem2},
  };
  for (const KeyCase& c : cases)
    EXPECT_EQ(VirtualKeyFromSdl(c.keycode, c.scancode, true), c.expected) << c.name;
}

TEST(VirtualKeyFromSdl, LettersFollowTheLayoutOtherKeysThePosition) {
  // A French keyboard: the key where US has Q types 'a', the top row '&'.
  EXPECT_EQ(VirtualKeyFromSdl('a', 20, true), 'A');
  EXPECT_EQ(VirtualKeyFromSdl('&', 30, true), '1');
  // A Cyrillic layout keeps the US letters by position.
  EXPECT_EQ(VirtualKeyFromSdl(0x444, 4, true), 'A');
  // The key left of 1 is 192 whatever it types.
  EXPECT_EQ(VirtualKeyFromSdl(0xB2, 53, true), vk::Oem3);
}

TEST(VirtualKeyFromSdl, KeypadDigitsDependOnNumLock) {
  EXPECT_EQ(VirtualKeyFromSdl(Sym(89), 89, true), vk::Numpad0 + 1);
  EXPECT_EQ(VirtualKeyFromSdl(Sym(98), 98, true), vk::Numpad0);
  EXPECT_EQ(VirtualKeyFromSdl(Sym(99), 99, true), vk::Decimal);
  EXPECT_EQ(VirtualKeyFromSdl(Sym(89), 89, false), vk::End);
  EXPECT_EQ(VirtualKeyFromSdl(Sym(97), 97, false), vk::Prior);
  EXPECT_EQ(VirtualKeyFromSdl(Sym(98), 98, false), vk::Insert);
}

TEST(VirtualKeyFromSdl, UnknownKeysHaveNoCode) {
  EXPECT_EQ(VirtualKeyFromSdl(0, 0, true), 0u);
  EXPECT_EQ(VirtualKeyFromSdl(Sym(400), 400, true), 0u);
  EXPECT_EQ(VirtualKeyFromSdl(-1, -1, true), 0u);
}

std::vector<std::uint32_t> Ids(const std::vector<Message>& messages) {
  std::vector<std::uint32_t> ids;
  for (const Message& m : messages) ids.push_back(m.message);
  return ids;
}

KeyStroke Down(std::uint32_t key) {
  KeyStroke stroke;
  stroke.virtualKey = key;
  stroke.pressed = true;
  return stroke;
}

TEST(KeyMessages, PlainKeysGiveKeyDownAndKeyUpOnly) {
  const auto down = KeyMessages(nullptr, Down('A'));
  ASSERT_EQ(Ids(down), (std::vector<std::uint32_t>{msg::KeyDown}));
  EXPECT_EQ(down[0].wParam, 'A');
  EXPECT_EQ(down[0].lParam & kKeyRepeatBit, 0);
  KeyStroke up = Down('A');
  up.pressed = false;
  EXPECT_EQ(Ids(KeyMessages(nullptr, up)), (std::vector<std::uint32_t>{msg::KeyUp}));
}

TEST(KeyMessages, AutoRepeatSetsBit30) {
  KeyStroke stroke = Down(vk::Left);
  stroke.repeat = true;
  const auto messages = KeyMessages(nullptr, stroke);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].lParam & kKeyRepeatBit, 0);
}

TEST(KeyMessages, ControlKeysAlsoSendTheirCharacter) {
  for (const std::uint32_t key : {vk::Back, vk::Tab, vk::Return, vk::Escape}) {
    const auto messages = KeyMessages(nullptr, Down(key));
    ASSERT_EQ(Ids(messages), (std::vector<std::uint32_t>{msg::KeyDown, msg::Char})) << key;
    EXPECT_EQ(messages[1].wParam, key);
  }
  KeyStroke repeated = Down(vk::Back);
  repeated.repeat = true;  // holding Backspace deletes on
  EXPECT_EQ(KeyMessages(nullptr, repeated).size(), 2u);
}

TEST(KeyMessages, CtrlLettersSendControlCodes) {
  KeyStroke paste = Down('V');
  paste.ctrlHeld = true;
  const auto messages = KeyMessages(nullptr, paste);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].message, msg::Char);
  EXPECT_EQ(messages[1].wParam, 22u);
  KeyStroke first = Down('A');
  first.ctrlHeld = true;
  EXPECT_EQ(KeyMessages(nullptr, first)[1].wParam, 1u);
  KeyStroke digit = Down('1');
  digit.ctrlHeld = true;
  EXPECT_EQ(KeyMessages(nullptr, digit).size(), 1u);  // Ctrl+1 has no control code
}

TEST(KeyMessages, AltMakesSystemKeysWithoutCharacters) {
  KeyStroke stroke = Down(vk::F8);
  stroke.altHeld = true;
  stroke.ctrlHeld = true;
  EXPECT_EQ(Ids(KeyMessages(nullptr, stroke)), (std::vector<std::uint32_t>{msg::SysKeyDown}));
  stroke.pressed = false;
  EXPECT_EQ(Ids(KeyMessages(nullptr, stroke)), (std::vector<std::uint32_t>{msg::SysKeyUp}));
  KeyStroke enter = Down(vk::Return);
  enter.altHeld = true;
  EXPECT_EQ(KeyMessages(nullptr, enter).size(), 1u);
}

TEST(KeyMessages, CodesOutsideTheKeyTableYieldNothing) {
  EXPECT_TRUE(KeyMessages(nullptr, Down(0)).empty());
  EXPECT_TRUE(KeyMessages(nullptr, Down(256)).empty());
}

TEST(TextMessages, OneCharPerWindows1252Byte) {
  const auto messages = TextMessages(nullptr, "a\xC3\xA9\xE2\x82\xAC");  // a, é, €
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].wParam, 'a');
  EXPECT_EQ(messages[1].wParam, 0xE9u);
  EXPECT_EQ(messages[2].wParam, 0x80u);
  for (const Message& m : messages) EXPECT_EQ(m.message, msg::Char);
}

TEST(TextMessages, CharactersOutsideTheCodePageAreDropped) {
  EXPECT_TRUE(TextMessages(nullptr, "\xE4\xB8\xAD").empty());  // a CJK character
  EXPECT_EQ(TextMessages(nullptr, "x\xE4\xB8\xADy").size(), 2u);
}

TEST(MouseMessages, PositionsPackAsSigned16BitWords) {
  const Message move = MouseMoveMessage(nullptr, 640, 400);
  EXPECT_EQ(move.message, msg::MouseMove);
  EXPECT_EQ(LowWord(move.lParam), 640u);
  EXPECT_EQ(HighWord(move.lParam), 400u);
  const Message outside = MouseMoveMessage(nullptr, -3, -20);  // captured, left of and above
  EXPECT_EQ(static_cast<std::int16_t>(LowWord(outside.lParam)), -3);
  EXPECT_EQ(SignedHighWord(outside.lParam), -20);
}

TEST(MouseMessages, WheelGives120PerNotchUpPositive) {
  const auto up = MouseWheelMessage(nullptr, 1.0f);
  ASSERT_TRUE(up.has_value());
  EXPECT_EQ(SignedHighWord(up->wParam), 120);
  EXPECT_EQ(LowWord(up->wParam), 0u);
  EXPECT_EQ(SignedHighWord(MouseWheelMessage(nullptr, -2.0f)->wParam), -240);
  EXPECT_EQ(SignedHighWord(MouseWheelMessage(nullptr, 0.25f)->wParam), 30);  // smooth scrolling
  EXPECT_FALSE(MouseWheelMessage(nullptr, 0.001f).has_value());
  EXPECT_EQ(SignedHighWord(MouseWheelMessage(nullptr, 1e9f)->wParam), 32767);  // clamped
  EXPECT_FALSE(MouseWheelMessage(nullptr, std::numeric_limits<float>::quiet_NaN()).has_value());
}

TEST(EdgeForResize, FollowsWhatChanged) {
  EXPECT_EQ(EdgeForResize(800, 500, 900, 500), EdgeRight);
  EXPECT_EQ(EdgeForResize(800, 500, 800, 450), EdgeBottom);
  EXPECT_EQ(EdgeForResize(800, 500, 900, 600), EdgeBottomRight);
}

}  // namespace
}  // namespace platform
