// The OpenGL graphics device drawn into a real window and read back: clears,
// lighting and materials, texture orientation, culling, the texture matrix,
// blending, stencil, depth 0..1 (with and without clip control), the
// viewport, the scissor, buffer drawing, full screen, and a kept start-up
// context taken over by the device.
#include <span>
#include <utility>

#include "platform/GLContext.h"
#include "tests/e2e/GLDeviceTestFixture.h"

namespace gltest {
namespace {

using GLDevice_ = DeviceFixture;

TEST_F(GLDevice_, ClearFillsTheBackBufferWhateverTheWriteMasks) {
  device->SetRenderState(rs::ZWriteEnable, 0);
  device->SetRenderState(rs::StencilWriteMask, 0);
  device->Clear(true, true, true, 0xFF336699, 0.5f, 3);
  EXPECT_TRUE(Near(Pixel(kSize - 1, kSize - 1), Rgb(0x33, 0x66, 0x99)));
  // Depth 0.5 and stencil 3 arrived although writes to both were off.
  device->SetRenderState(rs::StencilEnable, 1);
  device->SetRenderState(rs::StencilFunc, cmp::Equal);
  device->SetRenderState(rs::StencilRef, 3);
  DrawTFactor(0xFFFF0000);
  Quad(-1, -1, 0, 1, 0.6f);  // left half behind the cleared depth
  Quad(0, -1, 1, 1, 0.4f);   // right half in front
  EXPECT_TRUE(Near(Pixel(10, 32), Rgb(0x33, 0x66, 0x99)));
  EXPECT_TRUE(Near(Pixel(54, 32), Rgb(255, 0, 0)));
}

// A quad facing the viewer, lit by light 0 travelling along +z (away from
// the viewer, so towards the quad's face) in a view turned by `view`.
class GLDeviceLighting : public DeviceFixture {
 protected:
  std::uint32_t DrawLit(const DeviceMaterial& material, std::uint32_t ambient = 0, bool light = true,
                        bool specular = false, bool localViewer = true) {
    DeviceLight l;
    l.diffuse = l.specular = {1, 1, 1, 1};
    l.direction[2] = 1;
    device->SetLight(l);
    device->EnableLight(light);
    device->SetRenderState(rs::Lighting, 1);
    device->SetRenderState(rs::SpecularEnable, specular);
    device->SetRenderState(rs::LocalViewer, localViewer);
    device->SetRenderState(rs::Ambient, ambient);
    device->SetMaterial(material);
    device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
    device->SetTextureStageState(0, tss::ColorArg1, targ::Diffuse);
    // Far from the viewer (z 100 of 200), so a local viewer sees every
    // corner head on, as a distant one does: lighting is per vertex.
    device->SetTransform(TransformKind::Projection, 0,
                         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 / 200.0f, 0, 0, 0, 0, 1});
    const float z = view[10] < 0 ? -100 : 100;
    const MeshVertex quad[4] = {{-1, 1, z, 0, 0, -1, 0, 0, 0, 0},
                                {1, 1, z, 0, 0, -1, 1, 0, 1, 0},
                                {1, -1, z, 0, 0, -1, 1, 1, 1, 1},
                                {-1, -1, z, 0, 0, -1, 0, 1, 0, 1}};
    device->SetTransform(TransformKind::View, 0, view);
    device->Clear(true, true, false, 0, 1, 0);
    device->SetVertexFormat(fvf::PositionNormalTex2);
    device->DrawPrimitiveUP(PrimitiveType::TriangleFan, 2, quad, sizeof(MeshVertex));
    return Centre();
  }

  Matrix16 view{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const ColorValue none{0, 0, 0, 1};
};

TEST_F(GLDeviceLighting, EmissiveAmbientDiffuseAndSpecular) {
  EXPECT_TRUE(Near(DrawLit({none, none, none, {0.2f, 0.4f, 0.6f, 1}, 0}, 0, false), Rgb(51, 102, 153)))
      << "emissive only";
  EXPECT_TRUE(Near(DrawLit({none, {1, 0.5f, 0, 1}, none, none, 0}, 0xFF808080, false), Rgb(128, 64, 0)))
      << "ambient";
  EXPECT_TRUE(Near(DrawLit({{0.5f, 0.25f, 1, 1}, none, none, none, 0}), Rgb(128, 64, 255))) << "diffuse";
  const DeviceMaterial shiny{none, none, {0, 0.5f, 0, 1}, none, 10};
  EXPECT_TRUE(Near(DrawLit(shiny, 0, true, true, true), Rgb(0, 128, 0))) << "specular, local viewer";
  EXPECT_TRUE(Near(DrawLit(shiny, 0, true, true, false), Rgb(0, 128, 0))) << "specular, distant viewer";
  EXPECT_TRUE(Near(DrawLit(shiny, 0, true, false), 0)) << "specular off";
}

// The light's direction is in world space: a view turned half around moves
// the quad and its normal, and the light must turn with them.
TEST_F(GLDeviceLighting, LightFollowsTheViewSetAfterIt) {
  view = {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1};
  EXPECT_TRUE(Near(DrawLit({{1, 1, 1, 1}, none, none, none, 0}), Rgb(255, 255, 255)));
}

TEST_F(GLDevice_, TextureTopRowIsVZeroAndModulatesTheDiffuseColour) {
  auto texture = MakeTexture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
  ASSERT_NE(texture, nullptr);
  device->SetTexture(0, texture.get());
  device->SetRenderState(rs::Lighting, 1);
  device->SetMaterial({{}, {}, {}, {0.5f, 0.5f, 0.5f, 1}, 0});
  FullQuad();  // stage 0 starts as texture x diffuse
  EXPECT_TRUE(Near(Pixel(16, 16), Rgb(128, 0, 0)));
  EXPECT_TRUE(Near(Pixel(48, 16), Rgb(0, 128, 0)));
  EXPECT_TRUE(Near(Pixel(16, 48), Rgb(0, 0, 128)));
}

// A triangle is culled when the mode names its winding as seen on the screen.
TEST_F(GLDevice_, CullModeCullsTheWindingItNames) {
  // Bottom left, top left, top right: clockwise on the screen.
  const TexVertex a{-1, -1, 0.5f, 0, 0, 0, 0}, b{-1, 1, 0.5f, 0, 0, 0, 0}, c{1, 1, 0.5f, 0, 0, 0, 0};
  DrawTFactor(0xFFFFFFFF);
  for (const std::uint32_t mode : {cull::None, cull::Clockwise, cull::CounterClockwise})
    for (const bool clockwise : {true, false}) {
      device->Clear(true, false, false, 0, 1, 0);
      device->SetRenderState(rs::CullMode, mode);
      const TexVertex triangle[3] = {a, clockwise ? b : c, clockwise ? c : b};
      device->DrawPrimitiveUP(PrimitiveType::TriangleList, 1, triangle, sizeof(TexVertex));
      const bool culled = mode == (clockwise ? cull::Clockwise : cull::CounterClockwise);
      EXPECT_EQ(Pixel(8, 8), culled ? 0u : Rgb(255, 255, 255))
          << "mode " << mode << " clockwise " << clockwise;
    }
}

// Translation in row 2 moves two-coordinate texture coordinates, and only
// while the stage's transform flags are on.
TEST_F(GLDevice_, TextureMatrixTranslationShiftsTheTexture) {
  auto texture = MakeTexture(2, 1, {0xFFFF0000, 0xFF0000FF});
  device->SetTexture(0, texture.get());
  device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
  // u + 0.5 from row 2; row 3 does not count for two coordinates.
  device->SetTransform(TransformKind::Texture0, 0, {1, 0, 0, 0, 0, 1, 0, 0, 0.5f, 0, 1, 0, -0.25f, 0, 0, 1});
  FullQuad();
  EXPECT_EQ(Pixel(16, 32), Rgb(255, 0, 0)) << "the matrix applies with the flags off";
  device->SetTextureStageState(0, tss::TextureTransformFlags, 2);
  FullQuad();
  EXPECT_EQ(Pixel(16, 32), Rgb(0, 0, 255));
  EXPECT_EQ(Pixel(48, 32), Rgb(255, 0, 0));
}

// Red at alpha 128 drawn over blue.
TEST_F(GLDevice_, AlphaBlendFactors) {
  const struct {
    std::uint32_t src, dest, expected;
  } cases[] = {{blend::SrcAlpha, blend::InvSrcAlpha, Rgb(128, 0, 127)},
               {blend::One, blend::One, Rgb(255, 0, 255)},
               {blend::Zero, blend::InvSrcColor, Rgb(0, 0, 255)},
               {blend::DestColor, blend::Zero, Rgb(0, 0, 0)}};
  DrawTFactor(0x80FF0000);
  for (bool enabled : {true, false}) {
    device->SetRenderState(rs::AlphaBlendEnable, enabled);
    for (const auto& c : cases) {
      device->Clear(true, true, false, 0xFF0000FF, 1, 0);
      device->SetRenderState(rs::SrcBlend, c.src);
      device->SetRenderState(rs::DestBlend, c.dest);
      FullQuad();
      EXPECT_TRUE(Near(Centre(), enabled ? c.expected : Rgb(255, 0, 0)))
          << c.src << " " << c.dest << " " << enabled;
    }
  }
}

// A first pass changes the stencil buffer; a second draws where it holds
// the expected value.
TEST_F(GLDevice_, StencilOperationsWrapSaturateAndMask) {
  const struct {
    const char* name;
    std::uint32_t start, passOp, zFailOp, ref, writeMask;
    bool depthFails;
    std::uint32_t expected;
  } cases[] = {{"incr wraps", 255, stencilop::Incr, stencilop::Keep, 0, 0xFF, false, 0},
               {"incr saturates", 255, stencilop::IncrSat, stencilop::Keep, 0, 0xFF, false, 255},
               {"decr wraps", 0, stencilop::Decr, stencilop::Keep, 0, 0xFF, false, 255},
               {"write mask", 0, stencilop::Replace, stencilop::Keep, 0xFF, 0x0F, false, 0x0F},
               {"depth fail", 7, stencilop::Keep, stencilop::Incr, 0, 0xFF, true, 8}};
  DrawTFactor(0xFF00FF00);
  device->SetRenderState(rs::StencilEnable, 1);
  device->SetRenderState(rs::ZFunc, cmp::Less);
  for (const auto& c : cases) {
    device->Clear(true, true, true, 0, c.depthFails ? 0.0f : 1.0f, c.start);
    device->SetRenderState(rs::StencilFunc, cmp::Always);
    device->SetRenderState(rs::StencilPass, c.passOp);
    device->SetRenderState(rs::StencilZFail, c.zFailOp);
    device->SetRenderState(rs::StencilRef, c.ref);
    device->SetRenderState(rs::StencilWriteMask, c.writeMask);
    FullQuad();
    device->SetRenderState(rs::StencilPass, stencilop::Keep);
    device->SetRenderState(rs::StencilZFail, stencilop::Keep);
    device->SetRenderState(rs::StencilFunc, cmp::Equal);
    device->SetRenderState(rs::StencilRef, c.expected);
    device->Clear(true, true, false, 0, 1, 0);
    FullQuad();
    EXPECT_EQ(Centre(), Rgb(0, 255, 0)) << c.name;
  }
}

// Depth runs 0..1: 0 and 1 are kept, beyond them clipped, the viewport's
// range maps onto it. Run with clip control and with remapped projections.
class GLDeviceDepth : public DeviceFixture, public ::testing::WithParamInterface<bool> {
 protected:
  GLDeviceOptions Options() const override { return {GetParam(), true}; }
};

TEST_P(GLDeviceDepth, DepthRangeIsZeroToOne) {
  ASSERT_EQ(device->UsesClipControl(), GetParam() && device->UsesClipControl());
  for (const auto& [z, drawn] : {std::pair{-0.01f, false}, {0.0f, true}, {0.999f, true}, {1.01f, false}}) {
    device->Clear(true, true, false, 0, 1, 0);
    DrawTFactor(0xFFFFFFFF);
    FullQuad(z);
    EXPECT_EQ(Centre(), drawn ? Rgb(255, 255, 255) : 0u) << "z " << z;
  }
  // z 0 in a viewport whose depth starts at 0.5 lies behind z 0.4 drawn in
  // the full range.
  device->Clear(true, true, false, 0, 1, 0);
  device->SetRenderState(rs::ZFunc, cmp::Less);
  device->SetViewport(0, 0, kSize, kSize, 0.5f, 1.0f);
  DrawTFactor(0xFFFF0000);
  FullQuad(0.0f);
  device->SetViewport(0, 0, kSize, kSize, 0.0f, 1.0f);
  DrawTFactor(0xFF00FF00);
  FullQuad(0.4f);
  EXPECT_EQ(Centre(), Rgb(0, 255, 0));
}

// A perspective projection of the game's kind (left-handed, near 1, far
// 100, z in 0..1 after the divide) keeps the nearer of two quads.
TEST_P(GLDeviceDepth, PerspectiveOrdersByDistance) {
  const float n = 1, f = 100, q = f / (f - n);
  device->SetTransform(TransformKind::Projection, 0, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * n, 0});
  device->SetRenderState(rs::ZFunc, cmp::Less);
  DrawTFactor(0xFF00FF00);
  Quad(-2, -2, 2, 2, 2.0f);
  DrawTFactor(0xFFFF0000);
  Quad(-50, -50, 50, 50, 50.0f);
  DrawTFactor(0xFF0000FF);
  Quad(-1, -1, 1, 1, 0.5f);  // nearer than the near plane
  EXPECT_EQ(Centre(), Rgb(0, 255, 0));
}

INSTANTIATE_TEST_SUITE_P(ClipControl, GLDeviceDepth, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ClipControl" : "Remapped"; });

TEST_F(GLDevice_, ViewportCountsRowsFromTheTopUntilAReset) {
  device->SetViewport(0, 0, kSize, 16, 0, 1);
  DrawTFactor(0xFFFFFFFF);
  FullQuad();
  EXPECT_EQ(Pixel(32, 4), Rgb(255, 255, 255));
  EXPECT_EQ(Pixel(32, 40), 0u);
  ASSERT_TRUE(device->Reset(DeviceParams{}));
  FullQuad();
  EXPECT_EQ(Pixel(32, 40), Rgb(255, 255, 255)) << "a reset viewport covers the back buffer";
}

TEST_F(GLDevice_, AScissorLimitsDrawsAndClearsToItsRowsCountedFromTheTop) {
  device->SetScissor(true, 0, 0, kSize, 16);
  device->Clear(true, true, false, 0xFF0000FF, 0.2f, 0);  // the top rows blue and near
  DrawTFactor(0xFF00FF00);
  Quad(-1, -1, 0, 1, 0.1f);  // the left half green, in the top rows alone
  device->SetScissor(false, 0, 0, 0, 0);
  DrawTFactor(0xFFFFFFFF);
  FullQuad(0.5f);  // white wherever the depth is still the first clear's
  EXPECT_EQ(Pixel(10, 4), Rgb(0, 255, 0));
  EXPECT_EQ(Pixel(54, 4), Rgb(0, 0, 255));
  EXPECT_EQ(Pixel(10, 40), Rgb(255, 255, 255));
}

TEST_F(GLDevice_, IndexedDrawingStaysWithinItsBuffers) {
  const MeshVertex vertices[4] = {{-1, 1, 0.5f, 0, 0, -1, 0, 0, 0, 0},
                                  {1, 1, 0.5f, 0, 0, -1, 1, 0, 1, 0},
                                  {1, -1, 0.5f, 0, 0, -1, 1, 1, 1, 1},
                                  {-1, -1, 0.5f, 0, 0, -1, 0, 1, 0, 1}};
  const std::uint16_t indices[] = {0, 1, 2, 0, 2, 3, 0, 2, 9};
  auto vb = device->CreateVertexBuffer({reinterpret_cast<const std::uint8_t*>(vertices), sizeof vertices});
  auto ib = device->CreateIndexBuffer(indices);
  ASSERT_TRUE(vb && ib);
  DrawTFactor(0xFFFFFFFF);
  device->SetVertexFormat(fvf::PositionNormalTex2);
  device->DrawIndexed(*vb, sizeof(MeshVertex), *ib, 0, 4, 0, 2);
  EXPECT_EQ(Pixel(4, 4), Rgb(255, 255, 255));
  EXPECT_EQ(device->RefusedDraws(), 0u);

  // Index 9 lies beyond the four vertices; a range past the indices, a
  // stride below the vertex and a format without size are refused too.
  device->DrawIndexed(*vb, sizeof(MeshVertex), *ib, 0, 4, 6, 1);
  device->DrawIndexed(*vb, sizeof(MeshVertex), *ib, 0, 4, 3, 3);
  device->DrawIndexed(*vb, 12, *ib, 0, 4, 0, 2);
  device->SetVertexFormat(0x999);
  device->DrawIndexed(*vb, sizeof(MeshVertex), *ib, 0, 4, 0, 2);
  device->DrawPrimitiveUP(PrimitiveType::TriangleFan, 2, vertices, sizeof(MeshVertex));
  EXPECT_EQ(device->RefusedDraws(), 5u);

  EXPECT_FALSE(vb->Update(std::vector<std::uint8_t>(sizeof vertices + 1)));
}

TEST_F(GLDevice_, ResourcesRefuseBadInputAndMayOutliveTheDevice) {
  EXPECT_EQ(device->CreateIndexBuffer({}), nullptr);
  EXPECT_EQ(device->CreateTexture({Image{4, 4, std::vector<std::uint8_t>(63)}}), nullptr);
  auto texture = MakeTexture(1, 1, {0xFFFFFFFF});
  const std::uint16_t indices[] = {0, 1, 2};
  auto ib = device->CreateIndexBuffer(indices);
  ASSERT_NE(texture, nullptr);
  device.reset();  // the context goes first; the resources must not touch it
  texture.reset();
  ib.reset();
}

// Full screen covers the display and is left again on a windowed reset and
// when the device goes; a window that covered the desktop by its own choice
// is given back that way.
TEST_F(GLDevice_, FullScreenIsLeftForTheWindowsOwnState) {
  DeviceDisplayMode desktop;
  ASSERT_TRUE(DesktopDisplayMode(desktop));
  DeviceParams full;
  full.fullscreen = true;
  std::string error;
  device.reset();
  device = GLDevice::Create(*window, full, {}, error);
  ASSERT_NE(device, nullptr) << error;
  int width = 0, height = 0;
  device->BackBufferSize(width, height);
  EXPECT_EQ(width, static_cast<int>(desktop.width));
  EXPECT_TRUE(window->IsFullscreen());
  ASSERT_TRUE(device->Reset(DeviceParams{}));
  EXPECT_FALSE(window->IsFullscreen());
  ASSERT_TRUE(device->Reset(full));
  device.reset();
  EXPECT_FALSE(window->IsFullscreen());

  WindowDesc desc;
  desc.fullscreen = true;
  auto covering = Window::Create(desc, nullptr);
  ASSERT_NE(covering, nullptr);
  covering->Show(false);
  device = GLDevice::Create(*covering, DeviceParams{}, {}, error);
  ASSERT_NE(device, nullptr) << error;
  ASSERT_TRUE(device->Reset(full));
  ASSERT_TRUE(device->Reset(DeviceParams{}));
  device.reset();
  EXPECT_TRUE(covering->IsFullscreen());
}

// The start-up check's context, kept with its hidden window, becomes the
// next device's own: no second context is made, and it draws to the new
// window.
TEST(GLDeviceContext, AKeptProbeContextIsTakenOverByTheNextDevice) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
  WindowDesc probeDesc;
  probeDesc.clientWidth = probeDesc.clientHeight = 16;
  auto probeWindow = Window::Create(probeDesc, nullptr);
  ASSERT_NE(probeWindow, nullptr);
  std::string error;
  auto probe = GLContext::Create(probeWindow->Sdl(), error);
  ASSERT_NE(probe, nullptr) << error;
  GLContext::KeepAsSpare(std::move(probe), std::move(probeWindow));
  ASSERT_TRUE(GLContext::HasSpare());

  WindowDesc desc;
  desc.clientWidth = desc.clientHeight = kSize;
  auto window = Window::Create(desc, nullptr);
  ASSERT_NE(window, nullptr);
  window->Show(false);
  auto device = GLDevice::Create(*window, DeviceParams{}, GLDeviceOptions{}, error);
  ASSERT_NE(device, nullptr) << error;
  EXPECT_FALSE(GLContext::HasSpare());
  device->Clear(true, false, false, 0xFF20C040, 1, 0);
  Image frame;
  ASSERT_TRUE(device->ReadBackBuffer(frame));
  ASSERT_EQ(frame.width, kSize);
  EXPECT_EQ(frame.bgra[0], 0x40);
  EXPECT_EQ(frame.bgra[1], 0xC0);
  EXPECT_EQ(device->TakeGLError(), 0u);
}

}  // namespace
}  // namespace gltest
