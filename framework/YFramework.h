// The application base class: owns the one top-level window, turns its
// messages into virtual operations, runs the message pump with an idle hook,
// one-shot timers and a frame call, counts frames per second and keeps the
// keyboard and mouse state game code reads. One instance, reached by g_app.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string_view>

#include "platform/Window.h"
#include "platform/WindowMessages.h"

// A pending one-shot timer; all times are system milliseconds.
struct TimerRecord {
  std::uint32_t id = 0;
  std::uint32_t start = 0;  // when it was set
  std::uint32_t due = 0;    // start + interval (wrapping)
};

class YFramework {
 public:
  // The millisecond clock the pump, the timers and the FPS count read.
  using TimeSource = std::function<std::uint32_t()>;

  // The smallest client area a window may be sized to: the UI space's shape,
  // 320 wide.
  static constexpr int kSmallestClientWidth = 320;
  static constexpr int kSmallestClientHeight = 200;

  // Sets g_app to this object. An empty clock means the system time.
  explicit YFramework(TimeSource clock = {});
  // Kills the window; clears g_app when it points here.
  virtual ~YFramework();
  YFramework(const YFramework&) = delete;
  YFramework& operator=(const YFramework&) = delete;

  // The message switch; unhandled messages go to the desktop's default.
  // `window` may be null (messages fed without a window).
  virtual std::intptr_t WindowProc(platform::Window* window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam);
  // Ends the message loop after the current pass.
  virtual void Quit();
  virtual void OnSize(int clientWidth, int clientHeight);
  // Draws one frame; true when one was drawn (counted for the FPS value).
  virtual bool Frame();
  // Runs in a pump pass that took no message.
  virtual void OnIdle();
  // The close box; the default quits.
  virtual void OnClose();
  virtual void OnMouseMove(int x, int y);
  // Wheel delta: 120 per notch, up positive.
  virtual void OnMouseWheel(int delta);
  // Button 1 left, 2 right; positions in client pixels.
  virtual void OnMouseDown(int button, int x, int y);
  virtual void OnMouseUp(int button, int x, int y);
  // The default quits on F10.
  virtual void OnKeyDown(std::uint32_t virtualKey);
  virtual void OnKeyUp(std::uint32_t virtualKey);
  // One Windows-1252 byte (control codes included).
  virtual void OnChar(std::uint32_t character);
  virtual void OnDeadChar(std::uint32_t character);
  // A one-shot timer fired `elapsedMs` after it was set.
  virtual void OnTimer(std::uint32_t id, std::uint32_t elapsedMs);
  // The window's icon; the default (empty) is the desktop's own.
  virtual platform::IconImage GetIcon();
  // The pointer over the window; the default hides it (the game draws one).
  virtual platform::CursorShape GetCursor();

  // Creates, shows and sets up the window, starts the sound on it and has
  // the renderer create its device. A fatal failure shows a message box and
  // ends the process with exit code 1. Call only without a window.
  void CreateMainWindow(std::string_view title, int width, int height, int bits, int refresh,
                        bool fullscreen);
  void CreateWindowed(std::string_view title, int width, int height);
  // `videoModeText` as "WxH:bits@refresh" (DisplayModeText.h).
  void CreateFullscreen(std::string_view title, std::string_view videoModeText);
  // Shuts the sound down, releases the device and destroys the window. Safe
  // without a window.
  void KillWindow();

  // running = true, then pump passes until one returns false.
  void Run();
  // One pass: one message or OnIdle, then at most one due timer, then one
  // frame. Returns running. A Quit message, or a termination request
  // (platform/Process.h), calls Quit and ends the loop at once; after a
  // Quit made by the message or OnIdle no timer fires and no frame is drawn.
  bool PumpOnce();
  // One frame while active; updates fps after strictly more than 1000 ms.
  void RenderFrame();
  // Fires the first due timer in setting order, if any.
  void DispatchTimers();
  // A one-shot timer; ids may repeat. KillTimer removes all with the id.
  void SetTimer(std::uint32_t intervalMs, std::uint32_t id);
  void KillTimer(std::uint32_t id);

  // Whether the key is down in g_app's key table (false without g_app or for
  // codes above 255).
  static bool IsKeyDown(std::uint32_t virtualKey);
  // Reads the pointer position (client pixels) into mouseX, mouseY, and
  // whether it lies over the client area of the last size message into
  // mouseInside. Without a window the position stays as the last pointer
  // message left it.
  void GetMousePos();
  // Stores x, y and moves the pointer to that client point.
  void SetMousePos(int x, int y);
  // The system time in ms (or the clock given at construction).
  std::uint32_t GetTime() const;

  // The procedure every window of the program is created with: forwards to
  // g_app's WindowProc (or the default one without g_app).
  static std::intptr_t StaticWindowProc(platform::Window* window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam);

  // State that game code reads, in the order the design lists it.
  std::list<TimerRecord> timers;
  bool fullscreen = false;
  bool maximised = false;
  bool active = true;  // a non-empty client area, not minimised
  bool running = false;
  std::array<std::uint8_t, 256> keys{};  // 1 while the key is down
  std::uint32_t mouseButtons = 0;        // bit 0 left, bit 1 right
  int clientWidth = 0;
  int clientHeight = 0;
  // What the frame adds to the client size. We work in client sizes (the
  // desktop draws and sizes the frame), so both stay 0.
  int frameWidth = 0;
  int frameHeight = 0;
  int mouseX = 0;
  int mouseY = 0;
  // The pointer is over the client area: a pointer message came (the
  // desktop sends a move when the pointer enters, or when a window opens
  // under it) and no leave since.
  bool mouseInside = false;
  int pumpDepth = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  std::uint32_t frameCount = 0;
  std::uint32_t lastFpsTime = 0;
  float fps = 0;
  float designAspect = 1.6f;   // the UI space 1000 x 625
  float currentAspect = 1.6f;  // of the last size message; the design's before one
  std::unique_ptr<platform::Window> window;

 private:
  std::intptr_t HandleSize(std::uintptr_t wParam, std::intptr_t lParam);
  void FindPointerAgain();
  void HandleActivate(std::uintptr_t wParam);
  std::intptr_t HandleMinMaxInfo(platform::Window* window, std::uintptr_t wParam, std::intptr_t lParam);
  std::intptr_t HandleSizing(platform::Window* window, std::uintptr_t wParam, std::intptr_t lParam);
  void KeepDesignAspect(platform::SizingRect& rect, std::uint32_t edge) const;
  void HandleKey(std::uintptr_t virtualKey, bool down);
  void HandleMouseButton(platform::Window* window, int button, bool down, std::intptr_t lParam);
  void StoreMousePosition(std::intptr_t lParam);
  bool HandleInputMessage(platform::Window* window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam);
  void SetUpWindow();
  [[noreturn]] void FailWindowCreation(std::string_view text);

  TimeSource clock_;
  // Calls of Quit so far: a pass whose message or idle step quit draws
  // nothing, whether or not the loop was started by Run.
  unsigned quitCount_ = 0;
};

// The application object; set by YFramework's constructor.
extern YFramework* g_app;
