// The OpenGL graphics device drawn into a real window and read back: clears,
// lighting and materials, texture orientation, culling, the texture matrix,
// blending, stencil, depth 0..1 (with and without clip control), the
// viewport, buffer drawing and the display queries.
#include <cmath>

#include "tests/e2e/GLDeviceTestFixture.h"

namespace gltest {
namespace {

constexpr Matrix16 kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

using GLDevice_ = DeviceFixture;

TEST_F(GLDevice_, ClearFillsTheBackBufferWhateverTheWriteMasks) {
  device->SetRenderState(rs::ZWriteEnable, 0);
  device->SetRenderState(rs::StencilWriteMask, 0);
  device->Clear(true, true, true, 0xFF336699, 0.5f, 3);
  EXPECT_TRUE(Near(Pixel(0, 0), Rgb(0x33, 0x66, 0x99)));
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

struct LightingCase {
  const char* name;
  bool lighting, light, localViewer, specular;
  std::uint32_t ambient;
  DeviceMaterial material;
  std::uint32_t expected;
};

// Light 0 travels along +z (away from the viewer); the quad's normal faces
// the viewer and so the light.
TEST_F(GLDevice_, LightingMaterialsAndTheLight) {
  const ColorValue none{0, 0, 0, 1};
  const LightingCase cases[] = {
      {"emissive only",
       true,
       false,
       true,
       false,
       0,
       {none, none, none, {0.2f, 0.4f, 0.6f, 1}, 0},
       Rgb(51, 102, 153)},
      {"ambient colour",
       true,
       false,
       true,
       false,
       0xFF808080,
       {none, {1, 0.5f, 0, 1}, none, none, 0},
       Rgb(128, 64, 0)},
      {"lighting off: white",
       false,
       true,
       true,
       false,
       0,
       {none, none, none, {0.2f, 0.4f, 0.6f, 1}, 0},
       Rgb(255, 255, 255)},
      {"diffuse light",
       true,
       true,
       true,
       false,
       0,
       {{0.5f, 0.25f, 1, 1}, none, none, none, 0},
       Rgb(128, 64, 255)},
      {"specular, local viewer",
       true,
       true,
       true,
       true,
       0,
       {none, none, {0, 0.5f, 0, 1}, none, 10},
       Rgb(0, 128, 0)},
      {"specular, distant viewer",
       true,
       true,
       false,
       true,
       0,
       {none, none, {0, 0.5f, 0, 1}, none, 10},
       Rgb(0, 128, 0)},
      {"specular off", true, true, true, false, 0, {none, none, {0, 0.5f, 0, 1}, none, 10}, Rgb(0, 0, 0)},
  };
  DeviceLight light;
  light.diffuse = light.specular = {1, 1, 1, 1};
  light.direction[2] = 1;
  device->SetLight(light);
  device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
  device->SetTextureStageState(0, tss::ColorArg1, targ::Diffuse);
  // Far from the viewer (z 100 of 200), so a local viewer sees every
  // corner head on, as a distant one does: lighting is per vertex.
  device->SetTransform(TransformKind::Projection, 0,
                       {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 / 200.0f, 0, 0, 0, 0, 1});
  const MeshVertex quad[4] = {{-1, 1, 100, 0, 0, -1, 0, 0, 0, 0},
                              {1, 1, 100, 0, 0, -1, 1, 0, 1, 0},
                              {1, -1, 100, 0, 0, -1, 1, 1, 1, 1},
                              {-1, -1, 100, 0, 0, -1, 0, 1, 0, 1}};
  for (const LightingCase& c : cases) {
    SCOPED_TRACE(c.name);
    device->SetRenderState(rs::Lighting, c.lighting);
    device->SetRenderState(rs::LocalViewer, c.localViewer);
    device->SetRenderState(rs::SpecularEnable, c.specular);
    device->SetRenderState(rs::Ambient, c.ambient);
    device->EnableLight(c.light);
    device->SetMaterial(c.material);
    device->Clear(true, true, false, 0, 1, 0);
    device->SetVertexFormat(fvf::PositionNormalTex2);
    device->DrawPrimitiveUP(PrimitiveType::TriangleFan, 2, quad, sizeof(MeshVertex));
    EXPECT_TRUE(Near(Centre(), c.expected));
  }
}

// The light's direction is in world space: a view turned half around moves
// the quad and its normal, and the light must turn with them.
TEST_F(GLDevice_, LightFollowsTheViewSetAfterIt) {
  DeviceLight light;
  light.diffuse = {1, 1, 1, 1};
  light.direction[2] = 1;
  device->SetRenderState(rs::Lighting, 1);
  device->SetLight(light);
  device->EnableLight(true);
  device->SetMaterial({{1, 1, 1, 1}, {}, {}, {}, 0});
  device->SetTransform(TransformKind::View, 0, {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1});
  const MeshVertex quad[4] = {{-1, 1, -0.5f, 0, 0, -1, 0, 0, 0, 0},
                              {1, 1, -0.5f, 0, 0, -1, 1, 0, 1, 0},
                              {1, -1, -0.5f, 0, 0, -1, 1, 1, 1, 1},
                              {-1, -1, -0.5f, 0, 0, -1, 0, 1, 0, 1}};
  device->SetVertexFormat(fvf::PositionNormalTex2);
  device->DrawPrimitiveUP(PrimitiveType::TriangleFan, 2, quad, sizeof(MeshVertex));
  EXPECT_TRUE(Near(Centre(), Rgb(255, 255, 255)));
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
  EXPECT_TRUE(Near(Pixel(48, 48), Rgb(128, 128, 128)));
}

// A triangle is drawn or culled by its winding as seen on the screen.
TEST_F(GLDevice_, CullModeCullsTheWindingItNames) {
  struct Case {
    std::uint32_t mode;
    bool clockwise, drawn;
  } const cases[] = {{cull::None, true, true},
                     {cull::None, false, true},
                     {cull::Clockwise, true, false},
                     {cull::Clockwise, false, true},
                     {cull::CounterClockwise, true, true},
                     {cull::CounterClockwise, false, false}};
  // Bottom left, top left, top right: clockwise on the screen.
  const TexVertex a{-1, -1, 0.5f, 0, 0, 0, 0}, b{-1, 1, 0.5f, 0, 0, 0, 0}, c{1, 1, 0.5f, 0, 0, 0, 0};
  DrawTFactor(0xFFFFFFFF);
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << k.mode
                                    << (k.clockwise ? " clockwise" : " counter-clockwise"));
    device->Clear(true, false, false, 0, 1, 0);
    device->SetRenderState(rs::CullMode, k.mode);
    const TexVertex triangle[3] = {a, k.clockwise ? b : c, k.clockwise ? c : b};
    device->DrawPrimitiveUP(PrimitiveType::TriangleList, 1, triangle, sizeof(TexVertex));
    EXPECT_EQ(Pixel(8, 8), k.drawn ? Rgb(255, 255, 255) : 0u);
  }
}

TEST_F(GLDevice_, NewDeviceCullsCounterClockwiseTriangles) {
  std::string error;
  device.reset();
  device = GLDevice::Create(*window, DeviceParams{}, {}, error);
  ASSERT_NE(device, nullptr) << error;
  DrawTFactor(0xFFFFFFFF);
  device->Clear(true, true, false, 0, 1, 0);
  const TexVertex ccw[3] = {{-1, -1, 0.5f, 0, 0, 0, 0}, {1, 1, 0.5f, 0, 0, 0, 0}, {-1, 1, 0.5f, 0, 0, 0, 0}};
  device->DrawPrimitiveUP(PrimitiveType::TriangleList, 1, ccw, sizeof(TexVertex));
  EXPECT_EQ(Pixel(8, 8), 0u);
}

// Translation in row 2 moves two-coordinate texture coordinates, and only
// while the stage's transform flags are on.
TEST_F(GLDevice_, TextureMatrixTranslationShiftsTheTexture) {
  auto texture = MakeTexture(2, 1, {0xFFFF0000, 0xFF0000FF});
  device->SetTexture(0, texture.get());
  device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
  Matrix16 shift = kIdentity;
  shift[8] = 0.5f;
  shift[12] = -0.25f;  // row 3 does not count for two coordinates
  device->SetTransform(TransformKind::Texture0, 0, shift);
  FullQuad();
  EXPECT_EQ(Pixel(16, 32), Rgb(255, 0, 0)) << "the matrix applies with the flags off";
  device->SetTextureStageState(0, tss::TextureTransformFlags, 2);
  FullQuad();
  EXPECT_EQ(Pixel(16, 32), Rgb(0, 0, 255));
  EXPECT_EQ(Pixel(48, 32), Rgb(255, 0, 0));
}

// Red at alpha 128 drawn over blue.
TEST_F(GLDevice_, AlphaBlendFactors) {
  struct Case {
    std::uint32_t src, dest, expected;
  } const cases[] = {{blend::SrcAlpha, blend::InvSrcAlpha, Rgb(128, 0, 127)},
                     {blend::One, blend::One, Rgb(255, 0, 255)},
                     {blend::Zero, blend::SrcColor, Rgb(0, 0, 0)},
                     {blend::Zero, blend::InvSrcColor, Rgb(0, 0, 255)},
                     {blend::InvDestColor, blend::One, Rgb(255, 0, 255)},
                     {blend::DestColor, blend::Zero, Rgb(0, 0, 0)},
                     {blend::One, blend::Zero, Rgb(255, 0, 0)}};
  DrawTFactor(0x80FF0000);
  device->SetRenderState(rs::AlphaBlendEnable, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "src " << c.src << " dest " << c.dest);
    device->Clear(true, true, false, 0xFF0000FF, 1, 0);
    device->SetRenderState(rs::SrcBlend, c.src);
    device->SetRenderState(rs::DestBlend, c.dest);
    FullQuad();
    EXPECT_TRUE(Near(Centre(), c.expected));
  }
  device->SetRenderState(rs::AlphaBlendEnable, 0);
  device->Clear(true, true, false, 0xFF0000FF, 1, 0);
  FullQuad();
  EXPECT_EQ(Centre(), Rgb(255, 0, 0)) << "blending stays off when disabled";
}

// A first pass changes the stencil buffer; a second draws where it holds
// the expected value.
TEST_F(GLDevice_, StencilOperationsWrapAndTest) {
  struct Case {
    const char* name;
    std::uint32_t start, passOp, zFailOp, ref, writeMask;
    bool depthFails;
    std::uint32_t expected;
  } const cases[] = {
      {"incr wraps", 255, stencilop::Incr, stencilop::Keep, 0, 0xFF, false, 0},
      {"incr saturates", 255, stencilop::IncrSat, stencilop::Keep, 0, 0xFF, false, 255},
      {"decr wraps", 0, stencilop::Decr, stencilop::Keep, 0, 0xFF, false, 255},
      {"decr saturates", 0, stencilop::DecrSat, stencilop::Keep, 0, 0xFF, false, 0},
      {"invert", 0x0F, stencilop::Invert, stencilop::Keep, 0, 0xFF, false, 0xF0},
      {"replace", 0, stencilop::Replace, stencilop::Keep, 5, 0xFF, false, 5},
      {"write mask", 0, stencilop::Replace, stencilop::Keep, 0xFF, 0x0F, false, 0x0F},
      {"depth fail", 7, stencilop::Keep, stencilop::Incr, 0, 0xFF, true, 8},
  };
  DrawTFactor(0xFF00FF00);
  device->SetRenderState(rs::StencilEnable, 1);
  device->SetRenderState(rs::ZFunc, cmp::Less);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
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
    EXPECT_EQ(Centre(), Rgb(0, 255, 0));
  }
}

TEST_F(GLDevice_, StencilReadMaskLimitsTheComparison) {
  DrawTFactor(0xFF00FF00);
  device->Clear(true, true, true, 0, 1, 0x35);
  device->SetRenderState(rs::StencilEnable, 1);
  device->SetRenderState(rs::StencilFunc, cmp::Equal);
  device->SetRenderState(rs::StencilRef, 0xF5);
  device->SetRenderState(rs::StencilMask, 0x0F);
  FullQuad();
  EXPECT_EQ(Centre(), Rgb(0, 255, 0));
}

// Depth runs 0..1: 0 and 1 are kept, beyond them clipped, the viewport's
// range maps onto it. Run with clip control and with remapped projections.
class GLDeviceDepth : public DeviceFixture, public ::testing::WithParamInterface<bool> {
 protected:
  GLDeviceOptions Options() const override { return {GetParam(), true}; }
};

TEST_P(GLDeviceDepth, DepthRangeIsZeroToOne) {
  ASSERT_EQ(device->UsesClipControl(), GetParam() && device->UsesClipControl());
  device->SetRenderState(rs::ZFunc, cmp::Less);
  DrawTFactor(0xFFFF0000);
  FullQuad(0.5f);
  DrawTFactor(0xFF00FF00);
  FullQuad(0.7f);
  EXPECT_EQ(Centre(), Rgb(255, 0, 0)) << "a farther quad is hidden";
  DrawTFactor(0xFF0000FF);
  FullQuad(0.3f);
  EXPECT_EQ(Centre(), Rgb(0, 0, 255)) << "a nearer quad is drawn";

  struct Case {
    float z;
    bool drawn;
  } const cases[] = {{-0.01f, false}, {0.0f, true}, {0.999f, true}, {1.01f, false}};
  device->SetRenderState(rs::ZFunc, cmp::Always);
  for (const Case& c : cases) {
    device->Clear(true, true, false, 0, 1, 0);
    DrawTFactor(0xFFFFFFFF);
    FullQuad(c.z);
    EXPECT_EQ(Centre(), c.drawn ? Rgb(255, 255, 255) : 0u) << "z " << c.z;
  }

  // z 0 in a viewport whose depth starts at 0.5 lies behind z 0.4 drawn
  // in the full range.
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
  EXPECT_EQ(Centre(), Rgb(0, 255, 0));
  DrawTFactor(0xFF0000FF);
  Quad(-1, -1, 1, 1, 0.5f);  // nearer than the near plane
  EXPECT_EQ(Centre(), Rgb(0, 255, 0));
}

INSTANTIATE_TEST_SUITE_P(ClipControl, GLDeviceDepth, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ClipControl" : "Remapped"; });

TEST_F(GLDevice_, ViewportCountsRowsFromTheTop) {
  device->SetViewport(0, 0, kSize, 16, 0, 1);
  DrawTFactor(0xFFFFFFFF);
  FullQuad();
  EXPECT_EQ(Pixel(32, 4), Rgb(255, 255, 255));
  EXPECT_EQ(Pixel(32, 40), 0u);
  int width = 0, height = 0;
  device->BackBufferSize(width, height);
  EXPECT_EQ(width, kSize);
  EXPECT_EQ(height, kSize);
  ASSERT_TRUE(device->Reset(DeviceParams{}));
  device->Clear(true, false, false, 0, 1, 0);
  FullQuad();
  EXPECT_EQ(Pixel(32, 40), Rgb(255, 255, 255)) << "a reset viewport covers the back buffer";
}

TEST_F(GLDevice_, IndexedDrawingFromBuffers) {
  const MeshVertex vertices[4] = {{-1, 1, 0.5f, 0, 0, -1, 0, 0, 0, 0},
                                  {1, 1, 0.5f, 0, 0, -1, 1, 0, 1, 0},
                                  {1, -1, 0.5f, 0, 0, -1, 1, 1, 1, 1},
                                  {-1, -1, 0.5f, 0, 0, -1, 0, 1, 0, 1}};
  const std::uint16_t indices[] = {0, 1, 2, 0, 2, 3, 0, 2, 9};
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(vertices);
  auto vb = device->CreateVertexBuffer({bytes, sizeof vertices});
  auto ib = device->CreateIndexBuffer(indices);
  ASSERT_NE(vb, nullptr);
  ASSERT_NE(ib, nullptr);
  EXPECT_EQ(ib->Count(), 9u);
  DrawTFactor(0xFFFFFFFF);
  device->SetVertexFormat(fvf::PositionNormalTex2);
  device->DrawIndexed(*vb, sizeof(MeshVertex), *ib, 0, 4, 0, 2);
  EXPECT_EQ(Pixel(4, 4), Rgb(255, 255, 255));
  EXPECT_EQ(Pixel(60, 60), Rgb(255, 255, 255));
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

  // Moving the vertices in place: the quad shrinks to the right half.
  MeshVertex moved[4];
  std::copy(std::begin(vertices), std::end(vertices), moved);
  moved[0].x = moved[3].x = 0;
  device->Clear(true, true, false, 0, 1, 0);
  EXPECT_TRUE(vb->Update({reinterpret_cast<const std::uint8_t*>(moved), sizeof moved}));
  EXPECT_FALSE(vb->Update(std::vector<std::uint8_t>(sizeof moved + 1)));
  device->SetVertexFormat(fvf::PositionNormalTex2);
  device->DrawIndexed(*vb, sizeof(MeshVertex), *ib, 0, 4, 0, 2);
  EXPECT_EQ(Pixel(4, 4), 0u);
  EXPECT_EQ(Pixel(60, 60), Rgb(255, 255, 255));
}

TEST_F(GLDevice_, ResourcesRefuseBadInputAndMayOutliveTheDevice) {
  EXPECT_EQ(device->CreateVertexBuffer({}), nullptr);
  EXPECT_EQ(device->CreateIndexBuffer({}), nullptr);
  EXPECT_EQ(device->CreateTexture({}), nullptr);
  Image bad;
  bad.width = 4;
  bad.height = 4;
  bad.bgra.resize(4 * 4 * 4 - 1);
  EXPECT_EQ(device->CreateTexture({bad}), nullptr);
  auto texture = MakeTexture(1, 1, {0xFFFFFFFF});
  const std::uint16_t indices[] = {0, 1, 2};
  auto ib = device->CreateIndexBuffer(indices);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->Width(), 1);
  device.reset();  // the context goes first; the resources must not touch it
  texture.reset();
  ib.reset();
}

TEST_F(GLDevice_, DisplayQueriesDescribeTheDesktop) {
  const DeviceCaps caps = device->Caps();
  EXPECT_GE(caps.maxSimultaneousTextures, 2u);
  EXPECT_GE(caps.maxTextureWidth, 1024u);
  EXPECT_GT(caps.availableTextureMemory, 0u);
  DeviceIdentity identity;
  ASSERT_TRUE(QueryDeviceIdentity(identity));
  EXPECT_FALSE(identity.driver.empty());
  EXPECT_GE(identity.version[0], 2);
  DeviceDisplayMode desktop;
  ASSERT_TRUE(DesktopDisplayMode(desktop));
  EXPECT_GT(desktop.width, 0u);
  EXPECT_TRUE(CheckDisplayFormat(desktop.format));
  EXPECT_FALSE(EnumerateDisplayModes().empty());
  // The frame buffer has 24 depth and 8 stencil bits, so the first format
  // of the renderer's list is taken.
  EXPECT_TRUE(CheckDepthStencilFormat(desktop.format, fmt::D24S8));
  EXPECT_FALSE(CheckDepthStencilFormat(desktop.format, fmt::D32));
  EXPECT_FALSE(CheckDepthStencilFormat(fmt::P8, fmt::D24S8));

  // Without a current context the answers come from a hidden window.
  device.reset();
  EXPECT_TRUE(CheckDepthStencilFormat(desktop.format, fmt::D24S8));
  EXPECT_TRUE(CheckDepthStencilFormat(desktop.format, fmt::D24X8));
  EXPECT_FALSE(CheckDepthStencilFormat(desktop.format, fmt::D32));
}

TEST_F(GLDevice_, FullScreenCoversTheDisplayAndIsLeftAgain) {
  DeviceDisplayMode desktop;
  ASSERT_TRUE(DesktopDisplayMode(desktop));
  DeviceParams full;
  full.fullscreen = true;
  for (bool withMode : {false, true}) {
    SCOPED_TRACE(withMode ? "in the desktop's mode" : "on the desktop");
    full.mode = withMode ? desktop : DeviceDisplayMode{};
    std::string error;
    device.reset();
    device = GLDevice::Create(*window, full, {}, error);
    ASSERT_NE(device, nullptr) << error;
    int width = 0, height = 0;
    device->BackBufferSize(width, height);
    EXPECT_EQ(width, static_cast<int>(desktop.width));
    EXPECT_EQ(height, static_cast<int>(desktop.height));
    EXPECT_TRUE(window->IsFullscreen());
    ASSERT_TRUE(device->Reset(DeviceParams{}));
    EXPECT_FALSE(window->IsFullscreen());
    ASSERT_TRUE(device->Reset(full));
  }
  device.reset();
  EXPECT_FALSE(window->IsFullscreen()) << "the device left its full screen";

  // A window that covers the desktop by its own choice keeps doing so.
  WindowDesc desc;
  desc.fullscreen = true;
  auto covering = Window::Create(desc, nullptr);
  ASSERT_NE(covering, nullptr);
  covering->Show(false);
  std::string error;
  device = GLDevice::Create(*covering, DeviceParams{}, {}, error);
  ASSERT_NE(device, nullptr) << error;
  ASSERT_TRUE(device->Reset(full));
  ASSERT_TRUE(device->Reset(DeviceParams{}));
  device.reset();
  EXPECT_TRUE(covering->IsFullscreen());
}

}  // namespace
}  // namespace gltest
