// The whole renderer on the OpenGL device in a real window: shaders from a
// shader file, the UI's letterboxed 2D space, the camera's lit 3D space, the
// shipped shadow passes and the UI root's shipped fade covers, checked on
// the pixels of the back buffer.
// Skipped without an X display.
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
#include "render/SplashScreens.h"
#include "render/YCamera.h"
#include "render/YShader.h"
#include "tests/e2e/RenderWindow.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/UIProbe.h"
#include "ui/UIRoot.h"

namespace {

// A 160 x 160 window letterboxes the 1000 x 625 UI space into rows 30..129.
constexpr int kSide = 160;
constexpr float kViewTop = 30, kViewHeight = 100, kUiScale = 0.16f;

// Texels of "pix\quad.png", rows top first: 0xRRGGBB.
constexpr std::uint32_t kTopLeft = 0xC86432, kTopRight = 0x28A0F0, kBottomLeft = 0x78DC50,
                        kBottomRight = 0xFAFAFA;

// Default states cull clockwise triangles, so UI quads go counter-clockwise.
constexpr const char* kShaders = R"(
<shader name="pix_flat"><state cull="none" zfunc="lessequal"/></shader>
<shader name="pix_cw"><state cull="cw"/></shader>
<shader name="pix_ccw"><state cull="ccw"/></shader>
<shader name="pix_blend"><blend src="srcalpha" dest="invsrcalpha"/><state zfunc="lessequal"/></shader>
<shader name="pix_tinted">
  <map texture="pix\quad.png"><colorblend op="modulate" arg1="texture" arg2="diffuse"/></map>
</shader>
<shader name="pix_lit">
  <material diffuse="808080" ambient="000000" specular="000000" emissive="000000" power="0"/>
  <map texture="pix\grey.png"><colorblend op="modulate" arg1="texture" arg2="diffuse"/></map>
</shader>
<shader name="pix_offset_x">
  <map texture="pix\quad.png"><colorblend op="selectarg1" arg1="texture"/><mod_offset x="0.5"/></map>
</shader>
<shader name="pix_offset_y">
  <map texture="pix\quad.png"><colorblend op="selectarg1" arg1="texture"/><mod_offset y="0.5"/></map>
</shader>
)";

struct Pixel {
  int x, y;
};

// A point of the UI space on the back buffer.
Pixel Ui(float x, float y) {
  return {static_cast<int>(x * kUiScale), static_cast<int>(kViewTop + y * kUiScale)};
}

// 0xRRGGBB of a channel-wise product with factors in 0..1.
std::uint32_t Scale(std::uint32_t rgb, float r, float g, float b) {
  const auto channel = [&](int shift, float f) {
    return static_cast<std::uint32_t>(std::lround(((rgb >> shift) & 0xFF) * f)) << shift;
  };
  return channel(16, r) | channel(8, g) | channel(0, b);
}
std::uint32_t Tint(std::uint32_t rgb) {
  return Scale(rgb, 0.5f, 1, 0.25f);
}

// Where a world point shows under the camera: row vector times view and
// projection, divided, onto the letterboxed viewport.
Pixel Project(const YVector3& p) {
  const NdcPoint ndc = CameraNdc(p);
  return {static_cast<int>((ndc.x + 1) * 0.5f * kSide),
          static_cast<int>(kViewTop + (1 - ndc.y) * 0.5f * kViewHeight)};
}

class RenderPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    WriteContent();
    if (HasFatalFailure()) return;
    RenderWindow opened;
    opened.Open("Render pixel test", kSide, kSide);
    window_ = std::move(opened.window);
    render_ = std::move(opened.render);
    device_ = opened.device;
    if (HasFatalFailure()) return;
    LoadShaders(QV_SOURCE_DIR "/content/data/shaders.yml");
    LoadShaders("pix.yml");
    UpdateShaders(0);
  }

  void TearDown() override {
    if (device_) {
      EXPECT_EQ(device_->TakeGLError(), 0u) << "OpenGL reported an error";
    }
    render_.reset();
    window_.reset();
  }

  void WriteContent() {
    testing_support::WriteFile(dir_.Path() / "pix.yml", kShaders);
    std::filesystem::create_directories(dir_.Path() / "pix");
    platform::Image quad = platform::MakeImage(2, 2);
    const std::uint32_t texels[4] = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};
    for (int i = 0; i < 4; ++i)
      for (int c = 0; c < 4; ++c)
        quad.bgra[static_cast<std::size_t>(i * 4 + c)] =
            static_cast<std::uint8_t>((texels[i] | 0xFF000000u) >> (8 * c));
    ASSERT_TRUE(platform::WritePng(quad, (dir_.Path() / "pix/quad.png").string()));
    ASSERT_TRUE(
        platform::WritePng(platform::MakeImage(1, 1, 0xFFC8A078), (dir_.Path() / "pix/grey.png").string()));
  }

  // A frame with the viewport letterboxed to the UI space; `ui` adds the 2D
  // projection, otherwise the camera's.
  void Begin(bool ui) {
    render_->BeginFrame(true);
    render_->SetViewport(1000, 625);
    if (ui)
      render_->Set2DProjection(1000, 625);
    else
      GetCamera().Apply();
  }
  // The frame's pixels, read before it is presented.
  platform::Image Finish() {
    platform::Image frame;
    EXPECT_TRUE(device_->ReadBackBuffer(frame));
    render_->EndFrame();
    return frame;
  }
  // Every channel of the pixel within 3 of the expected 0xRRGGBB.
  void Expect(const platform::Image& frame, Pixel p, std::uint32_t rgb) {
    ASSERT_TRUE(p.x >= 0 && p.y >= 0 && p.x < frame.width && p.y < frame.height) << p.x << ", " << p.y;
    const std::uint8_t* t = &frame.bgra[(static_cast<std::size_t>(p.y) * frame.width + p.x) * 4];
    const auto actual = static_cast<std::uint32_t>(t[2] << 16 | t[1] << 8 | t[0]);
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8)
      worst = std::max(worst, std::abs(static_cast<int>((actual >> shift & 0xFF) - (rgb >> shift & 0xFF))));
    EXPECT_LE(worst, 3) << "pixel (" << p.x << ", " << p.y << ") is " << std::hex << actual << ", expected "
                        << rgb;
  }

  // A UI quad (texture (0, 0) top left), counter-clockwise on the screen
  // unless clockwise.
  void UiQuad(float x0, float y0, float x1, float y1, bool clockwise = false) {
    YTexVertex q[4] = {
        {{x0, y0, 0}, {0, 0}}, {{x0, y1, 0}, {0, 1}}, {{x1, y1, 0}, {1, 1}}, {{x1, y0, 0}, {1, 0}}};
    if (clockwise) std::swap(q[1], q[3]);
    render_->DrawQuad28(q);
  }
  // A horizontal square of half side h about (x, y) at height z,
  // counter-clockwise seen from above.
  void GroundQuad(float x, float y, float z, float h, float normalZ) {
    const YMeshVertex q[4] = {{x - h, y - h, z, 0, 0, normalZ, 0, 1, 0, 1},
                              {x + h, y - h, z, 0, 0, normalZ, 1, 1, 1, 1},
                              {x + h, y + h, z, 0, 0, normalZ, 1, 0, 1, 0},
                              {x - h, y + h, z, 0, 0, normalZ, 0, 0, 0, 0}};
    render_->DrawQuad40(q);
  }
  void Colour(const char* shader, const YColor& colour) {
    render_->SetShaderColor(GetShader(shader), colour);
  }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_{dir_.Path()};
  std::unique_ptr<platform::Window> window_;
  std::unique_ptr<Render_D3D> render_;
  platform::GLDevice* device_ = nullptr;
};

TEST_F(RenderPixelTest, UiQuadsTakeTheirEmissiveColourInsideTheLetterbox) {
  Begin(true);
  Colour("pix_flat", YColor(1, 0, 0, 1));
  UiQuad(0, 0, 1000, 625);
  Colour("pix_flat", YColor(0, 1, 0, 1));
  UiQuad(100, 100, 300, 200);
  const platform::Image frame = Finish();
  const struct {
    Pixel at;
    std::uint32_t rgb;
  } cases[] = {{{80, 10}, 0},          {{80, 145}, 0},           {{2, 31}, 0xFF0000},
               {{157, 128}, 0xFF0000}, {Ui(200, 150), 0x00FF00}, {{14, 54}, 0xFF0000},
               {{50, 54}, 0xFF0000},   {{32, 44}, 0xFF0000},     {{32, 64}, 0xFF0000}};
  for (const auto& c : cases) Expect(frame, c.at, c.rgb);
}

// The light's direction as the device receives it (turned by the view) lights
// the ground by its cosine; a face turned away keeps only its black ambient.
TEST_F(RenderPixelTest, LitGroundUnderTheCameraTakesTheLightsDiffuse) {
  Begin(false);
  render_->SetShader(GetShader("pix_lit"), true);
  GroundQuad(-3, 0, 0, 2, 1);
  GroundQuad(3, 0, 0, 2, -1);
  const platform::Image frame = Finish();
  const YCamera& camera = GetCamera();
  const YVector3& l = camera.LightDirection();
  const YMatrix4& v = camera.View();
  const float cosine = -(l.x * v.m[0][2] + l.y * v.m[1][2] + l.z * v.m[2][2]);
  const float diffuse = 128.0f / 255 * cosine;
  Expect(frame, Project({-3, 0, 0}), Scale(0xC8A078, diffuse, diffuse * 0.95f, diffuse * 0.8f));
  Expect(frame, Project({3, 0, 0}), 0);
}

TEST_F(RenderPixelTest, CullModesDropTrianglesByScreenWinding) {
  const struct {
    const char* shader;
    bool clockwise, drawn;
  } cases[] = {{"pix_cw", true, false},   {"pix_cw", false, true},  {"pix_ccw", true, true},
               {"pix_ccw", false, false}, {"pix_flat", true, true}, {"pix_flat", false, true}};
  Begin(true);
  float x = 0;
  for (const auto& c : cases) {
    Colour(c.shader, YColor(1, 1, 1, 1));
    UiQuad(x + 20, 200, x + 140, 400, c.clockwise);
    x += 160;
  }
  const platform::Image frame = Finish();
  x = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.shader) + (c.clockwise ? " clockwise" : " counter-clockwise"));
    Expect(frame, Ui(x + 80, 300), c.drawn ? 0xFFFFFF : 0);
    x += 160;
  }
}

// Each quadrant of a quad shows one texel of the 2 x 2 texture, v = 0 at the
// top, times the material colour; mod_offset moves the texture by half its
// size, so the texture matrix's translation must reach either coordinate.
TEST_F(RenderPixelTest, TexturedQuadsSampleUprightTintedAndOffset) {
  const YColor white(1, 1, 1, 1), tint(0.5f, 1, 0.25f, 1);
  const struct {
    const char* shader;
    YColor colour;
    std::uint32_t quadrants[4];  // top left, top right, bottom left, bottom right
  } cases[] = {{"pix_tinted", white, {kTopLeft, kTopRight, kBottomLeft, kBottomRight}},
               {"pix_tinted", tint, {Tint(kTopLeft), Tint(kTopRight), Tint(kBottomLeft), Tint(kBottomRight)}},
               {"pix_offset_x", tint, {kTopRight, kTopLeft, kBottomRight, kBottomLeft}},
               {"pix_offset_y", white, {kBottomLeft, kBottomRight, kTopLeft, kTopRight}}};
  Begin(true);
  for (int i = 0; i < 4; ++i) {
    Colour(cases[i].shader, cases[i].colour);
    UiQuad(40 + 240.0f * i, 150, 240 + 240.0f * i, 400);
  }
  const platform::Image frame = Finish();
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(cases[i].shader);
    for (int q = 0; q < 4; ++q)
      Expect(frame, Ui(90 + 240.0f * i + 100 * (q % 2), 212.5f + 125 * (q / 2)), cases[i].quadrants[q]);
  }
}

TEST_F(RenderPixelTest, BlendShaderMixesBySourceAlpha) {
  const float alphas[] = {0.0f, 0.25f, 0.5f, 1.0f};
  Begin(true);
  Colour("pix_flat", YColor(1, 0, 0, 1));
  UiQuad(0, 0, 1000, 625);
  for (int i = 0; i < 4; ++i) {
    Colour("pix_blend", YColor(0, 0, 1, alphas[i]));
    UiQuad(250.0f * i, 200, 250.0f * i + 200, 400);
  }
  const platform::Image frame = Finish();
  for (int i = 0; i < 4; ++i)
    Expect(frame, Ui(250.0f * i + 100, 300), Scale(0xFF00FF, 1 - alphas[i], 0, alphas[i]));
}

// A square floating 6 units above the ground casts, along the default light,
// a square shadow that the three shipped passes darken by the alpha of
// "shadowPass3". The ground around it, the caster, the bars and the ground
// seen through the volume between caster and shadow stay as drawn.
TEST_F(RenderPixelTest, ShippedShadowPassesDarkenExactlyTheShadow) {
  ASSERT_TRUE(ShadowsEnabled());
  constexpr float kHeight = 6, kHalf = 1;
  Begin(false);
  ClearShadowVolumes();
  Colour("pix_flat", YColor(0.8f, 0.8f, 0.8f, 1));
  GroundQuad(0, 0, 0, 10, 1);
  Colour("pix_flat", YColor(0, 0, 1, 1));
  GroundQuad(0, 0, kHeight, kHalf, 1);
  const YVector3 corners[4] = {
      {-kHalf, -kHalf, kHeight}, {kHalf, -kHalf, kHeight}, {kHalf, kHalf, kHeight}, {-kHalf, kHalf, kHeight}};
  for (int i = 0; i < 4; ++i) AddShadowEdge(corners[i], corners[(i + 1) % 4]);
  DrawShadows();
  const platform::Image frame = Finish();

  const YVector3& l = GetCamera().LightDirection();
  const YVector3 shadow(-l.x * kHeight / l.z, -l.y * kHeight / l.z, 0);  // the caster's centre cast down
  const std::uint32_t ground = Scale(0xFFFFFF, 0.8f, 0.8f, 0.8f);
  const float keep = 1 - 0x60 / 255.0f;
  const std::uint32_t shaded = Scale(ground, keep, keep, keep);
  const struct {
    YVector3 at;
    std::uint32_t rgb;
  } cases[] = {{shadow, shaded},
               {{shadow.x + 0.6f, shadow.y - 0.6f, 0}, shaded},
               {{shadow.x + 2.5f, shadow.y, 0}, ground},
               {{shadow.x - 2.5f, shadow.y, 0}, ground},
               {{shadow.x, shadow.y - 2.5f, 0}, ground},
               {{0.7f, -0.5f, 0}, ground},  // its ray enters and leaves the volume
               {{0, 0, kHeight}, 0x0000FF}};
  for (const auto& c : cases) Expect(frame, Project(c.at), c.rgb);
  Expect(frame, {80, 10}, 0);
}

// A white screen under an open green modal, half way through a screen
// change: the shipped "modal_fade" dims the screen by half towards a quarter
// grey, then "ui_fade" does the same over everything, modal included.
TEST_F(RenderPixelTest, ShippedUiFadesDimTheScreenAndDarkenEverything) {
  UIRoot root(1000, 625, nullptr);
  Probe screen("screen", {0, 0, 1000, 625});
  Probe modal("modal", {400, 200, 200, 200});
  screen.paintColour = YColor(1, 1, 1, 1);
  modal.paintColour = YColor(0, 1, 0, 1);
  root.SetScreen(&screen);
  root.Update(0.4f);  // swapped at full darkness
  root.PushModal(&modal);
  root.Update(0.2f);  // modal open, screen fade back at 0.5
  Begin(true);
  root.Draw();
  const platform::Image frame = Finish();
  const float faded = 0.125f * 0.5f, dimmed = 0.25f * 0.5f + 1 * 0.5f, outside = faded + dimmed * 0.5f;
  const std::uint32_t grey = Scale(0xFFFFFF, outside, outside, outside);
  Expect(frame, Ui(5, 5), grey);
  Expect(frame, Ui(990, 615), grey);
  Expect(frame, Ui(500, 300), Scale(0xFFFFFF, faded, faded + 0.5f, faded));
}

// The shipped splash files with stand-in images: the studio card, half
// transparent, lies centred over its background colour, both darkened by
// the fade; the title card fills the window. Neither is culled or hidden by
// the depth test under the frame start's identity transforms.
TEST_F(RenderPixelTest, ShippedSplashScreensFadeTheirImagesOverTheirBackgrounds) {
  std::filesystem::create_directories("splash");
  for (const char* file : {"splash/config.yml", "splash/shaders.yml"})
    std::filesystem::copy_file(std::string(QV_SOURCE_DIR "/content/") + file, file);
  constexpr std::uint32_t kStudio = 0xC86432, kTitle = 0x28A0F0;
  ASSERT_TRUE(platform::WritePng(platform::MakeImage(2, 2, 0x80000000u | kStudio), "splash/studio.tga"));
  ASSERT_TRUE(platform::WritePng(platform::MakeImage(2, 2, 0xFF000000u | kTitle), "splash/title.tga"));
  LoadShaders("splash\\shaders.yml");
  SplashScreens splash;
  std::vector<YColor> backgrounds;
  Init config;
  config.SetSplashSink([&](const std::string& shader, const std::string& bg, const YColor& colour, float w, float h) {
    splash.AddScreen(shader, bg, colour, w, h);
    backgrounds.push_back(colour);
  });
  config.LoadFile("splash\\config.yml");
  ASSERT_EQ(splash.ScreenCount(), 2u);
  const YColor& bg = backgrounds[0];
  const float k = 128.0f / 255;  // the studio stand-in's alpha
  const auto frame = [&](float dt) {
    splash.Update(dt);
    render_->BeginFrame(true);
    EXPECT_TRUE(splash.Draw());
    return Finish();
  };
  for (const float dt : {1.0f, 2.0f}) {  // alpha 0.5, then shown
    SCOPED_TRACE(dt);
    const platform::Image image = frame(dt);
    const float a = splash.Alpha();
    Expect(image, {4, 4}, Scale(0xFFFFFF, bg.r * a, bg.g * a, bg.b * a));
    const auto mixed = [&](int shift, float back) {
      return static_cast<std::uint32_t>(std::lround(((kStudio >> shift) & 0xFF) * a * k + back * 255 * a * (1 - k)))
             << shift;
    };
    Expect(image, {80, 80}, mixed(16, bg.r) | mixed(8, bg.g) | mixed(0, bg.b));
  }
  for (const float dt : {2.5f, 2.0f}) splash.Update(dt);
  const platform::Image title = frame(2.0f);
  ASSERT_EQ(splash.Index(), 1);
  Expect(title, {4, 4}, kTitle);
  Expect(title, {155, 155}, kTitle);
}

}  // namespace
