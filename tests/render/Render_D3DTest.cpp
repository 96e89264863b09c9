// The renderer on a recording device: state mapping, stage limits, the
// vertex-format cache, the frame, the letterboxed viewport, projections,
// device buffers and the device's life with its fallbacks.
#include "render/Render_D3D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "platform/DeviceTypes.h"
#include "platform/Image.h"
#include "render/YMesh.h"
#include "render/YMeshInstance.h"
#include "render/YMeshLoader.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/FakeDisplaySystem.h"
#include "tests/render/MeshTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::FakeDeviceTexture;
using testing_support::FakeDisplaySystem;
using testing_support::FakeGraphicsDevice;
using Texts = std::vector<std::string>;
using Kind = platform::TransformKind;
namespace fmt = platform::fmt;

const platform::Matrix16 kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// (x, y, z, 1) times a row-major matrix, divided by w, within 1e-5 of `expected`.
void ExpectProjects(const platform::Matrix16& m, std::array<float, 3> p, std::array<float, 3> expected) {
  float out[4] = {};
  for (std::size_t c = 0; c < 4; ++c) out[c] = p[0] * m[c] + p[1] * m[4 + c] + p[2] * m[8 + c] + m[12 + c];
  for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(out[i] / out[3], expected[i], 1e-5) << i;
}

// The first `n` lines: textures other tests left registered may log after them.
Texts First(const Texts& lines, std::size_t n) {
  return Texts(lines.begin(), lines.begin() + std::min(n, lines.size()));
}

// A renderer on a fake display with three full-screen modes listed (the
// global mode list set from them); the video settings are put back afterwards.
class RenderD3DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<FakeDisplaySystem>();
    display = owned.get();
    display->modes = {
        {640, 480, 60, fmt::X8R8G8B8}, {1024, 768, 60, fmt::X8R8G8B8}, {1024, 768, 85, fmt::R5G6B5}};
    // 16-bit modes get a depth buffer without stencil.
    display->depthWorks = [](std::uint32_t colour, std::uint32_t depth) {
      return colour != fmt::R5G6B5 || depth == fmt::D16;
    };
    display->prepareDevice = [this](FakeGraphicsDevice& made) { made.caps = caps; };
    render = std::make_unique<Render_D3D>(std::move(owned));
    GetDisplayModeList().SetModes(render->EnumerateModes());
  }

  void TearDown() override {
    render.reset();
    GetDisplayModeList() = savedModes_;
    GetInit().fullscreen = savedFullscreen_;
    GetInit().videoMode = savedVideoMode_;
  }

  // Creates the device (full screen 1024x768@60 by default) and forgets the calls of its creation.
  void Create(bool fullscreen = true, int modeIndex = 1) {
    render->CreateDeviceOn(nullptr, fullscreen, modeIndex);
    device = display->device;
    device->calls.clear();
  }

  platform::DeviceCaps caps{4, 4096, 2048, std::uint64_t{512} << 20};
  FakeDisplaySystem* display = nullptr;
  FakeGraphicsDevice* device = nullptr;
  std::unique_ptr<Render_D3D> render;

 private:
  DisplayModeList savedModes_ = GetDisplayModeList();
  bool savedFullscreen_ = GetInit().fullscreen;
  std::string savedVideoMode_ = GetInit().videoMode;
};

TEST_F(RenderD3DTest, StateSlotsReachTheDeviceStates) {
  Create();
  render->SetRenderState(0, 100);    // z enable
  render->SetRenderState(19, 119);   // emissive source
  render->SetStageState(2, 10, 11);  // address v
  // Ids and stages outside the tables reach nothing.
  render->SetRenderState(20, 1);
  render->SetStageState(2, 11, 1);
  render->SetStageState(kMaxStages, 0, 1);
  render->SetTextureFactor(YColor(1, 0.5f, 0, 1));
  render->SetTextureFactor(YColor(1, 0.5f, 0, 1));  // cached
  render->EnableLight(false);                       // specular highlights go with the light
  render->identityFlags[1] = true;
  render->SetTextureMatrix(YMatrix4(), 1);  // identity: the stage's texture transform is switched off
  YTextureBase texture("no such file.png");
  render->BindTexture(&texture, 1);  // no device texture: the stage is unbound
  texture.SetDeviceTexture(std::make_unique<FakeDeviceTexture>(7, std::vector<platform::Image>{}));
  render->BindTexture(&texture, 1);
  EXPECT_EQ(device->TakeCalls(),
            (Texts{"SetRenderState 27 100", "SetRenderState 148 119", "SetTextureStageState 2 14 11",
                   "SetRenderState 60 4294934272", "EnableLight 0", "SetRenderState 29 0",
                   "SetTextureStageState 1 24 0", "SetTexture 1 null", "SetTexture 1 tex7"}));
}

// An empty or broken texture file must not draw with the texture the stage
// held before (a font's glyph sheet over a whole screen).
TEST_F(RenderD3DTest, AStageWhoseTextureFailedIsBoundToNoTextureOnDeviceAndInTheCache) {
  Create();
  YTextureBase glyphs("glyph sheet.tga");
  glyphs.SetDeviceTexture(std::make_unique<FakeDeviceTexture>(7, std::vector<platform::Image>{}));
  YTextureBase failed("textures\\battle\\no such frame.tga");
  render->SetStageTexture(&glyphs, 0);
  render->SetStageTexture(&failed, 0);
  EXPECT_EQ(render->boundTextures[0], nullptr);
  render->SetStageTexture(&failed, 0);  // the cache holds no texture: nothing more is sent
  render->SetStageTexture(&glyphs, 0);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTexture 0 tex7", "SetTexture 0 null", "SetTexture 0 tex7"}));
}

TEST_F(RenderD3DTest, DroppedStagesAreUnboundAndDisabledAndTheirCachesSaySo) {
  Create();
  render->SetStageCount(9);  // limited to the device's 4; growing sends nothing
  EXPECT_EQ(render->stageCount, 4u);
  EXPECT_TRUE(device->calls.empty());
  const FakeDeviceTexture texture(1, {});
  render->boundTextures.fill(&texture);
  render->SetStageCount(2);
  EXPECT_EQ(device->TakeCalls(),
            (Texts{"SetTexture 2 null", "SetTextureStageState 2 1 1", "SetTextureStageState 2 4 1",
                   "SetTexture 3 null", "SetTextureStageState 3 1 1", "SetTextureStageState 3 4 1"}));
  EXPECT_EQ(render->boundTextures[1], &texture);
  EXPECT_EQ(render->boundTextures[3], nullptr);
  EXPECT_EQ(render->stageStateCache[3][0], 1u);
  EXPECT_EQ(render->stageStateCache[3][3], 1u);
}

// Drivers may report more texture units than the caches hold.
TEST_F(RenderD3DTest, AStageLimitAboveTheCachesIsCutToThem) {
  caps.maxSimultaneousTextures = 16;
  Create();
  render->SetStageCount(16);
  render->SetStageCount(0);
  EXPECT_EQ(device->Count("SetTexture "), kMaxStages);
}

TEST_F(RenderD3DTest, SendsTheVertexFormatOnlyWhenTheKindChangesWithinAFrame) {
  const YTexVertex quad[4];
  const YMeshVertex mesh[4];
  const YVector3 points[6];
  Create();
  render->BeginFrame(true);
  device->calls.clear();
  render->DrawQuad28(quad);
  render->DrawStrip28(quad, 2);
  render->DrawLineStrip(points, 5);
  render->DrawStrip40(mesh, 2);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetVertexFormat 0x202", "DrawPrimitiveUP TriangleFan 2 28",
                                        "DrawPrimitiveUP TriangleStrip 2 28", "SetVertexFormat 0x2",
                                        "DrawPrimitiveUP LineStrip 5 12", "SetVertexFormat 0x212",
                                        "DrawPrimitiveUP TriangleStrip 2 40"}));
  render->EndFrame();
  render->BeginFrame(false);  // forgets the format
  device->calls.clear();
  render->DrawTriangles(nullptr, 1);  // nothing to draw: no format, no draw
  render->DrawStrip40(mesh, 2);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetVertexFormat 0x212", "DrawPrimitiveUP TriangleStrip 2 40"}));
}

TEST_F(RenderD3DTest, ProjectionsMapOntoZeroToOneAndTheScreenQuadUsesIdentities) {
  Create();
  render->Set2DProjection(1000, 625);
  ExpectProjects(device->Transform(Kind::Projection), {0, 0, -1}, {-1, 1, 0});
  ExpectProjects(device->Transform(Kind::Projection), {1000, 625, 1}, {1, -1, 1});
  device->calls.clear();
  render->Set2DProjection(0, 625);  // no size: nothing, rather than infinities
  EXPECT_TRUE(device->calls.empty());
  // 90 degrees vertically: y = -z is the top edge; aspect 2: x = -2z the right edge.
  render->SetPerspective(90, 2, 1, 10);
  ExpectProjects(device->Transform(Kind::Projection), {10, 5, -5}, {1, 1, 8.0f / 9});
  ExpectProjects(device->Transform(Kind::Projection), {0, 0, -10}, {0, 0, 1});

  render->DrawScreenQuad();
  EXPECT_EQ(device->calls.back(), "DrawPrimitiveUP TriangleStrip 2 12");
  for (auto kind : {Kind::World, Kind::View, Kind::Projection}) EXPECT_EQ(device->Transform(kind), kIdentity);
}

TEST_F(RenderD3DTest, BeginFrameResetsTheCachesFirstThenStartsTheScene) {
  Create();
  render->ApplyStates(render->defaultStates);  // sent before the frame: sent again
  device->calls.clear();
  render->BeginFrame(true);
  const auto begin = std::find(device->calls.begin(), device->calls.end(), "BeginScene");
  EXPECT_NE(std::find(device->calls.begin(), begin, "SetRenderState 27 0"), begin);
  EXPECT_EQ(Texts(begin, device->calls.end()),
            (Texts{"BeginScene", "Clear c1 d1 s1 0x00000000 1 0", "SetTransform Projection 0",
                   "SetTransform View 0", "SetTransform World 0", "SetLight", "SetRenderState 139 4294967295",
                   "SetRenderState 137 1", "SetRenderState 141 1"}));

  device->calls.clear();
  render->EndFrame();
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTexture 0 null", "SetTexture 1 null", "SetTexture 2 null",
                                        "SetTexture 3 null", "EndScene", "Present"}));
  render->ReleaseDevice();
  Create(true, 2);  // the 16-bit mode: depth without stencil
  render->Clear(false);
  EXPECT_EQ(device->TakeCalls(), (Texts{"Clear c0 d1 s0 0x00000000 1 0"}));
}

TEST_F(RenderD3DTest, ViewportLetterboxesToTheWantedAspect) {
  Create();
  const struct {
    int backWidth, backHeight;
    float height;
    const char* expected;
  } cases[] = {{1024, 768, 625, "SetViewport 0 64 1024 640 0 1"},
               {1920, 1080, 625, "SetViewport 96 0 1728 1080 0 1"},  // an exact cut, not one pixel less
               {1366, 768, 625, "SetViewport 68 0 1229 768 0 1"},
               {1024, 768, 0, "SetViewport 0 0 1024 768 0 1"},  // no aspect: the whole back buffer
               {0, 0, 625, "SetViewport 0 0 0 0 0 1"}};
  for (const auto& c : cases) {
    device->backWidth = c.backWidth;
    device->backHeight = c.backHeight;
    render->SetViewport(1000, c.height);
    EXPECT_EQ(device->calls.back(), c.expected) << c.backWidth << "x" << c.backHeight;
  }
}

// The menu's blast reaches above the interface: its pixels, rounded out,
// end at the letterboxed viewport's edge; the frame's end lifts the clip.
TEST_F(RenderD3DTest, AClipCoversTheAreasPixelsRoundedOutWithinTheViewport) {
  Create();
  device->backWidth = 1280;
  device->backHeight = 1024;
  render->ClipTo(YRect(280, -80, 440, 290), 1000, 625);
  EXPECT_EQ(device->calls.back(), "SetScissor 1 358 112 564 269");
  render->ClipTo(YRect(0.1f, 0.1f, 0.2f, 0.2f), 1000, 625);
  EXPECT_EQ(device->calls.back(), "SetScissor 1 0 112 1 1");
  render->EndFrame();
  EXPECT_NE(std::find(device->calls.begin(), device->calls.end(), "SetScissor 0 0 0 0 0"), device->calls.end());
}

TEST_F(RenderD3DTest, BuffersNeedADeviceAndRefuseOverflow) {
  std::vector<YMeshVertex> vertices(3);
  EXPECT_EQ(render->CreateVertexBuffer(vertices), nullptr);  // no device yet
  Create();
  EXPECT_EQ(render->CreateIndexBuffer({}), nullptr);
  VertexBufferHandle handle = render->CreateVertexBuffer(vertices);
  ASSERT_NE(handle, nullptr);
  const auto& bytes = dynamic_cast<testing_support::FakeVertexBuffer&>(*handle).bytes;
  LogCapture log;
  vertices.resize(4);
  vertices[0].x = 6;
  render->UpdateVertexBuffer(handle, vertices);
  EXPECT_EQ(bytes, std::vector<std::uint8_t>(120, 0));  // refused whole
  EXPECT_EQ(log.Lines(), (Texts{"Vertex buffer update refused: 160 bytes for a buffer of 120"}));
  render->ReleaseVertexBuffer(handle);
  render->UpdateVertexBuffer(handle, vertices);  // released: ignored, nothing touched
  render->ReleaseVertexBuffer(handle);
}

// ---- Device life -------------------------------------------------------------------------

// Each subset is one indexed draw from the device buffers in the mesh
// vertex format; the buffers go and come back with the device, and a
// released buffer draws nothing.
TEST_F(RenderD3DTest, MeshesDrawThroughDeviceBuffersThatFollowTheDevice) {
  YMesh mesh;
  YMeshLoader("m.mes", mesh_test::TrianglesText({2, 1, 2})).Parse(mesh);  // no device yet: no buffers
  YMeshInstance instance(&mesh, 1.0f, 1);
  EXPECT_EQ(mesh.IndexBuffer(), nullptr);
  Create();
  ASSERT_NE(mesh.IndexBuffer(), nullptr);
  ASSERT_NE(instance.VertexBuffer(), nullptr);
  render->BeginFrame(true);
  device->calls.clear();
  render->DrawMesh(instance);
  EXPECT_EQ(device->TakeCalls(),
            (Texts{"SetVertexFormat 0x212", "DrawIndexed 40 0 3 0 1", "DrawIndexed 40 3 6 3 2"}));

  render->ReleaseDevice();
  EXPECT_EQ(mesh.IndexBuffer(), nullptr);
  EXPECT_EQ(instance.VertexBuffer(), nullptr);
  Create();
  render->BeginFrame(true);
  device->calls.clear();
  YShader shader("s");
  YShader* const shaders[] = {&shader};
  render->DrawMeshEx2(instance, shaders);
  EXPECT_EQ(device->Count("DrawIndexed"), 2);

  const YMeshVertex vertices[3];
  VertexBufferHandle released = render->CreateVertexBuffer(vertices);
  render->ReleaseVertexBuffer(released);
  device->calls.clear();
  render->DrawIndexedSubset(released, mesh.IndexBuffer(), mesh.subsets[0]);
  render->DrawIndexedSubset(instance.VertexBuffer(), nullptr, mesh.subsets[0]);
  EXPECT_TRUE(device->calls.empty());
}

// A texture reloaded within a frame may get the freed texture's address;
// the stage caches forget the freed one, so the new one is bound.
TEST_F(RenderD3DTest, ATextureReloadedWithinAFrameIsBoundAgain) {
  testing_support::ScopedTempDir dir;
  ASSERT_TRUE(platform::WritePng(platform::MakeImage(2, 2, 0xFF0000FF), dir.File("blue.png")));
  Create();
  YTextureBase texture(dir.File("blue.png"));
  render->BeginFrame(true);
  render->SetStageTexture(&texture, 0);
  render->SetStageTexture(&texture, 2);
  render->SetStageTexture(&texture, 0);  // cached: not sent again
  EXPECT_EQ(device->Count("SetTexture 0 tex1"), 1);
  texture.SetName(dir.File("blue.png"));  // frees tex1, loads tex2
  EXPECT_EQ(render->boundTextures[0], nullptr);
  EXPECT_EQ(render->boundTextures[2], nullptr);
  device->calls.clear();
  render->SetStageTexture(&texture, 0);
  EXPECT_EQ(device->TakeCalls(), (Texts{"SetTexture 0 tex2"}));
}

TEST_F(RenderD3DTest, FullScreenDeviceUsesTheModeAndWindowedTheClientSize) {
  GetInit().videoMode = "1024x768:32@60";
  LogCapture log;
  render->CreateDeviceOn(nullptr, true, 1);
  EXPECT_EQ(First(log.Lines(), 4), (Texts{"Video mode = 1024x768:32@60", "Fullscreen = 1",
                                          "OpenGL device created.", "Caps MaxSimultaneousTextures = 4"}));
  const platform::DeviceParams full = display->creations.at(0);
  EXPECT_EQ(full.mode.refresh, 60u);
  EXPECT_EQ(full.depthStencilFormat, fmt::D24S8);
  EXPECT_TRUE(full.waitForVerticalBlank);
  // One empty frame right after creation, beside the buffers of the meshes
  // that the process's caches hold (other tests leave some there).
  Texts frame = display->device->calls;
  std::erase_if(frame, [](const std::string& call) { return call.starts_with("Create"); });
  EXPECT_EQ(frame, (Texts{"BeginScene", "Clear c1 d1 s1 0x00000000 1 0", "EndScene", "Present"}));

  render->ReleaseDevice();
  display->clientWidth = 900;
  Create(false, 0);
  const platform::DeviceParams& windowed = display->creations.back();
  EXPECT_EQ(windowed.mode.width, 900u);
  EXPECT_EQ(windowed.mode.refresh, 0u);
  EXPECT_FALSE(windowed.waitForVerticalBlank);
}

TEST_F(RenderD3DTest, AFailedWindowedStartIsRetriedFullScreen) {
  display->windowedCreationFails = true;
  GetInit().fullscreen = false;
  GetInit().videoMode = "640x480:32@60";
  LogCapture log;
  render->CreateDeviceOn(nullptr, false, 0);
  ASSERT_EQ(display->creations.size(), 2u);
  EXPECT_EQ(display->creations[1].mode.width, 640u);
  EXPECT_TRUE(GetInit().fullscreen);
  EXPECT_EQ(First(log.Lines(), 6),
            (Texts{"Video mode = 640x480:32@60", "Fullscreen = 0", "OpenGL device: refused by the test",
                   "Video mode = 640x480:32@60", "Fullscreen = 1", "OpenGL device created."}));
}

TEST_F(RenderD3DTest, WhenNoDeviceCanBeMadeTheModeIsResetSavedAndTheProgramFails) {
  testing_support::ScopedTempDir dir;
  display->windowedCreationFails = display->fullscreenCreationFails = true;
  GetInit().videoMode = "1600x1200:32@60";
  GetInit().configPath = dir.File("config.yml");
  EXPECT_EXIT(render->CreateDeviceOn(nullptr, false, 1), ::testing::ExitedWithCode(1), "");
  // The desktop's 1024x768:32@60 is what an empty request picks.
  EXPECT_NE(testing_support::ReadFile(dir.File("config.yml")).find("1024x768:32@60"), std::string::npos);
  GetInit().configPath.clear();
  EXPECT_FALSE(render->CreateDeviceForMode(nullptr, true, 3));  // full-screen index outside the list
}

TEST_F(RenderD3DTest, ResizeResetsOnlyAWindowedDeviceRetriesAFailedResetAndReleaseHappensOnce) {
  EXPECT_FALSE(render->CheckDevice());  // no device
  Create(false, 0);
  display->clientHeight = 0;  // minimised
  EXPECT_FALSE(render->Resize());
  display->clientHeight = 650;
  device->resetSucceeds = false;
  EXPECT_FALSE(render->Resize());
  EXPECT_FALSE(render->CheckDevice());  // still failing: frame skipped
  device->resetSucceeds = true;
  EXPECT_TRUE(render->CheckDevice());
  EXPECT_TRUE(render->CheckDevice());
  EXPECT_EQ(device->backHeight, 650);
  EXPECT_EQ(device->Count("Reset"), 3);

  render->ReleaseDevice();
  Create(true, 1);  // full screen keeps its mode's size
  EXPECT_TRUE(render->Resize());
  EXPECT_EQ(device->Count("Reset"), 0);

  // Releasing happens once and takes the textures' device objects along.
  YTextureBase texture("no such file.png");
  texture.SetDeviceTexture(std::make_unique<FakeDeviceTexture>(1, std::vector<platform::Image>{}));
  LogCapture log;
  render->ReleaseDevice();
  render->ReleaseDevice();
  EXPECT_EQ(texture.DeviceTexture(), nullptr);
  EXPECT_EQ(log.Lines(), (Texts{"OpenGL Device Released."}));
  render->BeginFrame(true);  // nothing reaches a device that is gone
}

}  // namespace
