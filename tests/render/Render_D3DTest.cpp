// The renderer on a recording device: state mapping, stage limits, the
// vertex-format cache, the frame, the letterboxed viewport, projections,
// device buffers and the device's life with its fallbacks.
#include "render/Render_D3D.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "platform/DeviceTypes.h"
#include "render/YCamera.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/FakeDisplaySystem.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::FakeDeviceTexture;
using testing_support::FakeDisplaySystem;
using testing_support::FakeGraphicsDevice;
using testing_support::FakeIndexBuffer;
using testing_support::FakeVertexBuffer;
using Texts = std::vector<std::string>;
namespace fmt = platform::fmt;

// (x, y, z, 1) times a row-major matrix, divided by w.
std::array<float, 3> Project(const platform::Matrix16& m, float x, float y, float z) {
  const float v[4] = {x, y, z, 1};
  float out[4] = {};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) out[c] += v[r] * m[static_cast<std::size_t>(r * 4 + c)];
  return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

const platform::Matrix16 kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A renderer on a fake display with three full-screen modes listed (the
// global mode list set from them), and the configuration's video settings
// put back afterwards.
class RenderD3DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedModes_ = GetDisplayModeList();
    savedFullscreen_ = GetInit().fullscreen;
    savedVideoMode_ = GetInit().videoMode;
    auto owned = std::make_unique<FakeDisplaySystem>();
    display = owned.get();
    display->modes = {{640, 480, 60, fmt::X8R8G8B8}, {1024, 768, 60, fmt::X8R8G8B8}, {1024, 768, 85, fmt::R5G6B5}};
    // 16-bit modes get a depth buffer without stencil.
    display->depthWorks = [](std::uint32_t colour, std::uint32_t depth) {
      return colour != fmt::R5G6B5 || depth == fmt::D16;
    };
    display->prepareDevice = [this](FakeGraphicsDevice& device) { device.caps = caps; };
    render = std::make_unique<Render_D3D>(std::move(owned));
    GetDisplayModeList().SetModes(render->EnumerateModes());
  }

  void TearDown() override {
    render.reset();
    GetDisplayModeList() = savedModes_;
    GetInit().fullscreen = savedFullscreen_;
    GetInit().videoMode = savedVideoMode_;
  }

  // Creates the device (full screen 1024x768@60 by default) and forgets the
  // calls of its creation.
  FakeGraphicsDevice& Create(bool fullscreen = true, int modeIndex = 1) {
    render->CreateDeviceOn(nullptr, fullscreen, modeIndex);
    device = display->device;
    device->calls.clear();
    return *device;
  }

  platform::DeviceCaps caps{4, 4096, 2048, std::uint64_t{512} << 20};
  FakeDisplaySystem* display = nullptr;
  FakeGraphicsDevice* device = nullptr;
  std::unique_ptr<Render_D3D> render;

 private:
  DisplayModeList savedModes_;
  bool savedFullscreen_ = true;
  std::string savedVideoMode_;
};

// ---- State slots -----------------------------------------------------------------

TEST_F(RenderD3DTest, MapsStateIdsOntoTheDeviceStates) {
  Create();
  const std::uint32_t states[20] = {27, 19, 20, 60, 23, 22, 7, 14, 52, 53, 54, 55, 56, 57, 58, 59, 145, 146, 147, 148};
  const std::uint32_t stageStates[11] = {1, 2, 3, 4, 5, 6, 16, 17, 18, 13, 14};
  Texts wanted;
  for (std::uint32_t id = 0; id < 20; ++id) {
    render->SetRenderState(id, 100 + id);
    wanted.push_back("SetRenderState " + std::to_string(states[id]) + " " + std::to_string(100 + id));
  }
  for (std::uint32_t id = 0; id < 11; ++id) {
    render->SetStageState(2, id, id + 1);
    wanted.push_back("SetTextureStageState 2 " + std::to_string(stageStates[id]) + " " + std::to_string(id + 1));
  }
  // Ids and stages outside the tables reach nothing.
  render->SetRenderState(20, 1);
  render->SetStageState(2, 11, 1);
  render->SetStageState(kMaxStages, 0, 1);
  EXPECT_EQ(device->TakeCalls(), wanted);
}

TEST_F(RenderD3DTest, SendsTheTextureFactorOnlyWhenItChanges) {
  Create();
  render->SetTextureFactor(YColor(1, 0.5f, 0, 1));
  render->SetTextureFactor(YColor(1, 0.5f, 0, 1));
  EXPECT_EQ(render->renderStateCache[3], 0xFFFF7F00u);
  render->SetTextureFactor(YColor(0, 0, 1, 0));
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetRenderState 60 4294934272", "SetRenderState 60 255"}));
}

TEST_F(RenderD3DTest, SetsMaterialAndSwitchesLightWithSpecularHighlights) {
  Create();
  render->ApplyMaterial({YColor(1, 2, 3, 4), YColor(5, 6, 7, 8), YColor(9, 10, 11, 12), YColor(13, 14, 15, 16), 17});
  EXPECT_EQ(device->material.ambient.a, 8);  // the colours stay in their order
  EXPECT_EQ(device->material.emissive.b, 15);
  render->EnableLight(false);
  render->EnableLight(true);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetMaterial", "EnableLight 0", "SetRenderState 29 0", "EnableLight 1",
                                        "SetRenderState 29 1"}));
}

TEST_F(RenderD3DTest, BindsATexturesDeviceTextureOnlyWhenItHasOne) {
  Create();
  YTextureBase texture("no such file.png");
  device->calls.clear();
  render->BindTexture(&texture, 1);
  render->BindTexture(nullptr, 1);
  texture.SetDeviceTexture(std::make_unique<FakeDeviceTexture>(7, std::vector<platform::Image>{}));
  render->BindTexture(&texture, 1);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTexture 1 tex7"}));
}

// ---- Stage count ------------------------------------------------------------------

TEST_F(RenderD3DTest, DroppedStagesAreUnboundAndDisabledAndTheirCachesSaySo) {
  Create();
  ASSERT_EQ(render->stageLimit, 4u);
  render->SetStageCount(9);  // limited to the device's 4; growing sends nothing
  EXPECT_EQ(render->stageCount, 4u);
  EXPECT_TRUE(device->calls.empty());

  const FakeDeviceTexture texture(1, {});
  const platform::DeviceTexture* bound = &texture;
  render->boundTextures.fill(bound);
  render->SetStageCount(2);
  EXPECT_EQ(render->stageCount, 2u);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTexture 2 null", "SetTextureStageState 2 1 1", "SetTextureStageState 2 4 1",
                                        "SetTexture 3 null", "SetTextureStageState 3 1 1",
                                        "SetTextureStageState 3 4 1"}));
  EXPECT_EQ(render->boundTextures[1], bound);
  for (std::size_t s : {2u, 3u}) {
    EXPECT_EQ(render->boundTextures[s], nullptr);
    EXPECT_EQ(render->stageStateCache[s][0], 1u);
    EXPECT_EQ(render->stageStateCache[s][3], 1u);
  }
}

TEST_F(RenderD3DTest, AStageLimitAboveTheCachesIsCutToThem) {
  caps.maxSimultaneousTextures = 16;
  Create();
  EXPECT_EQ(render->stageLimit, static_cast<std::uint32_t>(kMaxStages));
  render->SetStageCount(16);
  EXPECT_EQ(render->stageCount, static_cast<std::uint32_t>(kMaxStages));
  render->SetStageCount(0);
  EXPECT_EQ(device->Count("SetTexture "), kMaxStages);
  EXPECT_EQ(device->CallsStartingWith("SetTexture ").back(), "SetTexture 9 null");
}

TEST_F(RenderD3DTest, TextureMatrixIsSwitchedOffForIdentityStages) {
  Create();
  YMatrix4 matrix;
  matrix.SetTranslation(YVector3(0.5f, 0.25f, 0));
  render->identityFlags[1] = true;
  render->SetTextureMatrix(matrix, 1);
  render->identityFlags[1] = false;
  render->SetTextureMatrix(matrix, 1);
  render->SetTextureMatrix(matrix, kMaxStages);  // beyond the caches: ignored
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTextureStageState 1 24 0", "SetTransform Texture 1",
                                        "SetTextureStageState 1 24 2"}));
  EXPECT_EQ(device->Transform(platform::TransformKind::Texture0, 1)[12], 0.5f);
  EXPECT_EQ(device->Transform(platform::TransformKind::Texture0, 1)[13], 0.25f);
}

// ---- Drawing ----------------------------------------------------------------------

TEST_F(RenderD3DTest, SendsTheVertexFormatOnlyWhenTheKindChanges) {
  Create();
  render->BeginFrame(true);
  device->calls.clear();
  const YTexVertex quad[4];
  const YMeshVertex mesh[4];
  const YVector3 points[6];
  render->DrawQuad28(quad);
  render->DrawStrip28(quad, 2);
  render->DrawTriangles(points, 2);
  render->DrawLineStrip(points, 5);
  render->DrawQuad40(mesh);
  render->DrawStrip40(mesh, 2);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetVertexFormat 0x202", "DrawPrimitiveUP TriangleFan 2 28",
                                        "DrawPrimitiveUP TriangleStrip 2 28", "SetVertexFormat 0x2",
                                        "DrawPrimitiveUP TriangleList 2 12", "DrawPrimitiveUP LineStrip 5 12",
                                        "SetVertexFormat 0x212", "DrawPrimitiveUP TriangleFan 2 40",
                                        "DrawPrimitiveUP TriangleStrip 2 40"}));
  // A new frame forgets the format: the first draw sends it again.
  render->EndFrame();
  render->BeginFrame(false);
  device->calls.clear();
  render->DrawStrip40(mesh, 2);
  render->DrawTriangles(nullptr, 1);  // nothing to draw: no format, no draw
  render->DrawStrip28(quad, 0);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetVertexFormat 0x212", "DrawPrimitiveUP TriangleStrip 2 40"}));
}

TEST_F(RenderD3DTest, ScreenQuadCoversTheViewportUnderIdentityTransforms) {
  Create();
  YMatrix4 moved;
  moved.SetTranslation(YVector3(3, 4, 5));
  render->SetViewProjection(moved, moved);
  render->SetWorldTransform(moved);
  device->calls.clear();
  render->DrawScreenQuad();
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTransform Projection 0", "SetTransform View 0", "SetTransform World 0",
                                        "SetVertexFormat 0x2", "DrawPrimitiveUP TriangleStrip 2 12"}));
  for (auto kind : {platform::TransformKind::World, platform::TransformKind::View, platform::TransformKind::Projection})
    EXPECT_EQ(device->Transform(kind), kIdentity);
}

TEST_F(RenderD3DTest, TwoDProjectionMapsTheScreenRectangleAndDepthRange) {
  Create();
  render->Set2DProjection(1000, 625);
  const platform::Matrix16 p = device->Transform(platform::TransformKind::Projection);
  const auto topLeftNear = Project(p, 0, 0, -1);
  const auto bottomRightFar = Project(p, 1000, 625, 1);
  EXPECT_FLOAT_EQ(topLeftNear[0], -1);
  EXPECT_FLOAT_EQ(topLeftNear[1], 1);
  EXPECT_FLOAT_EQ(topLeftNear[2], 0);
  EXPECT_FLOAT_EQ(bottomRightFar[0], 1);
  EXPECT_FLOAT_EQ(bottomRightFar[1], -1);
  EXPECT_FLOAT_EQ(bottomRightFar[2], 1);
  EXPECT_EQ(device->Transform(platform::TransformKind::View), kIdentity);
  EXPECT_EQ(device->Transform(platform::TransformKind::World), kIdentity);

  device->calls.clear();
  render->Set2DProjection(0, 625);  // no size: nothing, rather than infinities
  render->Set2DProjection(1000, -1);
  EXPECT_TRUE(device->calls.empty());
}

TEST_F(RenderD3DTest, PerspectiveLooksDownNegativeZWithDepthFromNearToFar) {
  Create();
  render->SetPerspective(90, 2, 1, 10);
  const platform::Matrix16 p = device->Transform(platform::TransformKind::Projection);
  EXPECT_NEAR(Project(p, 0, 0, -1)[2], 0, 1e-6);
  EXPECT_NEAR(Project(p, 0, 0, -10)[2], 1, 1e-6);
  // 90 degrees vertically: y = -z is the top edge; aspect 2: x = -2z the right edge.
  EXPECT_NEAR(Project(p, 0, 5, -5)[1], 1, 1e-5);
  EXPECT_NEAR(Project(p, 10, 0, -5)[0], 1, 1e-5);
  EXPECT_EQ(device->Transform(platform::TransformKind::World), kIdentity);
}

// ---- Frame --------------------------------------------------------------------------

TEST_F(RenderD3DTest, BeginFrameResetsTheCachesFirstThenStartsTheScene) {
  Create();
  YCamera& camera = GetCamera();
  // Something sent before the frame is sent again: the caches were reset.
  render->ApplyStates(render->defaultStates);
  render->SetStageCount(3);
  device->calls.clear();

  render->BeginFrame(true);
  const Texts& calls = device->calls;
  const int begin = device->IndexOf("BeginScene");
  ASSERT_GE(begin, 0);
  EXPECT_LT(device->IndexOf("SetRenderState 27 0"), begin);
  EXPECT_LT(device->IndexOf("SetMaterial"), begin);
  EXPECT_LT(device->IndexOf("EnableLight 1"), begin);
  EXPECT_LT(device->IndexOf("SetTextureStageState 3 24 0"), begin);
  const Texts tail(calls.begin() + begin, calls.end());
  EXPECT_EQ(tail, (Texts{"BeginScene", "Clear c1 d1 s1 0x00000000 1 0", "SetTransform Projection 0",
                         "SetTransform View 0", "SetTransform World 0", "SetLight", "SetRenderState 139 4294967295",
                         "SetRenderState 137 1", "SetRenderState 141 1"}));
  EXPECT_EQ(render->stageCount, 1u);
  EXPECT_EQ(render->currentShader, nullptr);

  // The light comes from the camera, turned by the view's rotation.
  const YVector3& d = camera.LightDirection();
  const YMatrix4& v = camera.View();
  EXPECT_FLOAT_EQ(device->light.direction[1], d.x * v.m[0][1] + d.y * v.m[1][1] + d.z * v.m[2][1]);
  EXPECT_FLOAT_EQ(device->light.direction[2], d.x * v.m[0][2] + d.y * v.m[1][2] + d.z * v.m[2][2]);
  EXPECT_FLOAT_EQ(device->light.diffuse.g, 0.95f);
  EXPECT_FLOAT_EQ(device->light.ambient.b, 0.8f);
}

TEST_F(RenderD3DTest, EndFrameUnbindsEveryStageAndPresents) {
  Create();
  render->EndFrame();
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTexture 0 null", "SetTexture 1 null", "SetTexture 2 null",
                                        "SetTexture 3 null", "EndScene", "Present"}));
}

TEST_F(RenderD3DTest, ClearsStencilOnlyWhenTheModeHasIt) {
  Create(true, 1);
  render->Clear(false);
  render->Clear(true);
  EXPECT_EQ(device->TakeCalls(), (Texts{"Clear c0 d1 s1 0x00000000 1 0", "Clear c1 d1 s1 0x00000000 1 0"}));
  render->ReleaseDevice();
  Create(true, 2);  // the 16-bit mode: depth without stencil
  render->Clear(true);
  EXPECT_EQ(device->TakeCalls(), (Texts{"Clear c1 d1 s0 0x00000000 1 0"}));
}

TEST_F(RenderD3DTest, ViewportLetterboxesToTheWantedAspect) {
  Create();
  struct Case {
    int backWidth, backHeight;
    float width, height;
    const char* expected;
  };
  const Case cases[] = {
      {1024, 768, 1000, 625, "SetViewport 0 64 1024 640 0 1"},
      {1920, 1080, 1000, 625, "SetViewport 96 0 1728 1080 0 1"},  // an exact cut, not one pixel less
      {1680, 1050, 1000, 625, "SetViewport 0 0 1680 1050 0 1"},
      {1366, 768, 1000, 625, "SetViewport 68 0 1229 768 0 1"},
      {1024, 768, 1000, 0, "SetViewport 0 0 1024 768 0 1"},  // no aspect: the whole back buffer
      {0, 0, 1000, 625, "SetViewport 0 0 0 0 0 1"},
  };
  for (const Case& c : cases) {
    device->backWidth = c.backWidth;
    device->backHeight = c.backHeight;
    render->SetViewport(c.width, c.height);
    EXPECT_EQ(device->calls.back(), c.expected) << c.backWidth << "x" << c.backHeight;
  }
}

// ---- Buffers --------------------------------------------------------------------------

TEST_F(RenderD3DTest, VertexBuffersHoldTheVerticesAndRefuseOverflow) {
  EXPECT_EQ(render->CreateVertexBuffer(std::vector<YMeshVertex>(3)), nullptr);  // no device yet
  Create();
  std::vector<YMeshVertex> vertices(3);
  vertices[2].lv = 42;
  VertexBufferHandle handle = render->CreateVertexBuffer(vertices);
  ASSERT_NE(handle, nullptr);
  auto& buffer = dynamic_cast<FakeVertexBuffer&>(*handle);
  ASSERT_EQ(buffer.bytes.size(), 120u);
  float last = 0;
  std::memcpy(&last, buffer.bytes.data() + 116, sizeof last);
  EXPECT_EQ(last, 42);

  vertices[0].x = 5;
  render->UpdateVertexBuffer(handle, std::span(vertices).first(1));
  std::memcpy(&last, buffer.bytes.data(), sizeof last);
  EXPECT_EQ(last, 5);

  LogCapture log;
  vertices.resize(4);
  vertices[0].x = 6;
  render->UpdateVertexBuffer(handle, vertices);
  std::memcpy(&last, buffer.bytes.data(), sizeof last);
  EXPECT_EQ(last, 5);  // refused whole
  EXPECT_EQ(log.Lines(), (Texts{"Vertex buffer update refused: 160 bytes for a buffer of 120"}));

  EXPECT_EQ(render->CreateVertexBuffer({}), nullptr);
  render->ReleaseVertexBuffer(handle);
  render->UpdateVertexBuffer(handle, vertices);  // released: ignored, nothing touched
  render->ReleaseVertexBuffer(handle);
  render->ReleaseVertexBuffer(nullptr);
}

TEST_F(RenderD3DTest, IndexBuffersNeedADeviceAndIndices) {
  const std::vector<std::uint16_t> indices = {0, 1, 2, 2, 1, 3};
  EXPECT_EQ(render->CreateIndexBuffer(indices), nullptr);
  Create();
  EXPECT_EQ(render->CreateIndexBuffer({}), nullptr);
  IndexBufferHandle handle = render->CreateIndexBuffer(indices);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(dynamic_cast<FakeIndexBuffer&>(*handle).indices, indices);
  render->ReleaseIndexBuffer(handle);
  render->ReleaseIndexBuffer(nullptr);
}

// ---- Device life -------------------------------------------------------------------------

TEST(RenderD3DIdentity, LogsTheDriverWhenItIsKnown) {
  LogCapture log;
  {
    auto known = std::make_unique<FakeDisplaySystem>();
    Render_D3D other(std::move(known));
  }
  {
    auto unknown = std::make_unique<FakeDisplaySystem>();
    unknown->identityKnown = false;
    Render_D3D other(std::move(unknown));
  }
  EXPECT_EQ(log.Lines(), (Texts{"OpenGL object created.\nDriver fake driver\nDescription fake card\nVersion 1.2.3.4",
                                "OpenGL Released.", "OpenGL Released."}));
}

TEST_F(RenderD3DTest, FullScreenDeviceUsesTheModeAndReportsTheCaps) {
  GetInit().videoMode = "1024x768:32@60";
  LogCapture log;
  render->CreateDeviceOn(nullptr, true, 1);
  // Textures other tests left registered load after these lines.
  const Texts lines = log.Lines();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(Texts(lines.begin(), lines.begin() + 6), (Texts{"Video mode = 1024x768:32@60", "Fullscreen = 1", "OpenGL device created.",
                                "Caps MaxSimultaneousTextures = 4", "AvailableTextureMemory = 512",
                                "Max texture size = 2048"}));
  ASSERT_EQ(display->creations.size(), 1u);
  const platform::DeviceParams& params = display->creations[0];
  EXPECT_TRUE(params.fullscreen);
  EXPECT_EQ(params.mode.width, 1024u);
  EXPECT_EQ(params.mode.refresh, 60u);
  EXPECT_EQ(params.mode.format, fmt::X8R8G8B8);
  EXPECT_EQ(params.depthStencilFormat, fmt::D24S8);
  EXPECT_TRUE(params.waitForVerticalBlank);
  EXPECT_TRUE(render->stencil);
  // One empty frame right after creation.
  EXPECT_EQ(display->device->calls, (Texts{"BeginScene", "Clear c1 d1 s1 0x00000000 1 0", "EndScene", "Present"}));
  EXPECT_EQ(GetGraphicsDevice(), display->device);
  EXPECT_EQ(GetMaxTextureSize(), 2048u);
}

TEST_F(RenderD3DTest, WindowedDeviceUsesTheDesktopFormatAndTheClientSize) {
  display->clientWidth = 900;
  display->clientHeight = 500;
  Create(false, 0);
  const platform::DeviceParams& params = display->creations.back();
  EXPECT_FALSE(params.fullscreen);
  EXPECT_EQ(params.mode.width, 900u);
  EXPECT_EQ(params.mode.height, 500u);
  EXPECT_EQ(params.mode.refresh, 0u);
  EXPECT_EQ(params.mode.format, fmt::X8R8G8B8);
  EXPECT_FALSE(params.waitForVerticalBlank);
}

TEST_F(RenderD3DTest, AFailedWindowedStartIsRetriedFullScreen) {
  display->windowedCreationFails = true;
  GetInit().fullscreen = false;
  GetInit().videoMode = "640x480:32@60";
  LogCapture log;
  render->CreateDeviceOn(nullptr, false, 0);
  ASSERT_EQ(display->creations.size(), 2u);
  EXPECT_TRUE(display->creations[1].fullscreen);
  EXPECT_EQ(display->creations[1].mode.width, 640u);
  EXPECT_TRUE(GetInit().fullscreen);
  const Texts lines = log.Lines();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(Texts(lines.begin(), lines.begin() + 6),
            (Texts{"Video mode = 640x480:32@60", "Fullscreen = 0", "OpenGL device: refused by the test",
                   "Video mode = 640x480:32@60", "Fullscreen = 1", "OpenGL device created."}));
}

TEST_F(RenderD3DTest, WhenNoDeviceCanBeMadeTheModeIsResetSavedAndTheProgramFails) {
  testing_support::ScopedTempDir dir;
  display->windowedCreationFails = true;
  display->fullscreenCreationFails = true;
  GetInit().videoMode = "1600x1200:32@60";
  GetInit().configPath = dir.File("config.yml");
  EXPECT_EXIT(render->CreateDeviceOn(nullptr, false, 1), ::testing::ExitedWithCode(1), "");
  // The desktop's 1024x768:32@60 is what an empty request picks.
  EXPECT_NE(testing_support::ReadFile(dir.File("config.yml")).find("1024x768:32@60"), std::string::npos);
  GetInit().configPath.clear();
}

TEST_F(RenderD3DTest, AFullScreenIndexOutsideTheListFails) {
  EXPECT_FALSE(render->CreateDeviceForMode(nullptr, true, 3));
  EXPECT_FALSE(render->CreateDeviceForMode(nullptr, true, -1));
  EXPECT_TRUE(display->creations.empty());
  EXPECT_TRUE(render->CreateDeviceForMode(nullptr, true, 2));
}

TEST_F(RenderD3DTest, ResizeResetsOnlyAWindowedDeviceAndRetriesAFailedReset) {
  EXPECT_TRUE(render->Resize());
  EXPECT_FALSE(render->CheckDevice());  // no device

  Create(false, 0);
  display->clientWidth = 1200;
  display->clientHeight = 700;
  EXPECT_TRUE(render->Resize());
  ASSERT_EQ(device->resets.size(), 1u);
  EXPECT_EQ(device->backWidth, 1200);
  EXPECT_EQ(device->backHeight, 700);

  display->clientHeight = 0;  // minimised
  EXPECT_FALSE(render->Resize());
  EXPECT_EQ(device->resets.size(), 1u);

  display->clientHeight = 650;
  device->resetSucceeds = false;
  EXPECT_FALSE(render->Resize());
  EXPECT_FALSE(render->CheckDevice());  // still failing: frame skipped
  device->resetSucceeds = true;
  EXPECT_TRUE(render->CheckDevice());
  EXPECT_EQ(device->backHeight, 650);
  EXPECT_EQ(device->resets.size(), 4u);
  EXPECT_TRUE(render->CheckDevice());
  EXPECT_EQ(device->resets.size(), 4u);

  render->ReleaseDevice();
  Create(true, 1);  // full screen keeps its mode's size
  EXPECT_TRUE(render->Resize());
  EXPECT_TRUE(device->resets.empty());
}

TEST_F(RenderD3DTest, ReleasingTheDeviceReleasesTexturesAndHappensOnce) {
  Create();
  YTextureBase texture("no such file.png");
  texture.SetDeviceTexture(std::make_unique<FakeDeviceTexture>(1, std::vector<platform::Image>{}));
  LogCapture log;
  render->ReleaseDevice();
  render->ReleaseDevice();
  EXPECT_EQ(texture.DeviceTexture(), nullptr);
  EXPECT_EQ(log.Lines(), (Texts{"OpenGL Device Released."}));
  EXPECT_EQ(GetGraphicsDevice(), nullptr);
  EXPECT_EQ(GetMaxTextureSize(), 0u);
  // Nothing reaches a device that is gone.
  render->SetRenderState(0, 1);
  render->BeginFrame(true);
  render->SetViewport(1000, 625);
  render->EndFrame();
}

}  // namespace
