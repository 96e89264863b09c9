// The application base without a window: messages go straight into
// WindowProc (or the pump) and the clock is the test's own.
#include "framework/YFramework.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/FrameworkHooks.h"
#include "platform/MessageQueue.h"
#include "platform/Process.h"
#include "platform/VirtualKeys.h"
#include "tests/support/TestSupport.h"

namespace {

namespace msg = platform::msg;
using platform::MakeLong;
using Fired = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// Records what the base class calls; the clock reads `now`.
class Recorder : public YFramework {
 public:
  explicit Recorder(std::uint32_t& clock) : YFramework([&clock] { return clock; }), now(clock) {}

  bool Frame() override {
    if (++frames == quitAtFrame) Quit();
    return true;
  }
  void Quit() override {
    ++quits;  // an application saves its state here
    YFramework::Quit();
  }
  void OnIdle() override {
    ++idles;
    if (quitWhenIdle) Quit();  // as a close message's handler would
  }
  void OnSize(int w, int h) override { sizes.emplace_back(w, h); }
  void OnTimer(std::uint32_t id, std::uint32_t elapsedMs) override { fired.emplace_back(id, elapsedMs); }
  void OnMouseMove(int x, int y) override { moves.emplace_back(x, y); }
  void OnKeyDown(std::uint32_t key) override {
    ++downs;
    if (keepDefaultKeys) YFramework::OnKeyDown(key);
  }
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return WindowProc(nullptr, message, wParam, lParam);
  }

  std::uint32_t& now;
  bool keepDefaultKeys = true;
  bool quitWhenIdle = false;
  int quitAtFrame = 0, frames = 0, idles = 0, downs = 0, quits = 0;
  std::vector<std::pair<int, int>> sizes, moves;
  Fired fired;
};

class YFrameworkTest : public ::testing::Test {
 protected:
  ~YFrameworkTest() override {
    for (platform::Message m; platform::PeekMessage(m);) {
    }
    GetFrameworkHooks() = {};
  }
  std::uint32_t clock = 5000;  // set before the application reads it
  Recorder app{clock};
};

TEST_F(YFrameworkTest, APassTakesOneMessageOrIdlesThenDrawsOneFrameUntilQuit) {
  platform::PostMessage({nullptr, msg::Paint, 0, 0});
  app.running = true;
  EXPECT_TRUE(app.PumpOnce());
  EXPECT_EQ(app.idles, 0);
  EXPECT_EQ(app.frames, 1);
  platform::PostQuitMessage(0);
  app.Run();
  EXPECT_EQ(app.frames, 1);  // the pass that took the quit draws nothing
  EXPECT_EQ(app.quits, 1);   // and left the way the program's own exit does
  app.quitAtFrame = 4;
  app.Run();  // Quit ends the loop after the current pass
  EXPECT_EQ(app.frames, 4);
  EXPECT_EQ(app.idles, 3);
  EXPECT_EQ(app.pumpDepth, 0);
}

// The window's close (or F10) quits inside the pass: leaving may free what
// a frame would draw, so the pass draws none and fires no timer.
TEST_F(YFrameworkTest, APassWhoseMessageQuitsDrawsNoFrameAndFiresNoTimer) {
  app.SetTimer(0, 1);
  app.running = true;
  app.quitWhenIdle = true;
  EXPECT_FALSE(app.PumpOnce());
  EXPECT_EQ(app.quits, 1);
  EXPECT_EQ(app.frames, 0);
  EXPECT_TRUE(app.fired.empty());
  // A pass that does not quit draws, whether or not Run started the loop.
  app.quitWhenIdle = false;
  app.PumpOnce();
  EXPECT_EQ(app.frames, 1);
}

TEST_F(YFrameworkTest, OneDueTimerFiresPerPassInSettingOrderAcrossTheClockWrap) {
  app.SetTimer(100, 7);
  app.SetTimer(50, 8);
  app.SetTimer(500, 9);
  app.SetTimer(10, 4);
  app.SetTimer(30, 4);
  app.KillTimer(4);  // every timer with the id
  app.now += 99;
  app.running = true;
  app.PumpOnce();
  EXPECT_EQ(app.fired, (Fired{{8, 99}}));
  app.now += 1;
  app.PumpOnce();
  app.PumpOnce();  // the 500 ms timer is not due yet
  EXPECT_EQ(app.fired, (Fired{{8, 99}, {7, 100}}));
  app.now += 1000;
  for (int i = 0; i < 3; ++i) app.DispatchTimers();
  EXPECT_EQ(app.fired.size(), 3u);  // timers fire once
  EXPECT_TRUE(app.timers.empty());
  app.fired.clear();
  app.now = 0xFFFFFF00u;
  app.SetTimer(0x200, 1);  // due after the 32-bit clock wraps
  app.DispatchTimers();
  app.now = 0x50;
  app.DispatchTimers();
  EXPECT_TRUE(app.fired.empty());  // neither at once although due < now, nor early
  app.now = 0x100;
  app.DispatchTimers();
  EXPECT_EQ(app.fired, (Fired{{1, 0x200}}));
}

TEST_F(YFrameworkTest, FpsChangesOnlyAfterMoreThan1000Ms) {
  const std::uint32_t start = app.lastFpsTime;
  for (int i = 0; i < 9; ++i) app.RenderFrame();
  app.now = start + 1000;
  app.RenderFrame();
  EXPECT_EQ(app.fps, 0.0f);
  app.now = start + 1001;
  app.RenderFrame();
  EXPECT_NEAR(app.fps, 11 * 1000.0 / 1001, 1e-4);
  EXPECT_EQ(app.frameCount, 0u);
  app.lastFpsTime = 0xFFFFFE00u;  // the period is measured across the clock wrap
  app.now = 0x300;
  app.RenderFrame();
  EXPECT_NEAR(app.fps, 1000.0 / 0x500, 1e-4);
}

TEST_F(YFrameworkTest, MinimisingStopsFramesUntilRestoredLosingTheFocusDoesNot) {
  std::vector<bool> sound;
  GetFrameworkHooks().enableSound = [&](bool on) { sound.push_back(on); };
  auto drawsAfter = [this](std::uint32_t message, std::uint32_t wParam, std::intptr_t lParam = 0) {
    app.Send(message, wParam, lParam);
    const int before = app.frames;
    app.RenderFrame();
    return app.frames > before;
  };
  EXPECT_FALSE(drawsAfter(msg::Size, platform::SizeMinimised, MakeLong(0, 0)));
  EXPECT_TRUE(drawsAfter(msg::Size, platform::SizeMaximised, MakeLong(1000, 500)));
  EXPECT_EQ(app.sizes, (std::vector<std::pair<int, int>>{{1000, 500}}));
  EXPECT_TRUE(drawsAfter(msg::Activate, MakeLong(platform::Inactive, 0)));
  EXPECT_FALSE(drawsAfter(msg::Activate, MakeLong(platform::Inactive, 1)));  // and minimised
  EXPECT_TRUE(drawsAfter(msg::Activate, MakeLong(platform::Active, 0)));
  EXPECT_EQ(sound, (std::vector<bool>{true, false, true}));
}

// The pointer counts as in the window once a pointer message said so, and
// a size change handles it again where it stands, as the desktop sends no
// move for it; a pointer that left is not brought back. A shrink that
// leaves it outside hands it the move there, as a pointer moved out gets,
// so nothing stays lit under it.
TEST_F(YFrameworkTest, ASizeChangeMovesThePointerAgainOnceItIsInTheWindow) {
  EXPECT_FALSE(app.mouseInside);
  app.Send(msg::Size, platform::SizeRestored, MakeLong(800, 500));
  EXPECT_TRUE(app.moves.empty());
  app.Send(msg::MouseMove, 0, MakeLong(400, 450));
  app.Send(msg::Size, platform::SizeRestored, MakeLong(768, 480));
  EXPECT_EQ(app.moves, (std::vector<std::pair<int, int>>{{400, 450}, {400, 450}}));
  EXPECT_TRUE(app.mouseInside);
  app.Send(msg::Size, platform::SizeRestored, MakeLong(640, 400));
  EXPECT_EQ(app.moves.size(), 3u);
  EXPECT_FALSE(app.mouseInside);
  app.Send(msg::MouseMove, 0, MakeLong(400, 350));
  app.Send(msg::MouseLeave);
  app.Send(msg::Size, platform::SizeRestored, MakeLong(800, 500));
  EXPECT_EQ(app.moves.size(), 4u);
  EXPECT_FALSE(app.mouseInside);
}

TEST_F(YFrameworkTest, MinimumTrackingSizeIs320By200Windowed) {
  platform::MinMaxInfo info, untouched;
  EXPECT_EQ(app.Send(msg::GetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&info)), 0);
  EXPECT_EQ(std::pair(info.minTrackWidth, info.minTrackHeight), std::pair(320, 200));
  app.Send(msg::GetMinMaxInfo, 0, 0);  // a missing record is ignored
  app.fullscreen = true;
  app.Send(msg::GetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&untouched));
  EXPECT_EQ(untouched.minTrackWidth, 0);
}

std::array<int, 4> Drag(Recorder& app, std::uint32_t edge, int w, int h) {
  platform::SizingRect r{100, 50, 100 + w, 50 + h};
  app.Send(msg::Sizing, edge, reinterpret_cast<std::intptr_t>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

TEST_F(YFrameworkTest, DraggingKeepsTheDesignAspectMovingTheDraggedSide) {
  // {dragged edge, width, height, {left, top, right, bottom} afterwards}
  const std::tuple<platform::SizingEdge, int, int, std::array<int, 4>> cases[] = {
      // Corners: the larger side rules, the other moves at that corner.
      {platform::EdgeBottomRight, 1000, 600, {100, 50, 1100, 675}},
      {platform::EdgeTopLeft, 1000, 600, {100, 25, 1100, 650}},
      {platform::EdgeBottomLeft, 800, 600, {-60, 50, 900, 650}},
      // Edges move the other dimension, truncated.
      {platform::EdgeLeft, 801, 300, {100, 50, 901, 550}},
  };
  for (const auto& [edge, w, h, expected] : cases)
    EXPECT_EQ(Drag(app, edge, w, h), expected) << "edge " << edge;
  app.Send(msg::Sizing, platform::EdgeRight, 0);  // a missing rectangle is ignored
  app.fullscreen = true;
  EXPECT_EQ(Drag(app, platform::EdgeBottomRight, 1000, 600)[3], 650);
}

TEST_F(YFrameworkTest, EverySizingResultHasTheDesignAspectWithinAPixel) {
  for (std::uint32_t edge = platform::EdgeLeft; edge <= platform::EdgeBottomRight; ++edge)
    for (int w = 320; w <= 2560; w += 37)
      for (int h = 200; h <= 1600; h += 41) {
        const auto r = Drag(app, edge, w, h);
        const int width = r[2] - r[0], height = r[3] - r[1];
        ASSERT_LE(std::abs(height - width / 1.6), 1.0) << "edge " << edge << " from " << w << "x" << h;
        ASSERT_TRUE(width >= w || height >= h);  // it only ever corrects, never shrinks both sides
      }
}

TEST_F(YFrameworkTest, KeyTableFollowsKeysAndIgnoresCodesBeyondIt) {
  app.Send(msg::SysKeyDown, platform::vk::Menu);
  EXPECT_TRUE(YFramework::IsKeyDown(platform::vk::Menu));
  EXPECT_FALSE(YFramework::IsKeyDown('B'));
  app.Send(msg::SysKeyUp, platform::vk::Menu);
  app.Send(msg::KeyDown, 256);
  app.Send(msg::KeyDown, ~std::uintptr_t{0});
  EXPECT_FALSE(YFramework::IsKeyDown(256) || YFramework::IsKeyDown(0xFFFFFFFFu));
  EXPECT_EQ(app.downs, 3);                      // the handler still hears of them
  for (auto key : app.keys) EXPECT_EQ(key, 0);  // and the key let go is up
}

TEST_F(YFrameworkTest, F10QuitsThroughTheDefaultKeyHandlerOnly) {
  app.running = true;
  app.Send(msg::KeyDown, 'Q');
  app.keepDefaultKeys = false;  // an application that handles its own keys
  app.Send(msg::KeyDown, platform::vk::F10);
  EXPECT_TRUE(app.running);
  app.keepDefaultKeys = true;
  app.Send(msg::SysKeyDown, platform::vk::F10);
  EXPECT_FALSE(app.running);
}

// A termination signal ends the loop through Quit before the next message.
TEST(YFrameworkDeathTest, ATerminationSignalQuitsThroughQuit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::uint32_t clock = 0;
        Recorder app(clock);
        platform::InstallTerminationHandlers();
        app.running = true;
        const bool before = app.PumpOnce();
        std::raise(SIGTERM);
        platform::PostMessage({nullptr, msg::Paint, 0, 0});
        const bool after = app.PumpOnce();
        std::_Exit(before && !after && app.quits == 1 && app.frames == 1 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(YFrameworkDeathTest, NoDisplayEndsTheProcessWithAnError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing_support::ScopedEnv driver("SDL_VIDEODRIVER", "no-such-driver");
  testing_support::ScopedEnv toStderr("QV_MESSAGEBOX_STDERR", "1");
  EXPECT_EXIT(YFramework().CreateWindowed("Quennel Varrick", 800, 500), testing::ExitedWithCode(1),
              "ERROR: Failed To Register The Window Class\\.");
}

}  // namespace
