// A dialog's frame (its controls hidden), drawn in nine pieces by the
// whole application object on the OpenGL device in a real window, at the
// dialog widths and window sizes where a stretched edge piece and its
// corner could be filtered or shaped apart: across every junction of a
// corner with an edge, the frame reads the same on both sides, the rim
// and the title band alike. Skipped without an X display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "tests/e2e/GameFrameFixture.h"
#include "ui/UIWindow.h"

namespace {

class DialogFrame : public e2e::GameFrameFixture {
 protected:
  void SetUp() override {
    GameFrameFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    dialog_ = dynamic_cast<UIWindow*>(game_->screens.yesNoScreen.get());
    ASSERT_NE(dialog_, nullptr);
    ASSERT_GT(dialog_->band, 0);
    for (const auto& child : dialog_->Children()) child->Hide();  // the frame alone
    game_->ShowMainMenu();
    game_->uiRoot.ResetFade();
    game_->uiRoot.PushModal(dialog_);
    platform::GLDeviceThrift whole;  // every frame drawn whole
    whole.skipUnchangedFrames = false;
    device_->SetThrift(whole);
  }

  // The dialog `width` layout units wide, centred, read back after it has
  // settled.
  platform::Image Shown(float width) {
    dialog_->rect.x = 500 - width / 2;
    dialog_->rect.width = width;
    for (int i = 0; i < 20; ++i) game_->DrawFrame(0.05f);
    platform::Image frame;
    device_->CaptureNextPresent(&frame);
    game_->DrawFrame(0.05f);
    return frame;
  }

  // The largest difference of one channel between the frame's profiles a
  // pixel either side of each junction: down through the top and bottom
  // caps at the corners' inner columns, across the sides at the caps'
  // inner rows, from the frame's outer edge a cap deep.
  int LargestStep(const platform::Image& frame) const {
    const YRect r = e2e::LayoutToPixels(dialog_->rect, frame.width, frame.height);
    const float scale = r.width / dialog_->rect.width, cap = dialog_->TopCap() * scale;
    const int depth = static_cast<int>(cap), left = Px(r.x), top = Px(r.y);
    const int right = Px(r.x + r.width) - 1, bottom = Px(r.y + r.height) - 1;
    const int x1 = Px(r.x + cap), x2 = Px(r.x + r.width - cap), y1 = Px(r.y + cap), y2 = Px(r.y + r.height - cap);
    int step = 0;
    for (int d = 0; d < depth; ++d) {
      for (const auto& [x, y] : {std::pair{x1, top + d}, {x2, top + d}, {x1, bottom - d}, {x2, bottom - d}})
        step = std::max(step, Step(frame, x - 1, y, x + 1, y));
      for (const auto& [x, y] : {std::pair{left + d, y1}, {left + d, y2}, {right - d, y1}, {right - d, y2}})
        step = std::max(step, Step(frame, x, y - 1, x, y + 1));
    }
    return step;
  }

  static int Px(float at) { return static_cast<int>(std::lround(at)); }

  static int Step(const platform::Image& frame, int xa, int ya, int xb, int yb) {
    const auto at = [&](int x, int y, int c) {
      return static_cast<int>(frame.bgra[(static_cast<std::size_t>(y) * frame.width + x) * 4 + c]);
    };
    int step = 0;
    for (int c = 0; c < 3; ++c) step = std::max(step, std::abs(at(xa, ya, c) - at(xb, yb, c)));
    return step;
  }

  UIWindow* dialog_ = nullptr;
};

TEST_F(DialogFrame, ItsPiecesMeetWithoutAStepAtEveryWidthAndWindowSize) {
  for (const auto& [width, height] : {std::pair{320, 200}, {640, 400}, {800, 600}, {1000, 625}, {1250, 781}}) {
    Resize(width, height);
    if (HasFatalFailure()) return;
    for (const float dialogWidth : {480.0f, 520.0f, 560.0f, 640.0f, 720.0f, 940.0f}) {
      const int step = LargestStep(Shown(dialogWidth));
      EXPECT_LE(step, 8) << "a " << dialogWidth << " wide dialog in a " << width << " x " << height << " window";
    }
  }
}

}  // namespace
