// Bursts of size changes from outside (xdotool, a process of its own, so
// that the window takes a size between a frame's drawing and its copy) at
// random moments over the menu, a dialog opening and a duel left for the
// menu, with the whole process on one core: the game lives on, and once
// the size settles the window shows what a frame drawn whole shows. More
// rounds by hand: --gtest_repeat. Skipped without an X display.
#include <gtest/gtest.h>
#include <sched.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "players/YPlayer.h"
#include "tests/e2e/GameFrameFixture.h"
#include "tests/e2e/GameProcess.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileset.h"

namespace {

using namespace std::chrono_literals;

// Every thread of the process on the first core it may use, while it lives.
class OneCore {
 public:
  OneCore() {
    sched_getaffinity(0, sizeof(before_), &before_);
    int core = 0;
    while (core < CPU_SETSIZE - 1 && !CPU_ISSET(core, &before_)) ++core;
    cpu_set_t first;
    CPU_ZERO(&first);
    CPU_SET(core, &first);
    SetAll(first);
  }
  ~OneCore() { SetAll(before_); }
  OneCore(const OneCore&) = delete;
  OneCore& operator=(const OneCore&) = delete;

 private:
  static void SetAll(const cpu_set_t& set) {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
      sched_setaffinity(std::stoi(task.path().filename().string()), sizeof(set), &set);
  }
  cpu_set_t before_{};
};

class ResizeBurst : public e2e::GameFrameFixture {
 protected:
  void SetUp() override {
    GameFrameFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (e2e::Shell("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "needs xdotool";
    if (game_->fullscreen) {  // a window the desktop sizes, not the whole screen
      game_->ToggleFullscreen();
      device_ = dynamic_cast<platform::GLDevice*>(dynamic_cast<Render_D3D*>(g_render)->Device());
      ASSERT_NE(device_, nullptr);
    }
    window_ = e2e::FindGameWindow(std::getenv("DISPLAY"));
    ASSERT_FALSE(window_.empty());
    e2e::Shell("xdotool windowmove " + window_ + " 0 0");  // every size on the screen, to be read
    platform::GLDeviceThrift thrift;
    thrift.slowFrameMs = 0;  // every frame shown, most in parts
    device_->SetThrift(thrift);
    game_->ShowMainMenu();
    Frames(1s);
  }
  void TearDown() override {
    YTileBlurDrawer::Instance().Clear();
    if (!game_) return;
    GetTileset().ClearTiles();
    game_.reset();
  }

  void Frames(std::chrono::milliseconds span) {
    for (const auto end = std::chrono::steady_clock::now() + span; std::chrono::steady_clock::now() < end;)
      game_->PumpOnce();
  }

  // Starts five to seven size changes 0 to 150 ms apart, after 0 to 150 ms;
  // the frames go on while they come, then until the size and the fades
  // have settled.
  void Burst(const std::string& scene) {
    static const char* const kSizes[] = {"900 600", "1024 768", "768 480", "1000 700", "640 400", "1120 700"};
    std::uniform_int_distribution<int> pause(0, 150), count(5, 7), size(0, 5);
    std::string command = "(sleep 0." + std::to_string(1000 + pause(random_)).substr(1);
    for (int i = count(random_); i > 0; --i)
      command += "; xdotool windowsize " + window_ + " " + kSizes[size(random_)] + "; sleep 0." +
                 std::to_string(1000 + pause(random_)).substr(1);
    const std::string done = user_.File("burst-done");
    std::filesystem::remove(done);
    e2e::Shell(command + "; touch " + done + ") >/dev/null 2>&1 &");
    SCOPED_TRACE(scene + ": " + command);
    for (int i = 0; i < 400 && !std::filesystem::exists(done); ++i) Frames(10ms);
    ASSERT_TRUE(std::filesystem::exists(done));
    Frames(300ms);
    const UIRoot& ui = game_->uiRoot;
    for (int i = 0; i < 300 && (ui.ScreenFade() > 0 || (ui.ModalFade() > 0 && ui.ModalFade() < 1)); ++i)
      Frames(10ms);
    ExpectShownAsDrawnWhole();
  }

  // Read at the size the window has when the game has seen it.
  void ExpectShownAsDrawnWhole() {
    platform::Image shown, drawn;
    for (int i = 0; i < 100 && !device_->ReadWindow(shown); ++i) Frames(20ms);
    ASSERT_FALSE(shown.bgra.empty()) << "the window was never read at the size the game knows";
    platform::GLDeviceThrift thrift;
    thrift.slowFrameMs = 0;
    thrift.skipUnchangedFrames = thrift.keepStillLayer = false;
    device_->SetThrift(thrift);
    device_->CaptureNextPresent(&drawn);
    game_->DrawFrame(0.02f);
    thrift.skipUnchangedFrames = thrift.keepStillLayer = true;
    device_->SetThrift(thrift);
    ASSERT_EQ(shown.width, drawn.width);
    ASSERT_EQ(shown.height, drawn.height);
    EXPECT_LT(DifferingPixels(shown, drawn), 300u) << "the blast turned one step between them";
  }

  void StartDuel() {
    YTileset& battle = GetTileset();
    battle.Load("ui\\english\\");
    for (YPlayer* player : {&left_, &right_}) {
      player->health = player->shownHealth = 100;
      player->maxValues = {0, 30, 30, 30, 30, 100};
    }
    battle.BeginBattle("layouts\\standard.lay", &left_, &right_, 0);
    battle.SetupView();
    game_->SetState(GameFramework::kStateBattle);
    Frames(300ms);
  }

  std::string window_;
  std::mt19937 random_{std::random_device{}()};
  YPlayer left_, right_;
};

TEST_F(ResizeBurst, SizeChangesAtAnyMomentLeaveTheGameRunningAndItsPictureWhole) {
  OneCore oneCore;
  for (int round = 0; round < 2; ++round) {
    Burst("menu");
    game_->uiRoot.PushModal(game_->screens.yesNoScreen.get());
    Burst("a dialog opening");
    game_->uiRoot.CloseModal();
    StartDuel();
    game_->ShowMainMenu();
    Burst("a duel left for the menu");
  }
}

}  // namespace
