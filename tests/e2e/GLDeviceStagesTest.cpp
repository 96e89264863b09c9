// The OpenGL graphics device's texture stages, drawn and read back: colour
// and alpha operations against the arithmetic the device defines, argument
// modifiers, the disable cascade, the texture factor on later stages, and
// filtering that follows the stage, and mip levels made at the first draw
// that filters through them.
#include "platform/GLTexture.h"
#include "tests/e2e/GLDeviceTestFixture.h"

namespace gltest {
namespace {

using GLDeviceSampler = DeviceFixture;

constexpr std::uint32_t kFactor = 0x40CC6633;  // alpha 64, (204, 102, 51)
constexpr std::uint32_t kTexel = 0x403399FF;   // alpha 64, (51, 153, 255)

// Stage 0 reads a one-texel texture; the diffuse colour is (128, 128, 64)
// with alpha 128 from an emissive material. The parameter: whether the
// driver's modulate-add may be used.
class StageFixture : public DeviceFixture, public ::testing::WithParamInterface<bool> {
 protected:
  GLDeviceOptions Options() const override { return {true, GetParam()}; }

  void SetUp() override {
    DeviceFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    texture = MakeTexture(1, 1, {kTexel});
    ASSERT_NE(texture, nullptr);
    device->SetTexture(0, texture.get());
    device->SetRenderState(rs::Lighting, 1);
    device->SetRenderState(rs::TextureFactor, kFactor);
    device->SetMaterial({{0, 0, 0, 0.5f}, {}, {}, {0.5f, 0.5f, 0.25f, 1}, 0});
  }

  void Stage(std::uint32_t stage, std::uint32_t colorOp, std::uint32_t arg1, std::uint32_t arg2) {
    device->SetTextureStageState(stage, tss::ColorOp, colorOp);
    device->SetTextureStageState(stage, tss::ColorArg1, arg1);
    device->SetTextureStageState(stage, tss::ColorArg2, arg2);
  }

  std::uint32_t Draw() {
    device->Clear(true, true, false, 0, 1, 0);
    FullQuad();
    return Centre();
  }

  std::unique_ptr<DeviceTexture> texture;
};

// A representative part of the operation table: saturation and clamping,
// the blends, the operations that need modulate-add (exact only with it)
// and the argument modifiers.
TEST_P(StageFixture, ColourOperationsFollowTheirArithmetic) {
  const std::uint32_t tf = targ::TFactor;
  const struct {
    std::uint32_t op, arg1, expected;
    bool needsModulateAdd;
  } cases[] = {{top::SelectArg2, tf, Rgb(128, 128, 64), false},
               {top::Modulate, tf, Rgb(102, 51, 13), false},
               {top::Modulate2x, tf, Rgb(204, 102, 26), false},
               {top::Add, tf, Rgb(255, 230, 115), false},
               {top::AddSigned, tf, Rgb(204, 102, 0), false},
               {top::Subtract, tf, Rgb(77, 0, 0), false},
               {top::BlendTextureAlpha, tf, Rgb(147, 121, 61), false},
               {top::Lerp, tf, Rgb(166, 115, 61), false},
               {top::AddSmooth, tf, Rgb(230, 178, 102), true},
               {top::MultiplyAdd, tf, Rgb(230, 178, 76), true},
               {top::SelectArg1, tf | targ::Complement, Rgb(51, 153, 204), false},
               {top::SelectArg1, tf | targ::AlphaReplicate, Rgb(64, 64, 64), false},
               {top::SelectArg1, targ::Texture, Rgb(51, 153, 255), false},
               {top::SelectArg1, targ::Current, Rgb(128, 128, 64), false}};  // current is diffuse on stage 0
  for (const auto& c : cases) {
    if (c.needsModulateAdd && !GetParam()) continue;
    Stage(0, c.op, c.arg1, targ::Diffuse);
    EXPECT_TRUE(Near(Draw(), c.expected)) << "op " << c.op << " arg " << c.arg1;
  }
}

// The alpha shows as grey: white cleared, then multiplied by source alpha.
TEST_P(StageFixture, AlphaOperationsFollowTheirArithmetic) {
  const std::uint32_t tf = targ::TFactor, d = targ::Diffuse;
  const struct {
    const char* name;
    std::uint32_t op, arg1, expected;
  } cases[] = {{"modulate", top::Modulate, tf, 32},
               {"add", top::Add, tf, 192},
               {"disable passes the current alpha on", top::Disable, tf, 128},
               {"complement", top::SelectArg1, tf | targ::Complement, 191}};
  device->SetRenderState(rs::AlphaBlendEnable, 1);
  device->SetRenderState(rs::SrcBlend, blend::Zero);
  device->SetRenderState(rs::DestBlend, blend::SrcAlpha);
  Stage(0, top::SelectArg1, d, d);
  for (const auto& c : cases) {
    device->SetTextureStageState(0, tss::AlphaOp, c.op);
    device->SetTextureStageState(0, tss::AlphaArg1, c.arg1);
    device->SetTextureStageState(0, tss::AlphaArg2, d);
    device->Clear(true, true, false, 0xFFFFFFFF, 1, 0);
    FullQuad();
    EXPECT_TRUE(Near(Centre(), Rgb(c.expected, c.expected, c.expected))) << c.name;
  }
}

TEST_P(StageFixture, DisabledStageEndsThePipeline) {
  device->SetTexture(1, texture.get());
  device->SetTexture(2, texture.get());
  // Stage 1 off: stage 2 does not run even though it is set up.
  Stage(0, top::SelectArg1, targ::TFactor, targ::Current);
  Stage(1, top::Disable, targ::Texture, targ::Current);
  Stage(2, top::SelectArg1, targ::Texture, targ::Current);
  EXPECT_TRUE(Near(Draw(), Rgb(204, 102, 51)));
  device->SetTextureStageState(2, tss::ColorOp, top::Disable);
  // Stage 0 off: the diffuse colour, whatever follows.
  Stage(0, top::Disable, targ::TFactor, targ::Current);
  Stage(1, top::SelectArg1, targ::TFactor, targ::Current);
  EXPECT_TRUE(Near(Draw(), Rgb(128, 128, 64)));
  // Both on: stage 1 modulates the texture with stage 0's result.
  Stage(0, top::SelectArg1, targ::TFactor, targ::Current);
  Stage(1, top::Modulate, targ::Texture, targ::Current);
  EXPECT_TRUE(Near(Draw(), Rgb(41, 61, 51)));
  // Stage 1 reads the texture factor too.
  Stage(0, top::SelectArg1, targ::Diffuse, targ::Current);
  Stage(1, top::SelectArg1, targ::TFactor, targ::Current);
  EXPECT_TRUE(Near(Draw(), Rgb(204, 102, 51)));
  // A stage without a texture reads white.
  device->SetTextureStageState(1, tss::ColorOp, top::Disable);
  device->SetTexture(0, nullptr);
  Stage(0, top::SelectArg1, targ::Texture, targ::Current);
  EXPECT_EQ(Draw(), Rgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Combiners, StageFixture, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Exact" : "WithoutModulateAdd"; });

// One black and one white texel stretched over the window; the pixel at
// x = 25 lies between their centres.
TEST_F(GLDeviceSampler, FiltersFollowTheStageNotTheTexture) {
  auto texture = MakeTexture(2, 1, {0xFF000000, 0xFFFFFFFF});
  for (std::uint32_t stage : {0u, 1u}) {
    device->SetTexture(stage, texture.get());
    device->SetTextureStageState(stage, tss::ColorOp, top::SelectArg1);
    device->SetTextureStageState(stage, tss::ColorArg1, targ::Texture);
    device->SetTextureStageState(stage, tss::AddressU, taddress::Clamp);
  }
  device->SetTextureStageState(0, tss::MagFilter, tfilter::Point);
  device->SetTextureStageState(1, tss::MagFilter, tfilter::Linear);
  for (const bool second : {false, true, false}) {
    device->SetTextureStageState(1, tss::ColorOp, second ? top::SelectArg1 : top::Disable);
    FullQuad();
    // Stage 0 samples the nearest texel; stage 1 filters the same texture linearly.
    EXPECT_TRUE(Near(Pixel(25, 32), second ? Rgb(76, 76, 76) : 0u, 4)) << second;
  }
}

// A 16 x 16 checker of single texels (black and white, or white of alpha 0
// and 255 for a font-like texture) drawn over the top left 4 x 4 pixels, so
// a mip filter reads level 2, which is grey where level 0 is not.
class GLDeviceMips : public DeviceFixture, public ::testing::WithParamInterface<bool> {
 protected:
  Image Checker() const {
    const bool alphaOnly = GetParam();
    Image image = MakeImage(16, 16);
    for (int i = 0; i < 16 * 16; ++i) {
      const std::uint8_t on = ((i % 16) + (i / 16)) % 2 != 0 ? 0xFF : 0;
      for (int c = 0; c < 4; ++c)
        image.bgra[i * 4 + c] = alphaOnly ? (c == 3 ? on : 0xFF) : (c == 3 ? 0xFF : on);
    }
    return image;
  }

  // The frame after drawing the texture small with the mip filter.
  Image DrawSmall(const DeviceTexture& texture, std::uint32_t mipFilter) {
    device->Clear(true, false, false, 0xFF000000, 1, 0);
    device->SetRenderState(rs::AlphaBlendEnable, 1);
    device->SetRenderState(rs::SrcBlend, blend::SrcAlpha);
    device->SetRenderState(rs::DestBlend, blend::InvSrcAlpha);
    device->SetTexture(0, &texture);
    device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
    device->SetTextureStageState(0, tss::AlphaOp, top::SelectArg1);
    device->SetTextureStageState(0, tss::MinFilter, tfilter::Point);
    device->SetTextureStageState(0, tss::MipFilter, mipFilter);
    Quad(-1, 0.875f, -0.875f, 1);
    Image frame;
    EXPECT_TRUE(device->ReadBackBuffer(frame));
    return frame;
  }
};

TEST_P(GLDeviceMips, LevelsAreMadeAtTheFirstMipFilteredDrawAndMatchOnesMadeAtOnce) {
  auto atOnce = device->CreateTexture(BuildMipChain(Checker()));
  auto onDemand = device->CreateMipMappedTexture(Checker());
  ASSERT_NE(onDemand, nullptr);
  const auto& deferred = dynamic_cast<const GLTexture&>(*onDemand);
  const Image plain = DrawSmall(deferred, tfilter::None);
  EXPECT_EQ(deferred.LevelCount(), 1);
  EXPECT_EQ(plain.bgra, DrawSmall(*atOnce, tfilter::None).bgra);
  const Image mipped = DrawSmall(*atOnce, tfilter::Point);
  EXPECT_NE(mipped.bgra, plain.bgra);  // level 2 is grey where level 0 is black or white
  EXPECT_EQ(DrawSmall(deferred, tfilter::Point).bgra, mipped.bgra);
  EXPECT_EQ(deferred.LevelCount(), 5);
}

INSTANTIATE_TEST_SUITE_P(Textures, GLDeviceMips, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "AlphaOnly" : "Colour"; });

}  // namespace
}  // namespace gltest
