// The still layer on the OpenGL device in a real window: a frame whose
// still layer equals the kept picture's is not drawn again but restored,
// and shows every pixel as drawing it would, within a step of rounding
// (colour, and the depth the draws after it test against); a layer that
// changes is drawn. Skipped
// without an X display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/GLDevice.h"
#include "platform/GLRenderTarget.h"
#include "platform/Image.h"
#include "render/Render_D3D.h"
#include "render/YShader.h"
#include "tests/e2e/RenderWindow.h"
#include "tests/support/TestSupport.h"

namespace {

void DrawQuad(Render_D3D& render, float x, float y, float w, float h, float z) {
  const YTexVertex quad[4] = {
      {{x, y, z}, {0, 0}}, {{x, y + h, z}, {0, 1}}, {{x + w, y + h, z}, {1, 1}}, {{x + w, y, z}, {1, 0}}};
  render.DrawQuad28(quad);
}

class StillLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    opened_.Open("Still layer pixel test", 640, 400);
    if (HasFatalFailure()) return;
    render_ = opened_.render.get();
    device_ = opened_.device;
    LoadShaders("data\\shaders.yml");
  }
  void TearDown() override {
    if (device_) {
      EXPECT_EQ(device_->TakeGLError(), 0u) << "OpenGL reported an error";
    }
  }

  // A still layer of blended panels in two shaders and a depth-tested quad (`still`
  // shifts one), then a depth-tested quad that goes partly behind them at
  // `moving`. Presented; the frame read just before it was shown, when it
  // was shown. Says whether the layer was restored, and then that its
  // draws were not made.
  bool Frame(float still, float moving, platform::Image* shown = nullptr) {
    const std::uint64_t restored = device_->RestoredStillLayers();
    const std::uint64_t calls = device_->GLDrawCalls();
    device_->CaptureNextPresent(shown);
    render_->SetStillDrawing(true);
    render_->BeginFrame(true);
    render_->SetViewport(1000, 625);
    render_->Set2DProjection(1000, 625);
    for (int i = 0; i < 12; ++i) {
      render_->SetShader(GetShader(i % 2 ? "ui_button" : "ui_window"), true);
      DrawQuad(*render_, 20.5f + i * 31.3f + (i == 5 ? still : 0), 40.25f, 80, 60, 0);
    }
    render_->SetShader(GetShader("debug_textured"), true);
    DrawQuad(*render_, 300.5f, 250.5f, 200, 200, 0.2f);
    render_->SetStillDrawing(false);
    DrawQuad(*render_, 250 + moving, 300, 150, 150, 0.5f);
    render_->EndFrame();
    const bool wasRestored = device_->RestoredStillLayers() != restored;
    EXPECT_EQ(device_->GLDrawCalls() - calls <= 2, wasRestored) << "draws of the frame";
    return wasRestored;
  }

  testing_support::ScopedCwd cwd_{QV_GAME_DIR};
  RenderWindow opened_;
  Render_D3D* render_ = nullptr;
  platform::GLDevice* device_ = nullptr;
};

TEST_F(StillLayer, AnUnchangedLayerIsRestoredNotDrawnAChangedOneIsDrawn) {
  EXPECT_FALSE(Frame(0, 0));  // first seen: drawn where it goes
  EXPECT_FALSE(Frame(0, 1));  // the same again: drawn into the kept picture
  EXPECT_TRUE(Frame(0, 2));
  EXPECT_TRUE(Frame(0, 3));
  EXPECT_FALSE(Frame(7, 4));  // the layer changed
  EXPECT_FALSE(Frame(8, 5));
  EXPECT_FALSE(Frame(8, 6));
  EXPECT_TRUE(Frame(8, 7));
  opened_.window->NoteExposed();  // anything the device cannot tell by the calls
  EXPECT_FALSE(Frame(8, 8));
}

TEST_F(StillLayer, ARestoredLayerShowsEveryPixelAsDrawingItDoes) {
  platform::Image restored, drawn;
  Frame(0, 0);
  Frame(0, 1);
  ASSERT_TRUE(Frame(0, 2, &restored));
  platform::GLDeviceThrift thrift;
  thrift.skipUnchangedFrames = false;
  device_->SetThrift(thrift);
  EXPECT_FALSE(Frame(0, 2, &drawn));
  ASSERT_EQ(restored.bgra.size(), drawn.bgra.size());
  ASSERT_FALSE(drawn.bgra.empty());
  // Off-screen buffers and the window's are rasterised upside down to each
  // other: texture coordinates may round a step apart.
  std::size_t differing = 0;
  for (std::size_t i = 0; i < drawn.bgra.size(); ++i)
    differing += std::abs(restored.bgra[i] - drawn.bgra[i]) > 2;
  EXPECT_EQ(differing, 0u) << "bytes more than 2 apart between the restored and the drawn layer";
}

}  // namespace
