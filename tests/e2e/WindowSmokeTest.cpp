// The application base in a real window on the X display: the first size
// message, a resize dragged from outside that must keep the design aspect,
// keys, text and mouse input sent through the X server (with xdotool), the
// clipboard and the OpenGL probe. Skipped without a display.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/YFramework.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessageQueue.h"
#include "platform/OpenGLProbe.h"
#include "platform/VirtualKeys.h"
#include "tests/support/TestSupport.h"

namespace {

class SmokeApp : public YFramework {
 public:
  void OnSize(int w, int h) override { sizes.push_back({w, h}); }
  void OnKeyDown(std::uint32_t key) override {
    downs.push_back(key);
    YFramework::OnKeyDown(key);  // F10 quits
  }
  void OnChar(std::uint32_t c) override { chars.push_back(c); }
  void OnMouseMove(int x, int y) override { lastMove = {x, y}; }
  void OnMouseDown(int button, int, int) override { buttons.push_back(button); }

  struct Point {
    int x = -1;
    int y = -1;
  };
  std::vector<Point> sizes;
  std::vector<std::uint32_t> downs, chars;
  std::vector<int> buttons;
  Point lastMove;
};

// Runs pump passes until `done` holds or `timeoutMs` pass.
bool PumpUntil(SmokeApp& app, const std::function<bool()>& done, std::uint32_t timeoutMs = 5000) {
  const std::uint32_t start = platform::TickCount();
  while (!done()) {
    if (platform::TickCount() - start > timeoutMs) return false;
    app.PumpOnce();
    platform::SleepMs(1);
  }
  return true;
}

// Output of a shell command, or nothing when it failed.
std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  if (pclose(pipe) != 0) return {};
  return out;
}

class WindowSmokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    platform::Message m;
    while (platform::PeekMessage(m)) {
    }
  }

  // Opens a window and pumps until its first size message has arrived.
  void Open(const std::string& title, int width = 640, int height = 400) {
    title_ = title;
    app.CreateWindowed(title, width, height);
    ASSERT_NE(app.window, nullptr);
    app.running = true;
    ASSERT_TRUE(PumpUntil(app, [&] { return !app.sizes.empty(); }));
  }

  // Runs an xdotool command on this test's window; skips without xdotool.
  void XdoTool(const std::string& arguments) {
    if (Shell("command -v xdotool").empty()) GTEST_SKIP() << "xdotool is not installed";
    const std::string id = Shell("xdotool search --name '^" + title_ + "$' | head -n 1");
    ASSERT_FALSE(id.empty()) << "window not found";
    const std::string windowId = id.substr(0, id.find('\n'));
    std::string command = "xdotool " + arguments;
    for (std::size_t at; (at = command.find("WINDOW")) != std::string::npos;)
      command.replace(at, 6, windowId);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  testing_support::ScopedEnv noBoxes{"QV_MESSAGEBOX_STDERR", "1"};
  const std::uint32_t constructed = platform::SystemTimeMs();
  SmokeApp app;
  std::string title_;
};

TEST_F(WindowSmokeTest, AWindowReportsItsSizeAndDrawsFrames) {
  Open("QV Smoke Size");
  EXPECT_EQ(app.sizes.front().x, 640);
  EXPECT_EQ(app.sizes.front().y, 400);
  EXPECT_EQ(app.clientWidth, 640);
  EXPECT_EQ(app.clientHeight, 400);
  EXPECT_TRUE(app.active);
  EXPECT_GT(app.screenWidth, 0);
  EXPECT_GT(app.screenHeight, 0);
  // The first FPS value comes more than a second after construction.
  EXPECT_TRUE(PumpUntil(
      app, [&] { return app.fps > 0; }, 3000));
  EXPECT_GT(app.lastFpsTime - constructed, 1000u);
  app.KillWindow();
  EXPECT_EQ(app.window, nullptr);
}

TEST_F(WindowSmokeTest, AResizeFromOutsideKeepsTheDesignAspect) {
  Open("QV Smoke Resize");
  XdoTool("windowsize WINDOW 800 400");  // the width only: the height follows
  ASSERT_TRUE(PumpUntil(app, [&] { return app.clientWidth == 800 && app.clientHeight == 500; }))
      << app.clientWidth << "x" << app.clientHeight;
  int w = 0, h = 0;
  app.window->ClientSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 500);
  // A programmatic size is taken as it is.
  app.window->SetClientSize(700, 700);
  ASSERT_TRUE(PumpUntil(app, [&] { return app.clientWidth == 700 && app.clientHeight == 700; }));
}

TEST_F(WindowSmokeTest, TheMinimumSizeIs320By200) {
  Open("QV Smoke Minimum");
  app.window->SetClientSize(100, 100);
  ASSERT_TRUE(PumpUntil(app, [&] { return app.clientWidth == 320 && app.clientHeight == 200; }))
      << app.clientWidth << "x" << app.clientHeight;
}

TEST_F(WindowSmokeTest, F10TypedOnTheWindowQuits) {
  Open("QV Smoke F10");
  XdoTool("key --window WINDOW F10");
  ASSERT_TRUE(PumpUntil(app, [&] { return !app.running; }));
  EXPECT_EQ(app.downs.back(), platform::vk::F10);
}

TEST_F(WindowSmokeTest, TypedTextAndControlKeysArriveAsCharacters) {
  Open("QV Smoke Text");
  XdoTool("type --window WINDOW Hi");
  XdoTool("key --window WINDOW BackSpace ctrl+v");
  ASSERT_TRUE(
      PumpUntil(app, [&] { return app.chars.size() >= 4 && !YFramework::IsKeyDown(platform::vk::Control); }));
  EXPECT_EQ(app.chars, (std::vector<std::uint32_t>{'H', 'i', 8, 22}));
}

TEST_F(WindowSmokeTest, MouseMovesAndClicksArriveInClientPixels) {
  Open("QV Smoke Mouse");
  XdoTool("mousemove --window WINDOW 100 50");
  ASSERT_TRUE(PumpUntil(app, [&] { return app.lastMove.x == 100 && app.lastMove.y == 50; }));
  XdoTool("click 1");
  ASSERT_TRUE(PumpUntil(app, [&] { return !app.buttons.empty(); }));
  EXPECT_EQ(app.buttons.front(), 1);
  app.GetMousePos();
  EXPECT_EQ(app.mouseX, 100);
  EXPECT_EQ(app.mouseY, 50);
}

// Moved by another program, with no window manager to tell SDL, the window
// still reads the pointer where it stands over it after a resize.
TEST_F(WindowSmokeTest, APointerReadAfterAResizeIsInTheMovedWindowsPixels) {
  Open("QV Smoke Moved");
  XdoTool("windowmove WINDOW 0 0");
  XdoTool("mousemove --window WINDOW 150 80");
  ASSERT_TRUE(PumpUntil(app, [&] { return app.lastMove.x == 150 && app.lastMove.y == 80; }));
  app.lastMove = {};
  XdoTool("windowsize WINDOW 800 500");
  ASSERT_TRUE(PumpUntil(app, [&] { return app.clientWidth == 800; }));
  EXPECT_EQ(app.lastMove.x, 150);
  EXPECT_EQ(app.lastMove.y, 80);
}

TEST_F(WindowSmokeTest, ClipboardTextRoundTripsInWindows1252) {
  Open("QV Smoke Clipboard");
  ASSERT_TRUE(platform::SetClipboardText("Caf\xE9 \x80 5"));
  EXPECT_EQ(platform::GetClipboardText(), "Caf\xE9 \x80 5");
}

TEST_F(WindowSmokeTest, TheProbeFindsOpenGL21OrNewer) {
  const platform::OpenGLInfo info = platform::ProbeOpenGL();
  ASSERT_TRUE(info.found) << info.error;
  EXPECT_GE(info.major * 10 + info.minor, 21) << info.version;
  EXPECT_FALSE(info.renderer.empty());
  Open("QV Smoke After Probe");  // the probe leaves the display usable
}

}  // namespace
