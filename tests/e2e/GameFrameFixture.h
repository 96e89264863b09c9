// The whole application object drawing in a real 1000 x 625 window on the
// OpenGL device, for pixel tests of the game's frames: a frame whose still
// layer is restored from the kept picture is read back beside the next one
// drawn whole. Skipped without an X display.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

#include "framework/YRect.h"
#include "game/GameFramework.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "render/Render_D3D.h"
#include "render/YRender.h"
#include "tests/support/TestSupport.h"

namespace e2e {

// Where `area` (layout units of the game's 1000 x 625 space) lies in a
// window `width` x `height` pixels large: scaled alike both ways, centred.
inline YRect LayoutToPixels(const YRect& area, int width, int height) {
  const float scale = std::min(static_cast<float>(width) / 1000, static_cast<float>(height) / 625);
  return YRect((static_cast<float>(width) - 1000 * scale) / 2 + area.x * scale,
               (static_cast<float>(height) - 625 * scale) / 2 + area.y * scale, area.width * scale,
               area.height * scale);
}

class GameFrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    testing_support::WriteFile(user_.File("QuennelVarrick/config.yml"),
                               "<config>\n  <video fullscreen=\"0\">\n  <window width=\"1000\" "
                               "height=\"625\">\n</config>\n");
    game_ = std::make_unique<GameFramework>();
    auto* render = dynamic_cast<Render_D3D*>(g_render);
    ASSERT_NE(render, nullptr);
    device_ = dynamic_cast<platform::GLDevice*>(render->Device());
    ASSERT_NE(device_, nullptr);
  }

  // Has the window made `width` x `height` and pumps its messages until
  // the game has taken the new size.
  void Resize(int width, int height) {
    game_->window->SetClientSize(width, height);
    for (int i = 0; i < 2000 && (game_->clientWidth != width || game_->clientHeight != height); ++i)
      game_->PumpOnce();
    ASSERT_EQ(game_->clientWidth, width);
    ASSERT_EQ(game_->clientHeight, height);
  }

  // Three frames of dt under `thrift`, then one more read back into
  // `restored`, then one drawn whole (nothing kept, no scissor) into
  // `drawn`; the still layers restored in the frame read back. `before`
  // runs ahead of each frame with the frame's number (0 to 4).
  std::uint64_t RestoredThenDrawn(float dt, platform::GLDeviceThrift thrift, platform::Image& restored,
                                  platform::Image& drawn, const std::function<void(int)>& before = {}) {
    const auto frame = [&](int number) {
      if (before) before(number);
      game_->DrawFrame(dt);
    };
    device_->SetThrift(thrift);
    for (int i = 0; i < 3; ++i) frame(i);
    const std::uint64_t restoredBefore = device_->RestoredStillLayers();
    device_->CaptureNextPresent(&restored);
    frame(3);
    const std::uint64_t restores = device_->RestoredStillLayers() - restoredBefore;
    thrift.skipUnchangedFrames = false;
    thrift.keepStillLayer = false;
    thrift.limitToScissor = false;
    device_->SetThrift(thrift);
    device_->CaptureNextPresent(&drawn);
    frame(4);
    return restores;
  }

  // RestoredThenDrawn with one still layer restored, the two frames of one
  // size, fewer than `most` pixels apart, the restored one lit.
  void ExpectRestoredAsDrawn(float dt, const platform::GLDeviceThrift& thrift, std::size_t most,
                             platform::Image& restored, platform::Image& drawn,
                             const std::function<void(int)>& before = {}) {
    EXPECT_EQ(RestoredThenDrawn(dt, thrift, restored, drawn, before), 1u);
    ASSERT_EQ(restored.bgra.size(), drawn.bgra.size());
    ASSERT_FALSE(drawn.bgra.empty());
    EXPECT_LT(DifferingPixels(restored, drawn), most)
        << "pixels that differ between the restored and the drawn frame";
    EXPECT_TRUE(MostlyLit(restored));
  }

  // Pixels whose red, green or blue differ by more than a rounding step.
  static std::size_t DifferingPixels(const platform::Image& a, const platform::Image& b) {
    std::size_t differing = 0;
    for (std::size_t i = 0; i + 3 < a.bgra.size() && i + 3 < b.bgra.size(); i += 4) {
      int most = 0;
      for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(a.bgra[i + c] - b.bgra[i + c]));
      differing += most > 2;
    }
    return differing;
  }
  // Whether at least a quarter of the frame is lit (green above a quarter):
  // the board and the panels are there, not an empty frame.
  static bool MostlyLit(const platform::Image& frame) {
    std::size_t lit = 0;
    for (std::size_t i = 0; i + 3 < frame.bgra.size(); i += 4) lit += frame.bgra[i + 1] > 64;
    return lit * 4 > frame.bgra.size() / 4;
  }

  testing_support::ScopedTempDir user_;
  testing_support::ScopedEnv appData_{"APPDATA", user_.Str()};
  testing_support::ScopedCwd cwd_{QV_GAME_DIR};
  std::unique_ptr<GameFramework> game_;
  platform::GLDevice* device_ = nullptr;
};

}  // namespace e2e
