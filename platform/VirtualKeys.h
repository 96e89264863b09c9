// Virtual-key codes: the numbers game code compares key messages with.
// Letters and digits are their upper-case ASCII codes ('A' = 65, '0' = 48).
#pragma once

#include <cstdint>

namespace platform::vk {
inline constexpr std::uint32_t Back = 8;
inline constexpr std::uint32_t Tab = 9;
inline constexpr std::uint32_t Clear = 12;   // keypad 5 without Num Lock
inline constexpr std::uint32_t Return = 13;
inline constexpr std::uint32_t Shift = 16;    // either Shift key
inline constexpr std::uint32_t Control = 17;  // either Ctrl key
inline constexpr std::uint32_t Menu = 18;     // either Alt key
inline constexpr std::uint32_t Pause = 19;
inline constexpr std::uint32_t Capital = 20;  // Caps Lock
inline constexpr std::uint32_t Escape = 27;
inline constexpr std::uint32_t Space = 32;
inline constexpr std::uint32_t Prior = 33;    // Page Up
inline constexpr std::uint32_t Next = 34;     // Page Down
inline constexpr std::uint32_t End = 35;
inline constexpr std::uint32_t Home = 36;
inline constexpr std::uint32_t Left = 37;
inline constexpr std::uint32_t Up = 38;
inline constexpr std::uint32_t Right = 39;
inline constexpr std::uint32_t Down = 40;
inline constexpr std::uint32_t Snapshot = 44;  // Print Screen
inline constexpr std::uint32_t Insert = 45;
inline constexpr std::uint32_t Delete = 46;
inline constexpr std::uint32_t LWin = 91;
inline constexpr std::uint32_t RWin = 92;
inline constexpr std::uint32_t Apps = 93;     // the context-menu key
inline constexpr std::uint32_t Numpad0 = 96;  // Numpad0..Numpad9 are 96..105
inline constexpr std::uint32_t Multiply = 106;
inline constexpr std::uint32_t Add = 107;
inline constexpr std::uint32_t Subtract = 109;
inline constexpr std::uint32_t Decimal = 110;
inline constexpr std::uint32_t Divide = 111;
inline constexpr std::uint32_t F1 = 112;      // F1..F12 are 112..123
inline constexpr std::uint32_t F8 = 119;
inline constexpr std::uint32_t F10 = 121;
inline constexpr std::uint32_t F12 = 123;
inline constexpr std::uint32_t F13 = 124;     // F13..F24 are 124..135
inline constexpr std::uint32_t NumLock = 144;
inline constexpr std::uint32_t Scroll = 145;  // Scroll Lock
inline constexpr std::uint32_t Oem1 = 186;      // ;:
inline constexpr std::uint32_t OemPlus = 187;   // =+
inline constexpr std::uint32_t OemComma = 188;
inline constexpr std::uint32_t OemMinus = 189;
inline constexpr std::uint32_t OemPeriod = 190;
inline constexpr std::uint32_t Oem2 = 191;      // /?
inline constexpr std::uint32_t Oem3 = 192;      // the key left of 1
inline constexpr std::uint32_t Oem4 = 219;      // [{
inline constexpr std::uint32_t Oem5 = 220;      // backslash
inline constexpr std::uint32_t Oem6 = 221;      // ]}
inline constexpr std::uint32_t Oem7 = 222;      // quote
inline constexpr std::uint32_t Oem102 = 226;    // the extra key left of Z on ISO keyboards
}  // namespace platform::vk
