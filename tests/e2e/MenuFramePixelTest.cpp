// The main menu drawn by the whole application object on the OpenGL
// device in a real window: while only its blast turns, the menu without
// the blast is restored from the kept picture and only the blast's
// rectangle is drawn again, and the frame shows what drawing it whole
// shows, with or without a dialog over the menu. Skipped without an X
// display.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "platform/VirtualKeys.h"
#include "platform/WindowMessages.h"
#include "tests/e2e/GameFrameFixture.h"

namespace {

class MenuFrame : public e2e::GameFrameFixture {
 protected:
  void SetUp() override {
    GameFrameFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    game_->ShowMainMenu();
    game_->uiRoot.ResetFade();
    for (int i = 0; i < 20; ++i) game_->DrawFrame(0.05f);
  }

  // Every frame is shown at once (no frame held back for its slow
  // drawing), so the one read back is the one drawn over the restored
  // picture. The blast turns one step between the two frames compared.
  void ExpectRestoredAsDrawnWhole() {
    platform::GLDeviceThrift thrift;
    thrift.slowFrameMs = 0;
    ExpectRestoredAsDrawn(0.02f, thrift, 50, restored_, drawn_);
  }

  // One frame under a thrift that holds slow drawing back for `slowMs`,
  // read back into `shown` when given.
  void FrameHoldingSlowDrawingFor(std::uint32_t slowMs, platform::Image* shown = nullptr) {
    platform::GLDeviceThrift thrift;
    thrift.slowFrameMs = slowMs;
    device_->SetThrift(thrift);
    if (shown != nullptr) device_->CaptureNextPresent(shown);
    game_->DrawFrame(0.02f);
  }

  // Frames under a thrift holding slow drawing back for `slowMs` with the
  // pointer beside the menu's buttons; false when the window system
  // copies no parts of the back buffer.
  bool PointerOverTheMenu(std::uint32_t slowMs = 0) {
    thrift_.slowFrameMs = slowMs;
    device_->SetThrift(thrift_);
    device_->BackBufferSize(width_, height_);
    game_->WindowProc(nullptr, platform::msg::Size, 0, platform::MakeLong(width_, height_));
    PointAt(280, 309);  // the pointer comes in: the cursor is drawn from now on
    const std::uint64_t shownInParts = device_->FramesShownInParts();
    PointAt(300, 309);
    return device_->FramesShownInParts() != shownInParts;
  }

  // The pointer moves to (x, y) in the menu's layout units; three frames.
  void PointAt(float x, float y) {
    const YRect at = InPixels(YRect(x, y, 0, 0));
    game_->WindowProc(nullptr, platform::msg::MouseMove, 0,
                      platform::MakeLong(static_cast<std::uint32_t>(at.x), static_cast<std::uint32_t>(at.y)));
    for (int i = 0; i < 3; ++i) game_->DrawFrame(0.02f);
  }

  YRect InPixels(const YRect& area) const { return e2e::LayoutToPixels(area, width_, height_); }

  // The part of `frame` under `area` (layout units).
  platform::Image Part(const platform::Image& frame, const YRect& area) const {
    const YRect at = InPixels(area);
    const int x0 = static_cast<int>(at.x), y0 = static_cast<int>(at.y);
    const int w = static_cast<int>(at.width), h = static_cast<int>(at.height);
    platform::Image part{w, h, {}};
    for (int y = y0; y < y0 + h; ++y) {
      const auto row = frame.bgra.begin() + (static_cast<std::ptrdiff_t>(y) * frame.width + x0) * 4;
      part.bgra.insert(part.bgra.end(), row, row + static_cast<std::ptrdiff_t>(w) * 4);
    }
    return part;
  }

  // The window as shown, then a frame drawn whole: one blast step apart,
  // which changes more pixels while the blast is bright.
  void ExpectShownAsDrawnWhole(std::size_t most = 50) {
    platform::Image shown, drawn;
    ASSERT_TRUE(device_->ReadWindow(shown));
    thrift_.skipUnchangedFrames = false;
    thrift_.keepStillLayer = false;
    device_->SetThrift(thrift_);
    device_->CaptureNextPresent(&drawn);
    game_->DrawFrame(0.02f);
    ASSERT_EQ(shown.bgra.size(), drawn.bgra.size());
    EXPECT_LT(DifferingPixels(shown, drawn), most) << "the blast turned one step between them";
    EXPECT_TRUE(MostlyLit(shown));
  }

  platform::Image restored_, drawn_;
  platform::GLDeviceThrift thrift_ = [] {
    platform::GLDeviceThrift thrift;
    thrift.slowFrameMs = 0;
    return thrift;
  }();
  int width_ = 0, height_ = 0;
};

TEST_F(MenuFrame, WhileTheBlastTurnsTheMenuIsRestoredAsDrawingItWholeShows) {
  ExpectRestoredAsDrawnWhole();
  platform::Image later;
  for (int i = 0; i < 100; ++i) game_->DrawFrame(0.02f);
  device_->CaptureNextPresent(&later);
  game_->DrawFrame(0.02f);
  EXPECT_GT(DifferingPixels(drawn_, later), 1000u) << "the blast turned";
}

// While the device would hold back a frame in which only the blast turns,
// the frame is not drawn at all, yet the blast turns as fast; a message
// (a key let go) has the next frame drawn.
TEST_F(MenuFrame, AFrameThatWouldBeHeldBackIsNotDrawnYetTheBlastTurns) {
  platform::Image first, later;
  FrameHoldingSlowDrawingFor(0, &first);
  FrameHoldingSlowDrawingFor(3600 * 1000);  // shown (the thrift changed)
  game_->DrawFrame(0.02f);                  // held
  const auto atDevice = [&] { return device_->HeldFrames() + device_->DroppedFrames(); };
  const std::uint64_t before = atDevice();
  for (int i = 0; i < 100; ++i) game_->DrawFrame(0.02f);
  EXPECT_EQ(atDevice(), before) << "frames that would be held back were drawn";
  game_->WindowProc(nullptr, platform::msg::KeyUp, platform::vk::Shift, 0);
  game_->DrawFrame(0.02f);
  EXPECT_EQ(atDevice(), before + 1) << "a message had no frame drawn";
  FrameHoldingSlowDrawingFor(0, &later);
  EXPECT_GT(DifferingPixels(first, later), 1000u) << "the blast stood still";
}

// Where the window system copies parts of the back buffer, the turning
// blast is shown by copying its rectangle and the cursor's: the window
// then shows what a frame drawn whole shows.
TEST_F(MenuFrame, TheMenuShownInPartsShowsAsDrawnWhole) {
  device_->SetThrift(thrift_);
  const std::uint64_t before = device_->FramesShownInParts();
  for (int i = 0; i < 5; ++i) game_->DrawFrame(0.02f);
  if (device_->FramesShownInParts() == before) GTEST_SKIP() << "the window system copies no parts";
  ExpectShownAsDrawnWhole();
}

// The pointer going onto a button and off it changes that button's look
// alone: the menu is not drawn whole for it, and the window, shown in
// parts, then shows what a frame drawn whole shows.
TEST_F(MenuFrame, AButtonLitByThePointerIsDrawnAloneAndShowsAsDrawnWhole) {
  if (!PointerOverTheMenu()) GTEST_SKIP() << "the window system copies no parts";
  const std::uint64_t restored = device_->RestoredStillLayers();
  PointAt(500, 334);  // on "Two players"
  PointAt(500, 309);  // between it and "New quest"
  PointAt(500, 284);  // on "New quest"
  EXPECT_EQ(device_->RestoredStillLayers() - restored, 9u) << "a changed look had the menu drawn whole";
  ExpectShownAsDrawnWhole();
}

// While the blast's turning is held back, the pointer moving over the menu
// and lighting a button leaves the blast's rectangle as it was shown; the cursor going
// into it has it drawn again, and the window then shows what drawing it
// whole shows.
TEST_F(MenuFrame, ThePointerLeavesTheHeldBlastStandingUntilTheCursorMeetsIt) {
  if (!PointerOverTheMenu(3600 * 1000)) GTEST_SKIP() << "the window system copies no parts";
  platform::Image before, during;
  ASSERT_TRUE(device_->ReadWindow(before));
  PointAt(250, 400);
  PointAt(500, 334);  // "Two players" lit: the buttons lie outside the blast
  ASSERT_TRUE(device_->ReadWindow(during));
  const YRect blast(280, 0, 440, 210);
  EXPECT_EQ(DifferingPixels(Part(before, blast), Part(during, blast)), 0u) << "the held blast turned";
  EXPECT_GT(DifferingPixels(before, during), 100u) << "the cursor stood still";
  PointAt(400, 120);  // in the blast
  ExpectShownAsDrawnWhole(150);
}

// Made larger and smaller at the menu, the window goes on showing what a
// frame drawn whole shows at its new size (the game would end at an X
// error on the way), and is then again shown in parts.
TEST_F(MenuFrame, AWindowMadeLargerOrSmallerShowsAsDrawnWhole) {
  for (const auto& [width, height] : {std::pair{1120, 700}, {640, 400}, {768, 480}}) {
    thrift_.skipUnchangedFrames = thrift_.keepStillLayer = true;
    device_->SetThrift(thrift_);
    Resize(width, height);
    if (HasFatalFailure()) return;
    const std::uint64_t before = device_->FramesShownInParts();
    for (int i = 0; i < 5; ++i) game_->DrawFrame(0.02f);
    if (device_->FramesShownInParts() == before) GTEST_SKIP() << "the window system copies no parts";
    ExpectShownAsDrawnWhole();
  }
}

TEST_F(MenuFrame, ADialogOverTheMenuShowsAsDrawnWhole) {
  game_->uiRoot.PushModal(game_->screens.yesNoScreen.get());
  for (int i = 0; i < 10; ++i) game_->DrawFrame(0.05f);
  ExpectRestoredAsDrawnWhole();
}

}  // namespace
