// The main menu drawn by the whole application object on the OpenGL
// device in a real window: while only its blast turns, the menu without
// the blast is restored from the kept picture and only the blast's
// rectangle is drawn again, and the frame shows what drawing it whole
// shows, with or without a dialog over the menu. Skipped without an X
// display.
#include <gtest/gtest.h>

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

  platform::Image restored_, drawn_;
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
  platform::GLDeviceThrift thrift;
  thrift.slowFrameMs = 0;
  device_->SetThrift(thrift);
  const std::uint64_t before = device_->FramesShownInParts();
  for (int i = 0; i < 5; ++i) game_->DrawFrame(0.02f);
  if (device_->FramesShownInParts() == before) GTEST_SKIP() << "the window system copies no parts";
  platform::Image shown, drawn;
  ASSERT_TRUE(device_->ReadWindow(shown));
  thrift.skipUnchangedFrames = false;
  thrift.keepStillLayer = false;
  device_->SetThrift(thrift);
  device_->CaptureNextPresent(&drawn);
  game_->DrawFrame(0.02f);
  ASSERT_EQ(shown.bgra.size(), drawn.bgra.size());
  EXPECT_LT(DifferingPixels(shown, drawn), 50u) << "the blast turned one step between them";
  EXPECT_TRUE(MostlyLit(shown));
}

TEST_F(MenuFrame, ADialogOverTheMenuShowsAsDrawnWhole) {
  game_->uiRoot.PushModal(game_->screens.yesNoScreen.get());
  for (int i = 0; i < 10; ++i) game_->DrawFrame(0.05f);
  ExpectRestoredAsDrawnWhole();
}

}  // namespace
