// The device's thrift on the OpenGL device in a real window: gathering draws
// into one call, clearing depth and stencil only when a draw uses them and
// keeping white textures (font atlases) as alpha alone must leave every
// pixel as separate calls, full clears and four-channel textures draw it.
// The same frame (panels, alternating shaders, strips, blended quads, text
// over text, depth-tested quads) is drawn both ways and compared byte for
// byte.
// Skipped without an X display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/StyledText.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "render/YRenderResource.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
#include "render/YTextureBase.h"
#include "tests/e2e/RenderWindow.h"
#include "tests/support/TestSupport.h"

namespace {

// A quad with corners top-left, bottom-left, bottom-right, top-right, as
// the widgets build them; fractional positions put edges between pixels.
void DrawQuad(Render_D3D& render, float x, float y, float w, float h, float z = 0) {
  const YTexVertex quad[4] = {
      {{x, y, z}, {0, 0}}, {{x, y + h, z}, {0, 1}}, {{x + w, y + h, z}, {1, 1}}, {{x + w, y, z}, {1, 0}}};
  render.DrawQuad28(quad);
}

void DrawScene(Render_D3D& render) {
  render.BeginFrame(true);
  render.SetViewport(1000, 625);
  render.Set2DProjection(1000, 625);
  render.SetShader(GetShader("ui_window"), true);
  for (int i = 0; i < 30; ++i) DrawQuad(render, 20.3f + i * 9.7f, 30.6f + (i % 7) * 11.1f, 80.5f, 40.25f);
  for (int i = 0; i < 20; ++i) {
    render.SetShader(GetShader(i % 2 ? "ui_button" : "ui_glow"), true);
    DrawQuad(render, 400.2f + i * 13.3f, 40.7f, 60, 60);
  }
  render.SetShader(GetShader("ui_list"), true);
  for (int s = 0; s < 2; ++s) {
    YTexVertex strip[8];
    for (int k = 0; k < 8; ++k)
      strip[k] = YTexVertex({30.5f + k * 40.0f, 200.25f + (k % 2) * 50.0f + s * 30.0f, 0},
                            {k / 7.0f, static_cast<float>(k % 2)});
    render.DrawStrip28(strip, 6);
  }
  render.SetShaderColor(GetShader("ui_glow"), YColor(1, 0.5f, 0.2f, 0.5f));
  for (int i = 0; i < 10; ++i) DrawQuad(render, 450.5f + i * 8.25f, 200.5f + i * 5.5f, 70, 70);
  const UITextStyle main{YFont::Find("mainfont"), 40, YColor(1, 1, 1, 1)};
  const UITextStyle sys{YFont::Find("sysfont"), 33, YColor(0, 1, 0, 1)};
  DrawStyledText(20.5f, 400, main, "Text over text, drawn twice");
  DrawStyledTextColor(23.25f, 402.5f, main, YColor(1, 0, 0, 0.6f), "Text over text, drawn twice");
  DrawStyledText(20, 460, sys, "The quick brown fox jumps over the lazy dog 0123456789");
  DrawStyledText(20, 470, sys, "overlapping line in the same style ~!@#$%^&*()");
  render.SetShader(GetShader("debug_textured"), true);
  DrawQuad(render, 700.5f, 350.5f, 150, 150, 0.2f);
  DrawQuad(render, 760.25f, 420.75f, 150, 150, 0.6f);
  DrawQuad(render, 640, 380, 150, 150, -0.4f);
}

// Loads every named texture again, as the device now makes textures.
void ReloadTextures() {
  for (YRenderResource* resource : YRenderResource::Registered())
    if (auto* texture = dynamic_cast<YTextureBase*>(resource); texture && !texture->name().empty())
      texture->SetName(std::string(texture->name()));
}

// A renderer with the shipped shaders and fonts on a real window.
class DeviceThrift : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    opened_.Open("Device thrift pixel test", 800, 500);
    if (HasFatalFailure()) return;
    render_ = opened_.render.get();
    device_ = opened_.device;
    LoadShaders("data\\shaders.yml");
    YFontLoader::LoadFonts("data\\fonts.yml");
  }
  void TearDown() override {
    if (device_) {
      EXPECT_EQ(device_->TakeGLError(), 0u) << "OpenGL reported an error";
    }
  }

  testing_support::ScopedCwd cwd_{QV_GAME_DIR};
  RenderWindow opened_;
  Render_D3D* render_ = nullptr;
  platform::GLDevice* device_ = nullptr;
};

TEST_F(DeviceThrift, GatheredDrawsDeferredClearsAndAlphaOnlyAtlasesLeaveEveryPixelAsItWas) {
  platform::Image frames[2];
  std::uint64_t calls[2] = {0, 0};
  for (int thrifty = 0; thrifty < 2; ++thrifty) {
    device_->SetThrift({thrifty == 1, thrifty == 1, thrifty == 1, thrifty == 1});
    ReloadTextures();
    const std::uint64_t before = device_->GLDrawCalls();
    DrawScene(*render_);
    ASSERT_TRUE(device_->ReadBackBuffer(frames[thrifty]));
    calls[thrifty] = device_->GLDrawCalls() - before;
    render_->EndFrame();
  }
  ASSERT_EQ(frames[0].width, frames[1].width);
  ASSERT_EQ(frames[0].bgra.size(), frames[1].bgra.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < frames[0].bgra.size(); ++i) differing += frames[0].bgra[i] != frames[1].bgra[i];
  EXPECT_EQ(differing, 0u) << "bytes that differ between separate and gathered draws";
  // The frame is not empty, and gathering really joined the draws: the
  // panel, the blended quads and each text became one call each.
  EXPECT_GT(calls[0], 200u);
  EXPECT_LT(calls[1] * 4, calls[0]);
}

// A frame drawing what the last shown one drew is dropped; one that draws
// the same calls with a texture loaded anew, or anything else, is shown.
TEST_F(DeviceThrift, OnlyAFrameEqualToTheLastShownOneIsDropped) {
  const std::uint64_t dropped = device_->DroppedFrames();
  const auto frame = [&](float shift) {
    DrawScene(*render_);
    render_->SetShader(GetShader("ui_window"), true);
    DrawQuad(*render_, 100 + shift, 500, 50, 50);
    render_->EndFrame();
    return device_->DroppedFrames() - dropped;
  };
  EXPECT_EQ(frame(0), 0u);
  EXPECT_EQ(frame(0), 1u);
  EXPECT_EQ(frame(0.5f), 1u);
  EXPECT_EQ(frame(0.5f), 2u);
  YTextureBase* window = GetShader("ui_window")->stages.at(0)->texture;
  window->SetName(std::string(window->name()));  // a new texture, maybe at the old address
  EXPECT_EQ(frame(0.5f), 2u);
  opened_.window->NoteExposed();
  EXPECT_EQ(frame(0.5f), 2u);
}

// A frame whose only change is slow drawing is held back while the slow
// interval runs (the screen counts as calm, and the device says such a
// frame need not be drawn); a change outside slow drawing is shown at
// once, and so is a slow change once the interval is over.
TEST_F(DeviceThrift, AFrameChangedOnlyInSlowDrawingIsHeldAnyOtherChangeIsShown) {
  platform::GLDeviceThrift thrift;
  thrift.slowFrameMs = 3600 * 1000;
  device_->SetThrift(thrift);
  const auto frame = [&](float slow, float fast) {
    const std::uint64_t held = device_->HeldFrames(), dropped = device_->DroppedFrames();
    DrawScene(*render_);
    render_->SetSlowDrawing(true);
    render_->SetShader(GetShader("ui_window"), true);
    DrawQuad(*render_, 100 + slow, 500, 50, 50);
    render_->SetSlowDrawing(false);
    DrawQuad(*render_, 300 + fast, 500, 50, 50);
    render_->EndFrame();
    const bool shown = device_->HeldFrames() == held && device_->DroppedFrames() == dropped;
    return std::string(shown ? "shown" : "kept") + (render_->LastFrameCalm() ? " calm" : "") +
           (render_->HoldsSlowDrawing() ? " holding" : "");
  };
  EXPECT_EQ(frame(0, 0), "shown");
  EXPECT_EQ(frame(1, 0), "kept calm holding");
  EXPECT_EQ(frame(1, 1), "shown");
  EXPECT_EQ(frame(2, 1), "kept calm holding");
  opened_.window->NoteExposed();  // an uncovered window is drawn and shown again
  EXPECT_FALSE(render_->HoldsSlowDrawing());
  EXPECT_EQ(frame(2, 1), "shown");
  thrift.slowFrameMs = 0;
  device_->SetThrift(thrift);
  EXPECT_EQ(frame(2, 1), "shown");
  EXPECT_EQ(frame(3, 1), "shown calm");
  EXPECT_EQ(frame(3, 1), "kept calm");
}

}  // namespace
