// The shipped piece meshes drawn by the renderer on the OpenGL device in a
// real window, lit, on a lit ground, with their stencil shadows: the body
// and the face show where they should, the face picture upright, the shadow
// falls along the light. A picture of the scene is kept beside the test
// program ("MeshPixelTest.png") to look at. Also a texture reloaded within a
// frame is drawn new. Skipped without an X display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/Shadows.h"
#include "render/YCamera.h"
#include "render/YMesh.h"
#include "render/YMeshCache.h"
#include "render/YMeshInstance.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
#include "render/YTextureBase.h"
#include "tests/e2e/RenderWindow.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 640, kHeight = 400;
constexpr float kBoardScale = 1 / 8.5f;
// Where the test program runs; the picture is written there.
const fs::path kShotFolder = fs::current_path();

// The face picture's quarters, top row first: 0xRRGGBB.
constexpr std::uint32_t kTopLeft = 0xE03030, kTopRight = 0x30C030, kBottomLeft = 0x3050E0,
                        kBottomRight = 0xE0D030;

constexpr const char* kShaders = R"(
<shader name="mesh_body">
  <material diffuse="c08040" ambient="403020" specular="000000" emissive="000000" power="0"/>
</shader>
<shader name="mesh_face">
  <material diffuse="ffffff" ambient="404040" specular="000000" emissive="000000" power="0"/>
  <map texture="face.png" wrap_x="clamp" wrap_y="clamp">
    <colorblend op="modulate" arg1="texture" arg2="diffuse"/>
  </map>
</shader>
<shader name="mesh_ground">
  <material diffuse="a0a0a0" ambient="303030" specular="000000" emissive="000000" power="0"/>
</shader>
<shader name="mesh_flat_texture">
  <map texture="swap.png"><colorblend op="selectarg1" arg1="texture"/></map>
</shader>
)";

struct Pixel {
  int x, y;
};

Pixel Project(const YVector3& p) {
  const NdcPoint ndc = CameraNdc(p);
  return {static_cast<int>((ndc.x + 1) * 0.5f * kWidth), static_cast<int>((1 - ndc.y) * 0.5f * kHeight)};
}

std::uint32_t At(const platform::Image& frame, Pixel p) {
  const std::uint8_t* t = &frame.bgra[(static_cast<std::size_t>(p.y) * frame.width + p.x) * 4];
  return static_cast<std::uint32_t>(t[2] << 16 | t[1] << 8 | t[0]);
}

int Channel(std::uint32_t rgb, int shift) {
  return static_cast<int>((rgb >> shift) & 0xFF);
}
int Brightness(std::uint32_t rgb) {
  return Channel(rgb, 16) + Channel(rgb, 8) + Channel(rgb, 0);
}

// The colour's largest channel: 16 red, 8 green, 0 blue.
int Dominant(std::uint32_t rgb) {
  const int r = Channel(rgb, 16), g = Channel(rgb, 8), b = Channel(rgb, 0);
  return r >= g && r >= b ? 16 : (g >= b ? 8 : 0);
}

platform::Image Quarters(std::uint32_t tl, std::uint32_t tr, std::uint32_t bl, std::uint32_t br) {
  platform::Image image = platform::MakeImage(2, 2);
  const std::uint32_t texels[4] = {tl, tr, bl, br};
  for (int i = 0; i < 4; ++i)
    for (int c = 0; c < 4; ++c)
      image.bgra[static_cast<std::size_t>(i * 4 + c)] =
          static_cast<std::uint8_t>((texels[i] | 0xFF000000u) >> (8 * c));
  return image;
}

class MeshPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    WriteContent();
    RenderWindow opened;
    opened.Open("Mesh pixel test", kWidth, kHeight);
    window_ = std::move(opened.window);
    render_ = std::move(opened.render);
    device_ = opened.device;
    if (HasFatalFailure()) return;
    LoadShaders(QV_SOURCE_DIR "/content/data/shaders.yml");
    LoadShaders("mesh.yml");
    UpdateShaders(0);
    YCamera& camera = GetCamera();
    savedPlacement_ = camera.Placement();
    savedFov_ = camera.Fov();
    camera.SetFov(10);
    camera.SetAspect(1.0f);  // the projection follows the field of view on the next change
    camera.SetAspect(static_cast<float>(kWidth) / kHeight);
    camera.SetView(YCamera::LookAtPlacement({0, -14, 20}, {0, 0, 0.2f}, {0, 1, 0}));
  }

  void TearDown() override {
    YCamera& camera = GetCamera();
    camera.SetFov(savedFov_);
    camera.SetAspect(1.0f);
    camera.SetAspect(1.6f);
    camera.SetView(savedPlacement_);
    if (device_) {
      EXPECT_EQ(device_->TakeGLError(), 0u) << "OpenGL reported an error";
    }
    render_.reset();
    window_.reset();
  }

  void WriteContent() {
    testing_support::WriteFile(dir_.Path() / "mesh.yml", kShaders);
    fs::create_directory(dir_.Path() / "mesh");
    for (const char* name : {"piece.mes", "pieceboss.mes", "piecehero.mes"})
      fs::copy_file(fs::path(QV_GAME_DIR) / "mesh" / name, dir_.Path() / "mesh" / name);
    ASSERT_TRUE(platform::WritePng(Quarters(kTopLeft, kTopRight, kBottomLeft, kBottomRight),
                                   (dir_.Path() / "face.png").string()));
  }

  void Ground() {
    render_->SetShader(GetShader("mesh_ground"), true);
    const float h = 4;
    const YMeshVertex q[4] = {{-h, -h, 0, 0, 0, 1, 0, 1, 0, 1},
                              {h, -h, 0, 0, 0, 1, 1, 1, 1, 1},
                              {h, h, 0, 0, 0, 1, 1, 0, 1, 0},
                              {-h, h, 0, 0, 0, 1, 0, 0, 0, 0}};
    render_->SetWorldTransform(YMatrix4());
    render_->DrawQuad40(q);
  }

  // Begins a frame of the ground and the pieces, their shadow edges added.
  void DrawPiecesOnTheGround(const std::vector<std::unique_ptr<YMeshInstance>>& pieces) {
    render_->BeginFrame(true);
    render_->SetViewport(static_cast<float>(kWidth), static_cast<float>(kHeight));
    GetCamera().Apply();
    ClearShadowVolumes();
    Ground();
    for (const auto& piece : pieces) piece->Draw();
  }

  platform::Image Finish(const char* shot) {
    platform::Image frame;
    EXPECT_TRUE(device_->ReadBackBuffer(frame));
    if (shot != nullptr) platform::WritePng(frame, (kShotFolder / shot).string());
    render_->EndFrame();
    return frame;
  }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_{dir_.Path()};
  std::unique_ptr<platform::Window> window_;
  std::unique_ptr<Render_D3D> render_;
  platform::GLDevice* device_ = nullptr;
  YMatrix4 savedPlacement_;
  float savedFov_ = 15;
};

TEST_F(MeshPixelTest, ThePiecesStandLitWithTheirFacesUprightAndCastShadowsAlongTheLight) {
  ASSERT_TRUE(ShadowsEnabled());
  const char* names[3] = {"mesh\\piece.mes", "mesh\\pieceboss.mes", "mesh\\piecehero.mes"};
  const float xs[3] = {-1.1f, 0, 1.1f};
  std::vector<std::unique_ptr<YMeshInstance>> pieces;
  std::vector<float> tops;
  for (int i = 0; i < 3; ++i) {
    YMesh* mesh = YMeshCache::Load(names[i]);
    ASSERT_EQ(mesh->subsets.size(), 2u) << names[i];
    auto& piece = pieces.emplace_back(std::make_unique<YMeshInstance>(mesh, kBoardScale, 1));
    piece->shaders = {GetShader("mesh_body"), GetShader("mesh_face")};
    piece->world.SetTranslation(YVector3(xs[i], 0, 0));
    float top = 0;
    for (const YMeshVertex& v : piece->vertices) top = std::max(top, v.z);
    tops.push_back(top);
  }
  DrawPiecesOnTheGround(pieces);
  DrawShadows();
  const platform::Image frame = Finish("MeshPixelTest.png");

  const YVector3& light = GetCamera().LightDirection();
  const float lx = light.x / std::hypot(light.x, light.y), ly = light.y / std::hypot(light.x, light.y);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    const float x = xs[i], top = tops[static_cast<std::size_t>(i)];
    // The face: its picture's top half towards +y, its left half towards -x.
    const float d = 0.1f;
    EXPECT_EQ(Dominant(At(frame, Project({x - d, d, top}))), 16);       // red, top left
    EXPECT_EQ(Dominant(At(frame, Project({x + d, d, top}))), 8);        // green, top right
    EXPECT_EQ(Dominant(At(frame, Project({x - d, -d, top}))), 0);       // blue, bottom left
    const std::uint32_t yellow = At(frame, Project({x + d, -d, top}));  // yellow, bottom right
    EXPECT_GT(Channel(yellow, 16), 2 * Channel(yellow, 0));
    EXPECT_GT(Channel(yellow, 8), 2 * Channel(yellow, 0));
    // The body's side towards the camera: lit, in the body's orange.
    const std::uint32_t side = At(frame, Project({x, -0.43f, top * 0.35f}));
    EXPECT_GT(Channel(side, 16), Channel(side, 0) + 20);
    EXPECT_GT(Brightness(side), 60);
    // The ground: shadowed just past the foot along the light, lit across it.
    const std::uint32_t shadowed = At(frame, Project({x + 0.5f * lx, 0.5f * ly, 0}));
    const std::uint32_t lit = At(frame, Project({x + 0.5f * ly, -0.5f * lx, 0}));
    EXPECT_LT(Brightness(shadowed) * 10, Brightness(lit) * 8) << std::hex << shadowed << " vs " << lit;
  }
}

// A board frame of eighteen pieces: the shadows' darkening pass drawn over
// the volumes' place on the screen alone leaves every pixel as the pass over
// the whole screen does, and the shadows do darken the frame.
TEST_F(MeshPixelTest, DarkeningOnlyWhereTheShadowVolumesLieLeavesEveryPixelAsTheWholeScreenPass) {
  ASSERT_TRUE(ShadowsEnabled());
  const char* names[3] = {"mesh\\piece.mes", "mesh\\pieceboss.mes", "mesh\\piecehero.mes"};
  std::vector<std::unique_ptr<YMeshInstance>> pieces;
  for (int i = 0; i < 18; ++i) {
    auto& piece =
        pieces.emplace_back(std::make_unique<YMeshInstance>(YMeshCache::Load(names[i % 3]), kBoardScale, 1));
    piece->shaders = {GetShader("mesh_body"), GetShader("mesh_face")};
    piece->world.SetTranslation(
        YVector3(0.45f * static_cast<float>(i % 6) - 1.1f, 0.5f * static_cast<float>(i / 6) - 0.4f, 0));
  }
  // 0: DrawShadows; 1: its passes by hand, the last over the whole screen;
  // 2: no shadows.
  const auto frame = [&](int way) {
    DrawPiecesOnTheGround(pieces);
    const ShadowVolumes& volumes = GetShadowVolumes();
    if (way == 0) DrawShadows();
    if (way == 1) {
      render_->SetWorldTransform(YMatrix4());
      render_->SetShader(GetShader("shadowPass1"), true);
      render_->DrawTriangles(volumes.Back().data(), static_cast<std::uint32_t>(volumes.Back().size() / 3));
      render_->SetShader(GetShader("shadowPass2"), true);
      render_->DrawTriangles(volumes.Front().data(), static_cast<std::uint32_t>(volumes.Front().size() / 3));
      render_->SetShader(GetShader("shadowPass3"), true);
      render_->DrawScreenQuad();
    }
    return Finish(nullptr);
  };
  const platform::Image area = frame(0), whole = frame(1), none = frame(2);
  ASSERT_EQ(area.bgra.size(), whole.bgra.size());
  std::size_t differing = 0, shadowed = 0;
  for (std::size_t i = 0; i < area.bgra.size(); ++i) {
    differing += area.bgra[i] != whole.bgra[i];
    shadowed += whole.bgra[i] != none.bgra[i];
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_GT(shadowed, 1000u);
}

// A texture bound, then reloaded from another picture within the same
// frame: the second quad shows the new picture.
TEST_F(MeshPixelTest, ATextureReloadedWithinAFrameIsDrawnNew) {
  ASSERT_TRUE(platform::WritePng(platform::MakeImage(1, 1, 0xFFE02020), "red.png"));
  ASSERT_TRUE(platform::WritePng(platform::MakeImage(1, 1, 0xFF2020E0), "blue.png"));
  YShader* shader = GetShader("mesh_flat_texture");
  YTextureBase* texture = shader->stages.at(0)->texture;
  ASSERT_NE(texture, nullptr);
  texture->SetName("red.png");
  render_->BeginFrame(true);
  render_->SetViewport(static_cast<float>(kWidth), static_cast<float>(kHeight));
  render_->Set2DProjection(static_cast<float>(kWidth), static_cast<float>(kHeight));
  const auto quad = [&](float x0) {
    const YTexVertex q[4] = {{{x0, 100, 0}, {0, 0}},
                             {{x0, 300, 0}, {0, 1}},
                             {{x0 + 200, 300, 0}, {1, 1}},
                             {{x0 + 200, 100, 0}, {1, 0}}};
    render_->DrawQuad28(q);
  };
  render_->SetShader(shader, true);
  quad(50);
  texture->SetName("blue.png");
  render_->SetShader(nullptr, false);
  render_->SetShader(shader, true);
  quad(390);
  const platform::Image frame = Finish(nullptr);
  EXPECT_EQ(Dominant(At(frame, {150, 200})), 16);
  EXPECT_EQ(Dominant(At(frame, {490, 200})), 0);
}

}  // namespace
