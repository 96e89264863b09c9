// The application base without a window: messages are fed straight into
// WindowProc (or posted for the pump) and the clock is the test's own.
#include "framework/YFramework.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "framework/FrameworkHooks.h"
#include "platform/MessageQueue.h"
#include "platform/VirtualKeys.h"
#include "tests/support/TestSupport.h"

namespace {

namespace msg = platform::msg;
using platform::MakeLong;

// Records what the base class calls; the clock reads `now`.
class Recorder : public YFramework {
 public:
  explicit Recorder(std::uint32_t& clock) : YFramework([&clock] { return clock; }), now(clock) {}

  bool Frame() override {
    ++frames;
    depthInFrame = pumpDepth;
    if (quitAtFrame != 0 && frames == quitAtFrame) Quit();
    return frameDrawn;
  }
  void OnIdle() override { ++idles; }
  void OnSize(int w, int h) override { sizes.emplace_back(w, h); }
  void OnTimer(std::uint32_t id, std::uint32_t elapsedMs) override { fired.emplace_back(id, elapsedMs); }
  void OnKeyDown(std::uint32_t key) override {
    downs.push_back(key);
    if (keepDefaultKeys) YFramework::OnKeyDown(key);
  }
  void OnKeyUp(std::uint32_t key) override { ups.push_back(key); }
  void OnMouseMove(int x, int y) override { moves.emplace_back(x, y); }
  void OnMouseDown(int button, int, int) override { buttonDowns.push_back(button); }
  void OnMouseUp(int button, int, int) override { buttonUps.push_back(button); }
  void OnMouseWheel(int delta) override { wheels.push_back(delta); }

  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return WindowProc(nullptr, message, wParam, lParam);
  }

  std::uint32_t& now;
  bool frameDrawn = true;
  bool keepDefaultKeys = true;
  int quitAtFrame = 0;
  int frames = 0;
  int idles = 0;
  int depthInFrame = -1;
  std::vector<std::pair<int, int>> sizes, moves;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> fired;
  std::vector<std::uint32_t> downs, ups;
  std::vector<int> buttonDowns, buttonUps, wheels;
};

class YFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override { DrainQueue(); }
  void TearDown() override {
    DrainQueue();
    GetFrameworkHooks() = {};
  }
  static void DrainQueue() {
    platform::Message m;
    while (platform::PeekMessage(m)) {
    }
  }
  std::uint32_t clock = 5000;  // set before the application reads it
  Recorder app{clock};
};

std::intptr_t SizeParam(int w, int h) {
  return MakeLong(static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h));
}

// --- construction and the global pointer ----------------------------------

TEST_F(YFrameworkTest, ConstructionSetsTheGlobalPointerAndInitialState) {
  EXPECT_EQ(g_app, &app);
  EXPECT_TRUE(app.active);
  EXPECT_FALSE(app.fullscreen);
  EXPECT_EQ(app.lastFpsTime, 5000u);  // read from the clock at construction
  EXPECT_EQ(app.window, nullptr);
}

TEST(YFrameworkLifetime, DestructionClearsTheGlobalPointer) {
  {
    YFramework app;
    EXPECT_EQ(g_app, &app);
  }
  EXPECT_EQ(g_app, nullptr);
  EXPECT_FALSE(YFramework::IsKeyDown('A'));  // no application: nothing is down
  EXPECT_EQ(YFramework::StaticWindowProc(nullptr, msg::Close, 0, 0), 0);
}

TEST_F(YFrameworkTest, TheStaticProcedureForwardsToTheApplication) {
  YFramework::StaticWindowProc(nullptr, msg::KeyDown, 'Q', 0);
  EXPECT_EQ(app.downs, (std::vector<std::uint32_t>{'Q'}));
}

// --- the pump --------------------------------------------------------------

TEST_F(YFrameworkTest, AQuitMessageEndsRunWithoutQuit) {
  platform::PostQuitMessage(0);
  app.Run();
  EXPECT_FALSE(app.running);
  EXPECT_EQ(app.frames, 0);  // the pass that took the quit draws nothing
  EXPECT_EQ(app.pumpDepth, 0);
}

TEST_F(YFrameworkTest, QuitEndsRunAfterTheCurrentPass) {
  app.quitAtFrame = 3;
  app.Run();
  EXPECT_EQ(app.frames, 3);
  EXPECT_EQ(app.idles, 3);
  EXPECT_EQ(app.depthInFrame, 1);
  EXPECT_EQ(app.pumpDepth, 0);
}

TEST_F(YFrameworkTest, APassTakesOneMessageOrIdlesThenDrawsOneFrame) {
  platform::PostMessage({nullptr, msg::Paint, 0, 0});
  platform::PostMessage({nullptr, msg::Paint, 0, 0});
  app.running = true;
  EXPECT_TRUE(app.PumpOnce());
  EXPECT_EQ(app.idles, 0);
  EXPECT_EQ(app.frames, 1);
  app.PumpOnce();
  app.PumpOnce();
  EXPECT_EQ(app.idles, 1);
  EXPECT_EQ(app.frames, 3);
}

TEST_F(YFrameworkTest, CloseQuitsThroughOnClose) {
  app.running = true;
  EXPECT_EQ(app.Send(msg::Close), 0);
  EXPECT_FALSE(app.running);
}

// --- timers -----------------------------------------------------------------

TEST_F(YFrameworkTest, OneDueTimerFiresPerPassInSettingOrder) {
  app.SetTimer(100, 7);
  app.SetTimer(50, 8);
  app.SetTimer(500, 9);
  app.now += 99;
  app.DispatchTimers();
  EXPECT_EQ(app.fired, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{8, 99}}));
  app.now += 1;
  app.DispatchTimers();
  app.DispatchTimers();  // the 500 ms timer is not due yet
  EXPECT_EQ(app.fired.size(), 2u);
  EXPECT_EQ(app.fired[1], (std::pair<std::uint32_t, std::uint32_t>{7, 100}));
  app.now += 1000;
  app.DispatchTimers();
  app.DispatchTimers();
  EXPECT_EQ(app.fired.size(), 3u);  // timers fire once
  EXPECT_TRUE(app.timers.empty());
}

TEST_F(YFrameworkTest, TwoTimersDueTogetherFireInConsecutivePasses) {
  app.SetTimer(10, 1);
  app.SetTimer(10, 2);
  app.now += 20;
  app.running = true;
  app.PumpOnce();
  ASSERT_EQ(app.fired.size(), 1u);
  EXPECT_EQ(app.fired[0].first, 1u);
  app.PumpOnce();
  ASSERT_EQ(app.fired.size(), 2u);
  EXPECT_EQ(app.fired[1].first, 2u);
}

TEST_F(YFrameworkTest, KillTimerRemovesEveryTimerWithTheId) {
  app.SetTimer(10, 4);
  app.SetTimer(20, 5);
  app.SetTimer(30, 4);
  app.KillTimer(4);
  app.now += 100;
  app.DispatchTimers();
  app.DispatchTimers();
  EXPECT_EQ(app.fired, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{5, 100}}));
}

TEST_F(YFrameworkTest, TimersSurviveTheClockWrapping) {
  app.now = 0xFFFFFF00u;
  app.SetTimer(0x200, 1);  // due after the 32-bit clock wraps
  app.DispatchTimers();
  EXPECT_TRUE(app.fired.empty());  // not at once although due < now
  app.now = 0x50;                  // wrapped, 0x150 ms later
  app.DispatchTimers();
  EXPECT_TRUE(app.fired.empty());
  app.now = 0x100;
  app.DispatchTimers();
  EXPECT_EQ(app.fired, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{1, 0x200}}));
}

// --- frames and FPS -----------------------------------------------------------

TEST_F(YFrameworkTest, FpsChangesOnlyAfterMoreThan1000Ms) {
  const std::uint32_t start = app.lastFpsTime;
  for (int i = 0; i < 9; ++i) app.RenderFrame();
  app.now = start + 1000;
  app.RenderFrame();
  EXPECT_EQ(app.fps, 0.0f);
  EXPECT_EQ(app.frameCount, 10u);
  app.now = start + 1001;
  app.RenderFrame();
  EXPECT_NEAR(app.fps, 11 * 1000.0 / 1001, 1e-4);
  EXPECT_EQ(app.frameCount, 0u);
  EXPECT_EQ(app.lastFpsTime, start + 1001);
}

TEST_F(YFrameworkTest, FramesNotDrawnAreNotCounted) {
  app.frameDrawn = false;
  app.RenderFrame();
  EXPECT_EQ(app.frames, 1);
  EXPECT_EQ(app.frameCount, 0u);
}

TEST_F(YFrameworkTest, TheFpsPeriodIsMeasuredAcrossTheClockWrap) {
  app.now = 0xFFFFFE00u;
  app.lastFpsTime = app.now;
  app.RenderFrame();
  app.now = 0x300;  // 0x500 ms later
  app.RenderFrame();
  EXPECT_NEAR(app.fps, 2 * 1000.0 / 0x500, 1e-4);
}

TEST_F(YFrameworkTest, PaintDrawsAFrame) {
  app.Send(msg::Paint);
  EXPECT_EQ(app.frames, 1);
}

// --- size and activation ---------------------------------------------------------

TEST_F(YFrameworkTest, SizeStoresTheClientAreaAndCallsOnSize) {
  int resizes = 0;
  GetFrameworkHooks().hasRenderer = [] { return true; };
  GetFrameworkHooks().resizeDevice = [&] { ++resizes; };
  EXPECT_EQ(app.Send(msg::Size, platform::SizeMaximised, SizeParam(1280, 800)), 0);
  EXPECT_EQ(app.clientWidth, 1280);
  EXPECT_EQ(app.clientHeight, 800);
  EXPECT_FLOAT_EQ(app.currentAspect, 1.6f);
  EXPECT_TRUE(app.maximised);
  EXPECT_EQ(resizes, 1);
  app.Send(msg::Size, platform::SizeRestored, SizeParam(1000, 500));
  EXPECT_FALSE(app.maximised);
  EXPECT_FLOAT_EQ(app.currentAspect, 2.0f);
  EXPECT_EQ(app.sizes, (std::vector<std::pair<int, int>>{{1280, 800}, {1000, 500}}));
}

TEST_F(YFrameworkTest, WithoutARendererSizeSkipsTheDevice) {
  int resizes = 0;
  GetFrameworkHooks().resizeDevice = [&] { ++resizes; };  // no hasRenderer
  app.Send(msg::Size, platform::SizeRestored, SizeParam(800, 500));
  EXPECT_EQ(resizes, 0);
  EXPECT_EQ(app.sizes.size(), 1u);
}

TEST_F(YFrameworkTest, MinimisingStopsFramesUntilRestored) {
  app.running = true;
  app.Send(msg::Size, platform::SizeMinimised, SizeParam(0, 0));
  EXPECT_FALSE(app.active);
  EXPECT_TRUE(app.sizes.empty());
  app.PumpOnce();
  app.PumpOnce();
  EXPECT_EQ(app.frames, 0);
  app.Send(msg::Size, platform::SizeRestored, SizeParam(800, 500));
  app.PumpOnce();
  EXPECT_EQ(app.frames, 1);
}

TEST_F(YFrameworkTest, DeactivatingKeepsFramesMinimisedStopsThem) {
  std::vector<bool> sound;
  GetFrameworkHooks().enableSound = [&](bool on) { sound.push_back(on); };
  app.Send(msg::Activate, static_cast<std::uintptr_t>(MakeLong(platform::Inactive, 0)));
  EXPECT_TRUE(app.active);
  app.Send(msg::Activate, static_cast<std::uintptr_t>(MakeLong(platform::Inactive, 1)));
  EXPECT_FALSE(app.active);
  app.RenderFrame();
  EXPECT_EQ(app.frames, 0);
  app.Send(msg::Activate, static_cast<std::uintptr_t>(MakeLong(platform::Active, 0)));
  EXPECT_TRUE(app.active);
  EXPECT_EQ(sound, (std::vector<bool>{true, false, true}));
}

// --- minimum size and sizing ---------------------------------------------------------

TEST_F(YFrameworkTest, MinimumTrackingSizeIs320By200Windowed) {
  platform::MinMaxInfo info;
  EXPECT_EQ(app.Send(msg::GetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&info)), 0);
  EXPECT_EQ(info.minTrackWidth, 320);
  EXPECT_EQ(info.minTrackHeight, 200);
  app.Send(msg::GetMinMaxInfo, 0, 0);  // a missing record is ignored

  app.fullscreen = true;
  platform::MinMaxInfo untouched;
  app.Send(msg::GetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&untouched));
  EXPECT_EQ(untouched.minTrackWidth, 0);
}

platform::SizingRect Drag(Recorder& app, platform::SizingEdge edge, int w, int h) {
  platform::SizingRect rect{100, 50, 100 + w, 50 + h};
  app.Send(msg::Sizing, edge, reinterpret_cast<std::intptr_t>(&rect));
  return rect;
}

int Width(const platform::SizingRect& r) {
  return r.right - r.left;
}
int Height(const platform::SizingRect& r) {
  return r.bottom - r.top;
}

TEST_F(YFrameworkTest, DraggingACornerKeepsTheDesignAspect) {
  const auto rect = Drag(app, platform::EdgeBottomRight, 1000, 600);
  EXPECT_EQ(Width(rect), 1000);
  EXPECT_EQ(Height(rect), 625);
  EXPECT_EQ(rect.top, 50);  // the bottom edge moved
}

TEST_F(YFrameworkTest, TheDraggedCornerDecidesWhichSidesMove) {
  // Width rules: top corners move the top edge.
  auto rect = Drag(app, platform::EdgeTopLeft, 1000, 600);
  EXPECT_EQ(rect.bottom, 650);
  EXPECT_EQ(rect.top, 650 - 625);
  EXPECT_EQ(rect.left, 100);
  // Height rules: left corners move the left edge, right corners the right.
  rect = Drag(app, platform::EdgeBottomLeft, 800, 600);
  EXPECT_EQ(rect.right, 900);
  EXPECT_EQ(rect.left, 900 - 960);
  EXPECT_EQ(Height(rect), 600);
  rect = Drag(app, platform::EdgeTopRight, 800, 600);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(Width(rect), 960);
}

TEST_F(YFrameworkTest, DraggingAnEdgeMovesTheOtherDimension) {
  auto rect = Drag(app, platform::EdgeRight, 1000, 300);
  EXPECT_EQ(Width(rect), 1000);
  EXPECT_EQ(Height(rect), 625);
  rect = Drag(app, platform::EdgeLeft, 801, 300);
  EXPECT_EQ(Height(rect), 500);  // 500.625 truncated
  rect = Drag(app, platform::EdgeBottom, 100, 501);
  EXPECT_EQ(Width(rect), 801);  // 801.6 truncated
  rect = Drag(app, platform::EdgeTop, 100, 500);
  EXPECT_EQ(Width(rect), 800);
  EXPECT_EQ(rect.left, 100);
}

TEST_F(YFrameworkTest, EverySizingResultHasTheDesignAspectWithinAPixel) {
  const platform::SizingEdge edges[] = {
      platform::EdgeLeft,     platform::EdgeRight,  platform::EdgeTop,        platform::EdgeTopLeft,
      platform::EdgeTopRight, platform::EdgeBottom, platform::EdgeBottomLeft, platform::EdgeBottomRight};
  for (const auto edge : edges)
    for (int w = 320; w <= 2560; w += 37)
      for (int h = 200; h <= 1600; h += 41) {
        const auto rect = Drag(app, edge, w, h);
        const double expectedHeight = Width(rect) / 1.6;
        ASSERT_LE(std::abs(Height(rect) - expectedHeight), 1.0)
            << "edge " << edge << " from " << w << "x" << h;
        // The aspect rule only ever corrects; it never shrinks both sides.
        ASSERT_TRUE(Width(rect) >= w || Height(rect) >= h);
      }
}

TEST_F(YFrameworkTest, FullScreenAndMissingRectanglesAreNotSized) {
  app.Send(msg::Sizing, platform::EdgeRight, 0);
  app.fullscreen = true;
  const auto rect = Drag(app, platform::EdgeBottomRight, 1000, 600);
  EXPECT_EQ(Height(rect), 600);
}

// --- keyboard ---------------------------------------------------------------------------

TEST_F(YFrameworkTest, KeyMessagesKeepTheKeyTable) {
  app.Send(msg::KeyDown, 'A');
  app.Send(msg::SysKeyDown, platform::vk::Menu);
  EXPECT_TRUE(YFramework::IsKeyDown('A'));
  EXPECT_TRUE(YFramework::IsKeyDown(platform::vk::Menu));
  EXPECT_FALSE(YFramework::IsKeyDown('B'));
  app.Send(msg::KeyUp, 'A');
  app.Send(msg::SysKeyUp, platform::vk::Menu);
  EXPECT_FALSE(YFramework::IsKeyDown('A'));
  EXPECT_FALSE(YFramework::IsKeyDown(platform::vk::Menu));
  EXPECT_EQ(app.downs, (std::vector<std::uint32_t>{'A', platform::vk::Menu}));
  EXPECT_EQ(app.ups, (std::vector<std::uint32_t>{'A', platform::vk::Menu}));
}

TEST_F(YFrameworkTest, CodesBeyondTheKeyTableNeverIndexIt) {
  app.Send(msg::KeyDown, 256);
  app.Send(msg::KeyDown, ~std::uintptr_t{0});
  EXPECT_FALSE(YFramework::IsKeyDown(256));
  EXPECT_FALSE(YFramework::IsKeyDown(0xFFFFFFFFu));
  EXPECT_EQ(app.downs.size(), 2u);  // the handler still hears of them
  for (auto key : app.keys) EXPECT_EQ(key, 0);
}

TEST_F(YFrameworkTest, F10QuitsThroughTheDefaultKeyHandlerOnly) {
  app.running = true;
  app.Send(msg::KeyDown, 'Q');
  EXPECT_TRUE(app.running);
  app.Send(msg::SysKeyDown, platform::vk::F10);
  EXPECT_FALSE(app.running);

  app.running = true;
  app.keepDefaultKeys = false;  // an application that handles its own keys
  app.Send(msg::KeyDown, platform::vk::F10);
  EXPECT_TRUE(app.running);
}

// --- mouse ---------------------------------------------------------------------------

TEST_F(YFrameworkTest, ButtonsSetAndClearTheirBits) {
  app.Send(msg::LButtonDown, 0, SizeParam(10, 20));
  EXPECT_EQ(app.mouseButtons, 1u);
  app.Send(msg::RButtonDown, 0, SizeParam(11, 21));
  EXPECT_EQ(app.mouseButtons, 3u);
  EXPECT_EQ(app.mouseX, 11);
  EXPECT_EQ(app.mouseY, 21);
  app.Send(msg::LButtonUp, 0, SizeParam(12, 22));
  EXPECT_EQ(app.mouseButtons, 2u);
  app.Send(msg::RButtonUp, 0, SizeParam(12, 22));
  EXPECT_EQ(app.mouseButtons, 0u);
  EXPECT_EQ(app.buttonDowns, (std::vector<int>{1, 2}));
  EXPECT_EQ(app.buttonUps, (std::vector<int>{1, 2}));
}

TEST_F(YFrameworkTest, TheMiddleButtonIsLeftToTheDefault) {
  app.Send(msg::MButtonDown, 0, SizeParam(5, 5));
  EXPECT_TRUE(app.buttonDowns.empty());
  EXPECT_EQ(app.mouseButtons, 0u);
}

TEST_F(YFrameworkTest, PositionsOutsideTheWindowKeepTheirSign) {
  // While captured the pointer may be left of or above the client area.
  app.Send(msg::MouseMove, 0, SizeParam(-5, -12));
  EXPECT_EQ(app.mouseX, -5);
  EXPECT_EQ(app.mouseY, -12);
  app.Send(msg::LButtonUp, 0, SizeParam(-1, 300));
  EXPECT_EQ(app.mouseX, -1);
  EXPECT_EQ(app.mouseY, 300);
  EXPECT_EQ(app.moves, (std::vector<std::pair<int, int>>{{-5, -12}}));
}

TEST_F(YFrameworkTest, TheWheelDeltaIsSigned) {
  app.Send(msg::MouseWheel, static_cast<std::uintptr_t>(MakeLong(0, static_cast<std::uint32_t>(-240))));
  app.Send(msg::MouseWheel, static_cast<std::uintptr_t>(MakeLong(0, 120)));
  EXPECT_EQ(app.wheels, (std::vector<int>{-240, 120}));
}

// --- the window's life, without a display -------------------------------------------------

TEST_F(YFrameworkTest, KillWindowWithoutAWindowCallsNoService) {
  int calls = 0;
  GetFrameworkHooks().soundShutdown = [&] { ++calls; };
  GetFrameworkHooks().hasRenderer = [] { return true; };
  GetFrameworkHooks().releaseDevice = [&] { ++calls; };
  app.KillWindow();
  EXPECT_EQ(calls, 0);
}

TEST(YFrameworkDeathTest, NoDisplayEndsTheProcessWithAnError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing_support::ScopedEnv driver("SDL_VIDEODRIVER", "no-such-driver");
  testing_support::ScopedEnv toStderr("QV_MESSAGEBOX_STDERR", "1");
  EXPECT_EXIT(
      {
        YFramework app;
        app.CreateWindowed("Quennel Varrick", 800, 500);
      },
      testing::ExitedWithCode(1), "ERROR: Failed To Register The Window Class\\.");
}

}  // namespace
