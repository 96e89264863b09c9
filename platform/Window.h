// The one top-level window of the program, on SDL2. It turns the desktop's
// events into Messages (WindowMessages.h) delivered through MessageQueue.h to
// the procedure given at creation. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;

namespace platform {

using WindowProcFn = std::intptr_t (*)(class Window* window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam);

struct WindowDesc {
  std::string title;
  int clientWidth = 800;
  int clientHeight = 600;
  bool fullscreen = false;   // a borderless window covering the desktop
  bool openGL = true;        // the window can carry an OpenGL context
};

// Starts the desktop connection (the video subsystem). False, with the reason
// in LastVideoError, when there is no display. Idempotent.
bool InitVideo();
void ShutdownVideo();
std::string LastVideoError();

// The desktop's size in pixels; 0 x 0 without a display.
void DesktopSize(int& width, int& height);

class Window {
 public:
  // Creates the window hidden; null on failure (reason in LastVideoError).
  static std::unique_ptr<Window> Create(const WindowDesc& desc, WindowProcFn proc);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Shows the window, maximised or at its size, raises it and gives it the
  // keyboard focus.
  void Show(bool maximised);

  void SetTitle(const std::string& title);
  bool IsFullscreen() const;
  bool IsMaximised() const;
  bool IsMinimised() const;
  void ClientSize(int& width, int& height) const;
  void SetClientSize(int width, int height);
  void SetMinimumClientSize(int width, int height);

  // The pointer in client pixels, and moving it there.
  void CursorPos(int& x, int& y) const;
  void SetCursorPos(int x, int y);
  void ShowCursor(bool visible);

  // While captured, the window keeps receiving mouse events outside its area.
  void SetMouseCapture(bool captured);

  WindowProcFn Procedure() const { return proc_; }
  SDL_Window* Sdl() const { return window_; }
  std::uint32_t Id() const;

 private:
  Window(SDL_Window* window, WindowProcFn proc);
  SDL_Window* window_ = nullptr;
  WindowProcFn proc_ = nullptr;
};

}  // namespace platform
