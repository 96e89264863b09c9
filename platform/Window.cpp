#include "platform/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/Cp1252.h"
#include "platform/GLContext.h"
#include "platform/MessageQueue.h"

namespace platform {

namespace {

std::string& LastError() {
  static std::string error;
  return error;
}

// The live windows, so events (which carry SDL window ids) find their owner.
std::vector<Window*>& Registry() {
  static std::vector<Window*> windows;
  return windows;
}

void ConfigureGLFramebuffer() {
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

// On X11 a full-screen window is made as a borderless window over the whole
// desktop that asks the window manager for the full-screen state before it
// is mapped. SDL's own full-screen flag would have SDL wait for the window
// manager to move and resize the window after mapping it, up to 100 ms
// when it never does (as without a window manager, or when the window
// already has the desktop's size).
bool CoversDesktopItself(const WindowDesc& desc) {
  const char* driver = SDL_GetCurrentVideoDriver();
  return desc.fullscreen && driver != nullptr && std::strcmp(driver, "x11") == 0;
}

Uint32 CreationFlags(const WindowDesc& desc, bool coverDesktop) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (coverDesktop)
    flags |= SDL_WINDOW_BORDERLESS;
  else
    flags |= desc.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE;
  if (desc.openGL) flags |= SDL_WINDOW_OPENGL;
  return flags;
}

// The X11 display and window behind an SDL window; false on another desktop.
bool X11Handles(SDL_Window* window, ::Display*& display, ::Window& handle) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  handle = info.info.x11.window;
  return true;
}

// Sets the window manager's full-screen state on a window not yet mapped,
// which the manager applies as it maps the window.
void RequestFullscreenState(SDL_Window* window) {
  ::Display* display = nullptr;
  ::Window handle = 0;
  if (!X11Handles(window, display, handle)) return;
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, handle, state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&fullscreen), 1);
  XFlush(display);
}

// The pointer relative to the window, as the X server has it now; false off
// X11, or with the pointer on another screen.
bool QueryX11Pointer(SDL_Window* window, int& x, int& y) {
  ::Display* display = nullptr;
  ::Window handle = 0, root = 0, child = 0;
  if (!X11Handles(window, display, handle)) return false;
  int rootX = 0, rootY = 0;
  unsigned int buttons = 0;
  return XQueryPointer(display, handle, &root, &child, &rootX, &rootY, &x, &y, &buttons) != False;
}

// A client size the desktop can show: within its usable area for a window,
// within its whole size for full screen (which covers the desktop anyway);
// never above kLargestSide, never below 1.
void ClampToDesktop(int& width, int& height, bool fullscreen) {
  int maxWidth = 0, maxHeight = 0;
  if (fullscreen)
    DesktopSize(maxWidth, maxHeight);
  else
    DesktopUsableSize(maxWidth, maxHeight);
  if (maxWidth <= 0 || maxHeight <= 0) maxWidth = maxHeight = kLargestSide;
  width = std::clamp(width, 1, std::min(maxWidth, kLargestSide));
  height = std::clamp(height, 1, std::min(maxHeight, kLargestSide));
}

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

}  // namespace

namespace {

// Starts video with the named driver (null: SDL's own choice).
bool StartVideoDriver(const char* name) {
  if (name != nullptr) SDL_SetHint(SDL_HINT_VIDEODRIVER, name);
  const bool started = SDL_Init(SDL_INIT_VIDEO) == 0;
  if (name != nullptr) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  return started;
}

// With an X display named, X11 is tried first and a few times: a busy X
// server can refuse a connection for a moment, and SDL would then fall
// through to drivers that show nothing. The reason is kept for the log.
bool StartX11(std::string& reason) {
  if (SDL_getenv("SDL_VIDEODRIVER") != nullptr || SDL_getenv("DISPLAY") == nullptr) return false;
  constexpr int kAttempts = 3;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) SDL_Delay(200);
    if (StartVideoDriver("x11")) return true;
    reason = std::string("X11: ") + SDL_GetError();
  }
  return false;
}

// Mesa's software rasteriser (llvmpipe) starts one raster thread per core
// unless told otherwise. Measured on 8 cores at 1280 x 1024 (bench/): a 3-D
// board frame takes 9-11 ms with three threads, about the 100 Hz cap, for
// 20 ms of CPU, against 11-13 ms with two and 5-9 ms with eight for 21-24
// ms of CPU; a 2-D frame drawn anew costs 17 % of a core at 100 Hz with two
// threads, 26 % with eight, as waking threads costs more than they save. A
// player's own LP_NUM_THREADS is left alone. It must be set before the
// first OpenGL context exists; other drivers ignore it.
void ChooseSoftwareRasterThreads() {
  setenv("LP_NUM_THREADS", "3", 0);
}

}  // namespace

bool InitVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  ChooseSoftwareRasterThreads();
  // The close box must only report a Close message; ending the program is
  // the window procedure's decision.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  std::string x11Reason;
  if (StartX11(x11Reason)) return true;
  if (!StartVideoDriver(nullptr)) {
    LastError() = x11Reason.empty() ? SDL_GetError() : x11Reason;
    return false;
  }
  // Without a display SDL falls back to drivers that draw into memory; a
  // game nobody can see is no use, so those count as no display unless
  // someone asked for them by name.
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool offscreen =
      driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  if (offscreen && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    LastError() = x11Reason.empty() ? "no display" : x11Reason;
    return false;
  }
  return true;
}

void ShutdownVideo() {
  GLContext::DropSpare();
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::string LastVideoError() {
  return LastError();
}

void DesktopSize(int& width, int& height) {
  width = height = 0;
  SDL_DisplayMode mode;
  if (!InitVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return;
  width = mode.w;
  height = mode.h;
}

void DesktopUsableSize(int& width, int& height) {
  SDL_Rect usable{};
  if (InitVideo() && SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
    width = usable.w;
    height = usable.h;
    return;
  }
  DesktopSize(width, height);
}

std::unique_ptr<Window> Window::Create(const WindowDesc& desc, WindowProcFn proc) {
  if (!InitVideo()) return nullptr;
  if (desc.openGL) ConfigureGLFramebuffer();
  const bool cover = CoversDesktopItself(desc);
  int x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
  int width = desc.clientWidth, height = desc.clientHeight;
  SDL_Rect desktop{};
  if (cover && SDL_GetDisplayBounds(0, &desktop) == 0) {
    x = desktop.x;
    y = desktop.y;
    width = desktop.w;
    height = desktop.h;
  }
  ClampToDesktop(width, height, desc.fullscreen);
  SDL_Window* sdl =
      SDL_CreateWindow(Cp1252ToUtf8(desc.title).c_str(), x, y, width, height, CreationFlags(desc, cover));
  if (sdl == nullptr) {
    LastError() = SDL_GetError();
    return nullptr;
  }
  if (cover) RequestFullscreenState(sdl);
  std::unique_ptr<Window> window(new Window(sdl, proc, cover));
  window->ApplyMinimumFromProcedure();
  return window;
}

Window::Window(SDL_Window* window, WindowProcFn proc, bool coversDesktop)
    : window_(window), proc_(proc), coversDesktop_(coversDesktop) {
  Registry().push_back(this);
  int width = 0, height = 0;
  ClientSize(width, height);
  sizes_.Reset(width, height);
}

Window::~Window() {
  auto& windows = Registry();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  DiscardMessagesFor(this);
  SDL_DestroyWindow(window_);
}

void Window::ApplyMinimumFromProcedure() {
  if (proc_ == nullptr) return;
  MinMaxInfo info;
  proc_(this, msg::GetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&info));
  if (info.minTrackWidth > 0 && info.minTrackHeight > 0)
    SetMinimumClientSize(info.minTrackWidth, info.minTrackHeight);
}

void Window::Show(bool maximised) {
  SDL_ShowWindow(window_);
  if (maximised && !coversDesktop_) SDL_MaximizeWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
  int width = 0, height = 0;
  ClientSize(width, height);
  sizes_.Reset(width, height);
  ReportSize();
}

void Window::SetTitle(const std::string& title) {
  SDL_SetWindowTitle(window_, Cp1252ToUtf8(title).c_str());
}

void Window::SetIcon(const IconImage& icon) {
  if (icon.width <= 0 || icon.height <= 0 || icon.width > kLargestSide || icon.height > kLargestSide) return;
  if (icon.pixels.size() != static_cast<std::size_t>(icon.width) * icon.height) return;
  // SDL copies the pixels into the window's icon; the surface only borrows them.
  void* pixels = const_cast<std::uint32_t*>(icon.pixels.data());
  std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(SDL_CreateRGBSurfaceWithFormatFrom(
      pixels, icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888));
  if (surface) SDL_SetWindowIcon(window_, surface.get());
}

bool Window::IsFullscreen() const {
  return coversDesktop_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool Window::IsMaximised() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
}

bool Window::IsMinimised() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

void Window::ClientSize(int& width, int& height) const {
  SDL_GetWindowSize(window_, &width, &height);
}

void Window::SetClientSize(int width, int height) {
  // The desktop keeps the minimum; expect the size it will really give.
  int minWidth = 0, minHeight = 0;
  SDL_GetWindowMinimumSize(window_, &minWidth, &minHeight);
  ClampToDesktop(width, height, IsFullscreen());
  width = std::max(width, minWidth);
  height = std::max(height, minHeight);
  sizes_.Requested(width, height);
  SDL_SetWindowSize(window_, width, height);
}

void Window::SetMinimumClientSize(int width, int height) {
  SDL_SetWindowMinimumSize(window_, std::clamp(width, 1, kLargestSide), std::clamp(height, 1, kLargestSide));
}

// Asked of the X server where it can be: SDL's own idea of where the window
// stands, and of where the pointer is on the desktop, lags behind moves made
// by other programs (with no window manager, SDL may not hear of them).
void Window::CursorPos(int& x, int& y) const {
  if (QueryX11Pointer(window_, x, y)) return;
  int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
  SDL_GetGlobalMouseState(&globalX, &globalY);
  SDL_GetWindowPosition(window_, &windowX, &windowY);
  x = globalX - windowX;
  y = globalY - windowY;
}

void Window::SetCursorPos(int x, int y) {
  SDL_WarpMouseInWindow(window_, x, y);
}

void Window::ShowCursor(bool visible) {
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void Window::SetMouseCapture(bool captured) {
  SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE);
}

std::uint32_t Window::Id() const {
  return SDL_GetWindowID(window_);
}

Window* Window::Find(std::uint32_t sdlWindowId) {
  for (Window* window : Registry())
    if (window->Id() == sdlWindowId) return window;
  return nullptr;
}

Window* Window::FindForKeyboard(std::uint32_t sdlWindowId) {
  if (Window* window = Find(sdlWindowId)) return window;
  // Keys typed before the desktop has told SDL which window has the focus
  // carry no window; with one window of ours they can only be meant for it.
  if (sdlWindowId == 0 && Registry().size() == 1) return Registry().front();
  return nullptr;
}

void Window::HandleDesktopResize(int width, int height) {
  const Uint32 fixed = SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN;
  const bool userSizable = !coversDesktop_ && (SDL_GetWindowFlags(window_) & fixed) == 0;
  if (const auto edge = sizes_.Changed(width, height, userSizable)) NegotiateSize(*edge, width, height);
  ReportSize();
}

void Window::NegotiateSize(SizingEdge edge, int width, int height) {
  if (proc_ == nullptr) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SizingRect rect{x, y, x + width, y + height};
  proc_(this, msg::Sizing, edge, reinterpret_cast<std::intptr_t>(&rect));
  const int newWidth = rect.right - rect.left;
  const int newHeight = rect.bottom - rect.top;
  if (newWidth <= 0 || newHeight <= 0) return;  // a procedure's nonsense is not applied
  if (newWidth != width || newHeight != height) SetClientSize(newWidth, newHeight);
  if (rect.left != x || rect.top != y) SDL_SetWindowPosition(window_, rect.left, rect.top);
}

void Window::ReportSize() {
  Reported now;
  const Uint32 flags = SDL_GetWindowFlags(window_);
  if ((flags & SDL_WINDOW_MINIMIZED) != 0) {
    now = {SizeMinimised, 0, 0};
  } else {
    ClientSize(now.width, now.height);
    const bool full = coversDesktop_ || (flags & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_FULLSCREEN)) != 0;
    now.kind = full ? SizeMaximised : SizeRestored;
  }
  if (now == reported_) return;
  reported_ = now;
  PostMessage({this, msg::Size, now.kind,
               MakeLong(static_cast<std::uint32_t>(now.width), static_cast<std::uint32_t>(now.height))});
}

}  // namespace platform
