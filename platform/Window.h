// The one top-level window of the program, on SDL2. It turns the desktop's
// events into Messages (WindowMessages.h) delivered through MessageQueue.h to
// the procedure given at creation. Main thread only. All sizes are client
// sizes: the desktop draws and sizes the frame, which we treat as 0 x 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ClientSizeTracker.h"

struct SDL_Window;

namespace platform {

using WindowProcFn = std::intptr_t (*)(class Window* window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam);

struct WindowDesc {
  std::string title;  // Windows-1252, like every game string
  // Clamped to what the desktop can show: its usable area (without panels)
  // for a window, its whole size for full screen; at least 1.
  int clientWidth = 800;
  int clientHeight = 600;
  bool fullscreen = false;  // a window covering the desktop
  bool openGL = true;       // the window can carry an OpenGL context
};

// The window's icon: rows top first, each pixel 0xAARRGGBB. Empty (0 x 0)
// leaves the desktop's default icon.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height entries
};

// The system pointer over the window: hidden where the program draws its own.
enum class CursorShape { Hidden, Arrow };

// Starts the desktop connection (the video subsystem). False, with the reason
// in LastVideoError, when there is no display. Idempotent.
bool InitVideo();
// Ends the desktop connection; call only when no Window is left.
void ShutdownVideo();
std::string LastVideoError();

// The desktop's size in pixels; 0 x 0 without a display. Starts the video
// subsystem when needed.
void DesktopSize(int& width, int& height);
// The part of the desktop a window may cover (without panels and docks);
// the whole desktop when the desktop does not say, 0 x 0 without a display.
void DesktopUsableSize(int& width, int& height);

// No side of a window the layer makes exceeds this.
inline constexpr int kLargestSide = 16384;

class Window {
 public:
  // Creates the window hidden; null on failure (reason in LastVideoError).
  // Starts the video subsystem when needed. A window with openGL gets a
  // double-buffered frame buffer with 24 depth and 8 stencil bits for an
  // OpenGL 2.1 compatibility context. The procedure receives GetMinMaxInfo
  // before Create returns; a minimum it fills in is applied.
  static std::unique_ptr<Window> Create(const WindowDesc& desc, WindowProcFn proc);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Shows the window, maximised or at its size, raises it and gives it the
  // keyboard focus; queues a Size message with the size it then has.
  void Show(bool maximised);

  void SetTitle(const std::string& title);
  // An empty or malformed image (pixels not width * height) is ignored.
  void SetIcon(const IconImage& icon);
  // Full screen: covering the desktop by itself (made so), or in a
  // full-screen state or display mode set later.
  bool IsFullscreen() const;
  // Made full screen: a borderless window over the whole desktop in the
  // window manager's full-screen state, without SDL's full-screen flag.
  bool CoversDesktop() const { return coversDesktop_; }
  bool IsMaximised() const;
  bool IsMinimised() const;
  void ClientSize(int& width, int& height) const;
  // Asks for a client size (clamped as at creation); it arrives as a Size
  // message, without Sizing.
  void SetClientSize(int width, int height);
  void SetMinimumClientSize(int width, int height);

  // The pointer in client pixels (negative or beyond the size when it is
  // outside the window), and moving it there.
  void CursorPos(int& x, int& y) const;
  void SetCursorPos(int x, int y);
  void ShowCursor(bool visible);

  // While captured, the window keeps receiving mouse events outside its area.
  void SetMouseCapture(bool captured);

  WindowProcFn Procedure() const { return proc_; }
  SDL_Window* Sdl() const { return window_; }
  std::uint32_t Id() const;

  // The live window with this SDL window id, or null.
  static Window* Find(std::uint32_t sdlWindowId);
  // Find, but keyboard input without a window goes to our only window.
  static Window* FindForKeyboard(std::uint32_t sdlWindowId);

  // For the event translation (DesktopEvents.cpp): the desktop reports a new
  // client size. A size the user dragged is first sent to the procedure as a
  // Sizing message (edge deduced from what changed, rectangle in client
  // pixels); a rectangle it changed is applied. Then a Size message with the
  // final size is queued.
  void HandleDesktopResize(int width, int height);
  // The desktop asks for the window's contents again (it lost them); the
  // graphics device takes the note and shows its next frame whatever it is.
  void NoteExposed() { exposed_ = true; }
  bool TakeExposed() { return std::exchange(exposed_, false); }
  bool Exposed() const { return exposed_; }
  // Queues a Size message when the window's state or size differs from the
  // last one reported: minimised gives SizeMinimised with 0 x 0, maximised
  // or full screen SizeMaximised, else SizeRestored.
  void ReportSize();

 private:
  Window(SDL_Window* window, WindowProcFn proc, bool coversDesktop);
  void NegotiateSize(SizingEdge edge, int width, int height);
  void ApplyMinimumFromProcedure();

  struct Reported {
    std::uint32_t kind = 0;
    int width = -1;
    int height = -1;
    bool operator==(const Reported&) const = default;
  };

  SDL_Window* window_ = nullptr;
  WindowProcFn proc_ = nullptr;
  bool coversDesktop_ = false;
  bool exposed_ = false;
  ClientSizeTracker sizes_;
  Reported reported_;
};

}  // namespace platform
