#include "framework/YFramework.h"

#include <limits>
#include <string>
#include <utility>

#include "framework/DisplayModeText.h"
#include "framework/FrameworkHooks.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/MessageQueue.h"
#include "platform/Process.h"
#include "platform/VirtualKeys.h"

YFramework* g_app = nullptr;

namespace {

namespace msg = platform::msg;

constexpr std::uint32_t kLeftButtonBit = 1;
constexpr std::uint32_t kRightButtonBit = 2;
constexpr std::uint32_t kFpsPeriodMs = 1000;

// Float to int toward zero, clamped so an absurd size cannot overflow.
int Truncate(float value) {
  constexpr float kLimit = static_cast<float>(std::numeric_limits<int>::max() / 2);
  if (!(value > -kLimit)) return static_cast<int>(-kLimit);
  if (!(value < kLimit)) return static_cast<int>(kLimit);
  return static_cast<int>(value);
}

// Positions are signed 16-bit words: while the mouse is captured it may be
// left of or above the client area.
int SignedLow(std::intptr_t value) {
  return static_cast<std::int16_t>(platform::LowWord(static_cast<std::uintptr_t>(value)));
}
int SignedHigh(std::intptr_t value) {
  return platform::SignedHighWord(static_cast<std::uintptr_t>(value));
}

bool IsTopCorner(std::uint32_t edge) {
  return edge == platform::EdgeTopLeft || edge == platform::EdgeTopRight;
}
bool IsLeftCorner(std::uint32_t edge) {
  return edge == platform::EdgeTopLeft || edge == platform::EdgeBottomLeft;
}
bool IsCorner(std::uint32_t edge) {
  return IsTopCorner(edge) || edge == platform::EdgeBottomLeft || edge == platform::EdgeBottomRight;
}

// Counts a pump pass in pumpDepth for as long as it runs.
class PumpDepthScope {
 public:
  explicit PumpDepthScope(int& depth) : depth_(depth) { ++depth_; }
  ~PumpDepthScope() { --depth_; }
  PumpDepthScope(const PumpDepthScope&) = delete;
  PumpDepthScope& operator=(const PumpDepthScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

YFramework::YFramework(TimeSource clock)
    : clock_(clock ? std::move(clock) : TimeSource(platform::SystemTimeMs)) {
  lastFpsTime = GetTime();
  g_app = this;
}

YFramework::~YFramework() {
  KillWindow();
  if (g_app == this) g_app = nullptr;
}

// ---------------------------------------------------------------------------
// Virtual operations' defaults

void YFramework::Quit() {
  running = false;
  ++quitCount_;
}
void YFramework::OnSize(int, int) {}

bool YFramework::Frame() {
  const FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.RendererExists() && hooks.drawEmptyFrame) hooks.drawEmptyFrame();
  return true;
}

void YFramework::OnIdle() {}
void YFramework::OnClose() {
  Quit();
}
void YFramework::OnMouseMove(int, int) {}
void YFramework::OnMouseWheel(int) {}
void YFramework::OnMouseDown(int, int, int) {}
void YFramework::OnMouseUp(int, int, int) {}

void YFramework::OnKeyDown(std::uint32_t virtualKey) {
  if (virtualKey == platform::vk::F10) Quit();
}

void YFramework::OnKeyUp(std::uint32_t) {}
void YFramework::OnChar(std::uint32_t) {}
void YFramework::OnDeadChar(std::uint32_t) {}
void YFramework::OnTimer(std::uint32_t, std::uint32_t) {}
platform::IconImage YFramework::GetIcon() {
  return {};
}
platform::CursorShape YFramework::GetCursor() {
  return platform::CursorShape::Hidden;
}

// ---------------------------------------------------------------------------
// The message switch

std::intptr_t YFramework::WindowProc(platform::Window* window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  switch (message) {
    case msg::Size:
      return HandleSize(wParam, lParam);
    case msg::Activate:
      HandleActivate(wParam);
      return 0;
    case msg::Paint:
      RenderFrame();
      break;  // the default procedure follows
    case msg::Close:
      OnClose();
      return 0;
    case msg::GetMinMaxInfo:
      return HandleMinMaxInfo(window, wParam, lParam);
    case msg::Sizing:
      return HandleSizing(window, wParam, lParam);
    case msg::SysCommand:
      if (wParam == platform::SysCommandScreenSave || wParam == platform::SysCommandMonitorPower)
        return 0;  // no screen saver or monitor power-down while playing
      break;
    default:
      if (HandleInputMessage(window, message, wParam, lParam)) return 0;
      break;
  }
  return platform::DefaultWindowProc(window, message, wParam, lParam);
}

bool YFramework::HandleInputMessage(platform::Window* window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  switch (message) {
    case msg::KeyDown:
    case msg::SysKeyDown:
      HandleKey(wParam, true);
      return true;
    case msg::KeyUp:
    case msg::SysKeyUp:
      HandleKey(wParam, false);
      return true;
    case msg::Char:
      OnChar(static_cast<std::uint32_t>(wParam));
      return true;
    case msg::DeadChar:
      OnDeadChar(static_cast<std::uint32_t>(wParam));
      return true;
    case msg::MouseMove:
      StoreMousePosition(lParam);
      OnMouseMove(mouseX, mouseY);
      return true;
    case msg::MouseLeave:
      mouseInside = false;
      return true;
    case msg::LButtonDown:
      HandleMouseButton(window, 1, true, lParam);
      return true;
    case msg::LButtonUp:
      HandleMouseButton(window, 1, false, lParam);
      return true;
    case msg::RButtonDown:
      HandleMouseButton(window, 2, true, lParam);
      return true;
    case msg::RButtonUp:
      HandleMouseButton(window, 2, false, lParam);
      return true;
    case msg::MouseWheel:
      OnMouseWheel(platform::SignedHighWord(wParam));
      return true;
    default:
      return false;
  }
}

std::intptr_t YFramework::HandleSize(std::uintptr_t wParam, std::intptr_t lParam) {
  const auto packed = static_cast<std::uintptr_t>(lParam);
  clientWidth = static_cast<int>(platform::LowWord(packed));
  clientHeight = static_cast<int>(platform::HighWord(packed));
  if (clientWidth == 0 || clientHeight == 0) {
    active = false;  // minimised: no frames until restored
    return 0;
  }
  active = true;
  currentAspect = static_cast<float>(clientWidth) / static_cast<float>(clientHeight);
  maximised = wParam == platform::SizeMaximised;
  const FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.RendererExists() && hooks.resizeDevice) hooks.resizeDevice();
  OnSize(clientWidth, clientHeight);
  FindPointerAgain();
  return 0;
}

// The desktop sends no motion when the window changes its size under a
// resting pointer, yet the pointer now lies elsewhere in the view: where
// it stands is read again and handled as a move, so that what it lies
// over follows the drawn cursor. A pointer the window shrank away from is
// handled as a move to where it now stands outside, as one moved out is,
// so nothing stays lit under a drawn cursor that is gone.
void YFramework::FindPointerAgain() {
  if (!mouseInside) return;
  GetMousePos();
  OnMouseMove(mouseX, mouseY);
}

void YFramework::HandleActivate(std::uintptr_t wParam) {
  // Losing the focus keeps frames running; only a minimised window stops.
  active = platform::HighWord(wParam) == 0;
  const FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.enableSound) hooks.enableSound(active);
}

std::intptr_t YFramework::HandleMinMaxInfo(platform::Window* window, std::uintptr_t wParam,
                                           std::intptr_t lParam) {
  auto* info = reinterpret_cast<platform::MinMaxInfo*>(lParam);
  if (fullscreen || info == nullptr)
    return platform::DefaultWindowProc(window, msg::GetMinMaxInfo, wParam, lParam);
  info->minTrackWidth = frameWidth + kSmallestClientWidth;
  info->minTrackHeight = frameHeight + kSmallestClientHeight;
  return 0;
}

std::intptr_t YFramework::HandleSizing(platform::Window* window, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
  auto* rect = reinterpret_cast<platform::SizingRect*>(lParam);
  if (fullscreen || rect == nullptr) return platform::DefaultWindowProc(window, msg::Sizing, wParam, lParam);
  KeepDesignAspect(*rect, static_cast<std::uint32_t>(wParam));
  return 0;
}

// The dragged edge decides which side follows: an edge moves the other
// dimension; a corner lets the larger side (measured in the design aspect)
// rule and moves the other one's edge at that corner.
void YFramework::KeepDesignAspect(platform::SizingRect& rect, std::uint32_t edge) const {
  const int width = rect.right - rect.left - frameWidth;
  const int height = rect.bottom - rect.top - frameHeight;
  if (edge == platform::EdgeLeft || edge == platform::EdgeRight) {
    rect.bottom = rect.top + frameHeight + Truncate(width / designAspect);
  } else if (edge == platform::EdgeTop || edge == platform::EdgeBottom) {
    rect.right = rect.left + frameWidth + Truncate(height * designAspect);
  } else if (IsCorner(edge) && width >= height * designAspect) {
    const int followed = Truncate(width / designAspect);
    if (IsTopCorner(edge))
      rect.top = rect.bottom - frameHeight - followed;
    else
      rect.bottom = rect.top + frameHeight + followed;
  } else if (IsCorner(edge)) {
    const int followed = Truncate(height * designAspect);
    if (IsLeftCorner(edge))
      rect.left = rect.right - frameWidth - followed;
    else
      rect.right = rect.left + frameWidth + followed;
  }
}

void YFramework::HandleKey(std::uintptr_t virtualKey, bool down) {
  // Codes beyond the table still reach the handlers, but never index it.
  if (virtualKey < keys.size()) keys[virtualKey] = down ? 1 : 0;
  const auto code = static_cast<std::uint32_t>(virtualKey);
  if (down)
    OnKeyDown(code);
  else
    OnKeyUp(code);
}

void YFramework::HandleMouseButton(platform::Window* window, int button, bool down, std::intptr_t lParam) {
  if (window != nullptr) window->SetMouseCapture(down);
  const std::uint32_t bit = button == 1 ? kLeftButtonBit : kRightButtonBit;
  if (down)
    mouseButtons |= bit;
  else
    mouseButtons &= ~bit;
  StoreMousePosition(lParam);
  if (down)
    OnMouseDown(button, mouseX, mouseY);
  else
    OnMouseUp(button, mouseX, mouseY);
}

void YFramework::StoreMousePosition(std::intptr_t lParam) {
  mouseInside = true;
  mouseX = SignedLow(lParam);
  mouseY = SignedHigh(lParam);
}

// ---------------------------------------------------------------------------
// The message pump, frames and timers

void YFramework::Run() {
  running = true;
  while (PumpOnce()) {
  }
}

bool YFramework::PumpOnce() {
  PumpDepthScope depth(pumpDepth);
  // A request to end from outside (a signal, the desktop's quit) leaves the
  // way the program's own exit does, so what Quit saves is saved.
  if (platform::TerminationRequested()) {
    Quit();
    return false;
  }
  const unsigned quitsBefore = quitCount_;
  platform::Message message;
  if (platform::PeekMessage(message)) {
    if (message.message == msg::Quit) {
      Quit();
      running = false;
      return false;
    }
    platform::DispatchMessage(message);
  } else {
    OnIdle();
  }
  // Once Quit has run (the window's close, F10, the menu's exit) the pass
  // ends here: leaving may have freed what a timer or the next frame would
  // reach.
  if (quitCount_ != quitsBefore) return running;
  DispatchTimers();
  RenderFrame();
  return running;
}

void YFramework::RenderFrame() {
  if (!active || !Frame()) return;
  ++frameCount;
  const std::uint32_t now = GetTime();
  const std::uint32_t elapsed = now - lastFpsTime;  // unsigned: survives the wrap
  if (elapsed <= kFpsPeriodMs) return;
  fps = static_cast<float>(frameCount * 1000.0 / elapsed);
  lastFpsTime = now;
  frameCount = 0;
}

void YFramework::DispatchTimers() {
  const std::uint32_t now = GetTime();
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    // Due once the time since setting reaches the interval; measured as
    // differences, so a clock that wraps neither fires a timer early nor
    // holds it back.
    if (now - it->start < it->due - it->start) continue;
    const TimerRecord fired = *it;
    timers.erase(it);
    OnTimer(fired.id, GetTime() - fired.start);
    return;
  }
}

void YFramework::SetTimer(std::uint32_t intervalMs, std::uint32_t id) {
  const std::uint32_t now = GetTime();
  timers.push_back({id, now, now + intervalMs});
}

void YFramework::KillTimer(std::uint32_t id) {
  timers.remove_if([id](const TimerRecord& timer) { return timer.id == id; });
}

// ---------------------------------------------------------------------------
// Input state and time

bool YFramework::IsKeyDown(std::uint32_t virtualKey) {
  return g_app != nullptr && virtualKey < g_app->keys.size() && g_app->keys[virtualKey] != 0;
}

void YFramework::GetMousePos() {
  if (window) window->CursorPos(mouseX, mouseY);
  mouseInside = mouseX >= 0 && mouseY >= 0 && mouseX < clientWidth && mouseY < clientHeight;
}

void YFramework::SetMousePos(int x, int y) {
  mouseX = x;
  mouseY = y;
  if (window) window->SetCursorPos(x, y);
}

std::uint32_t YFramework::GetTime() const {
  return clock_();
}

std::intptr_t YFramework::StaticWindowProc(platform::Window* window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t lParam) {
  if (g_app == nullptr) return platform::DefaultWindowProc(window, message, wParam, lParam);
  return g_app->WindowProc(window, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The window's life

void YFramework::CreateMainWindow(std::string_view title, int width, int height, int bits, int refresh,
                                  bool fullscreenWindow) {
  fullscreen = fullscreenWindow;
  frameWidth = frameHeight = 0;
  if (!platform::InitVideo()) FailWindowCreation("Failed To Register The Window Class.");
  const platform::WindowDesc desc{std::string(title), width, height, fullscreen, true};
  window = platform::Window::Create(desc, &YFramework::StaticWindowProc);
  if (!window) {
    KillWindow();
    FailWindowCreation("Window Creation Error.");
  }
  SetUpWindow();
  window->Show(maximised || fullscreen);
  const FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.soundInit) hooks.soundInit(*window);
  if (hooks.RendererExists() && hooks.createDevice)
    hooks.createDevice(*window, fullscreen, width, height, bits, refresh);
  platform::DesktopSize(screenWidth, screenHeight);
}

void YFramework::SetUpWindow() {
  window->SetIcon(GetIcon());
  // Full screen never shows the system pointer; windowed, the class cursor decides.
  window->ShowCursor(!fullscreen && GetCursor() == platform::CursorShape::Arrow);
}

void YFramework::FailWindowCreation(std::string_view text) {
  platform::ShowMessageBox(text, "ERROR", platform::MessageBoxIcon::Exclamation);
  platform::EndProcess(1);
}

void YFramework::CreateWindowed(std::string_view title, int width, int height) {
  CreateMainWindow(title, width, height, 0, 0, false);
}

void YFramework::CreateFullscreen(std::string_view title, std::string_view videoModeText) {
  const DisplayModeRequest mode = ParseDisplayModeText(videoModeText);
  CreateMainWindow(title, mode.width, mode.height, mode.bits, mode.refresh, true);
}

void YFramework::KillWindow() {
  if (!window) return;
  const FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.soundShutdown) hooks.soundShutdown();
  if (hooks.RendererExists() && hooks.releaseDevice) hooks.releaseDevice();
  window.reset();
  // The releases of keys and buttons held now would reach a window that is
  // gone; the next window starts with everything up.
  keys.fill(0);
  mouseButtons = 0;
}
