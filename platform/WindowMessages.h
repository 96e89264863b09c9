// Window messages in the shape the framework's window procedure expects:
// a message id and two parameters, with positions and sizes packed into the
// low and high 16 bits of a parameter. The ids are this layer's own; the
// parameter layouts follow the conventions the game code was written for.
#pragma once

#include <cstdint>

namespace platform {

class Window;

namespace msg {
inline constexpr std::uint32_t Size = 1;           // wParam: SizeKind; lParam: MakeLong(width, height)
inline constexpr std::uint32_t Activate = 2;       // wParam: MakeLong(ActivateState, minimised ? 1 : 0)
inline constexpr std::uint32_t Paint = 3;          // no parameters
inline constexpr std::uint32_t Close = 4;          // the close box; the window is not destroyed
inline constexpr std::uint32_t GetMinMaxInfo = 5;  // lParam: MinMaxInfo* (sent, never queued)
inline constexpr std::uint32_t KeyDown = 6;        // wParam: virtual-key code; lParam: bit 30 set on auto-repeat
inline constexpr std::uint32_t KeyUp = 7;          // wParam: virtual-key code
inline constexpr std::uint32_t SysKeyDown = 8;     // key down while Alt is held (same parameters)
inline constexpr std::uint32_t SysKeyUp = 9;
inline constexpr std::uint32_t Char = 10;          // wParam: one Windows-1252 byte (control codes included)
inline constexpr std::uint32_t DeadChar = 11;      // wParam: character code
inline constexpr std::uint32_t SysCommand = 12;    // wParam: SysCommandKind
inline constexpr std::uint32_t MouseMove = 13;     // lParam: MakeLong(x, y) in client pixels
inline constexpr std::uint32_t LButtonDown = 14;   // lParam: MakeLong(x, y)
inline constexpr std::uint32_t LButtonUp = 15;
inline constexpr std::uint32_t RButtonDown = 16;
inline constexpr std::uint32_t RButtonUp = 17;
inline constexpr std::uint32_t MButtonDown = 18;
inline constexpr std::uint32_t MButtonUp = 19;
inline constexpr std::uint32_t MouseWheel = 20;    // wParam: MakeLong(0, delta as 16-bit), 120 per notch, up positive
inline constexpr std::uint32_t Sizing = 21;        // wParam: SizingEdge; lParam: SizingRect* (sent, never queued)
inline constexpr std::uint32_t Quit = 22;          // wParam: exit code; has no window
inline constexpr std::uint32_t MouseLeave = 23;    // the pointer left the client area; no parameters
// This layer never sends DeadChar or SysCommand: the desktop's input method
// composes accented characters (they arrive as Char), and the screen saver
// stays off while the video subsystem runs.
}  // namespace msg

enum SizeKind : std::uint32_t { SizeRestored = 0, SizeMinimised = 1, SizeMaximised = 2 };
enum ActivateState : std::uint32_t { Inactive = 0, Active = 1 };
enum SysCommandKind : std::uint32_t { SysCommandScreenSave = 1, SysCommandMonitorPower = 2, SysCommandOther = 3 };

// The edge or corner being dragged in a Sizing message.
enum SizingEdge : std::uint32_t {
  EdgeLeft = 1, EdgeRight = 2, EdgeTop = 3, EdgeTopLeft = 4, EdgeTopRight = 5,
  EdgeBottom = 6, EdgeBottomLeft = 7, EdgeBottomRight = 8
};

// The window rectangle being dragged; the procedure may change it.
struct SizingRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Filled by the procedure: the smallest window size the user may drag to.
struct MinMaxInfo {
  int minTrackWidth = 0;
  int minTrackHeight = 0;
};

struct Message {
  Window* window = nullptr;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

inline constexpr std::intptr_t MakeLong(std::uint32_t low, std::uint32_t high) {
  return static_cast<std::intptr_t>((low & 0xffffu) | ((high & 0xffffu) << 16));
}
inline constexpr std::uint32_t LowWord(std::uintptr_t v) { return static_cast<std::uint32_t>(v & 0xffffu); }
inline constexpr std::uint32_t HighWord(std::uintptr_t v) { return static_cast<std::uint32_t>((v >> 16) & 0xffffu); }
inline constexpr int SignedHighWord(std::uintptr_t v) { return static_cast<std::int16_t>(HighWord(v)); }

// Bit 30 of a key message's lParam: the key was already down (auto-repeat).
inline constexpr std::intptr_t kKeyRepeatBit = std::intptr_t{1} << 30;

}  // namespace platform
