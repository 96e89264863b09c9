// The OpenGL graphics device's texture stages, drawn and read back: every
// colour operation against the arithmetic the device defines, alpha
// operations, argument modifiers, the disable cascade, the texture factor
// on later stages, and filtering and addressing that follow the stage.
#include "tests/e2e/GLDeviceTestFixture.h"

namespace gltest {
namespace {

constexpr std::uint32_t kFactor = 0x40CC6633;  // alpha 64, (204, 102, 51)
constexpr std::uint32_t kTexel = 0x403399FF;   // alpha 64, (51, 153, 255)

// Stage 0 reads a one-texel texture; the diffuse colour is (128, 128, 64)
// with alpha 128 from an emissive material.
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

  void Stage(std::uint32_t stage, std::uint32_t colorOp, std::uint32_t arg1, std::uint32_t arg2,
             std::uint32_t alphaOp = top::SelectArg1) {
    device->SetTextureStageState(stage, tss::ColorOp, colorOp);
    device->SetTextureStageState(stage, tss::ColorArg1, arg1);
    device->SetTextureStageState(stage, tss::ColorArg2, arg2);
    device->SetTextureStageState(stage, tss::AlphaOp, alphaOp);
  }

  std::uint32_t Draw() {
    device->Clear(true, true, false, 0, 1, 0);
    FullQuad();
    return Centre();
  }

  std::unique_ptr<DeviceTexture> texture;
};

struct OpCase {
  const char* name;
  std::uint32_t op, arg1, arg2, expected;
  bool exactOnlyWithModulateAdd;
};

TEST_P(StageFixture, ColourOperationsFollowTheirArithmetic) {
  const std::uint32_t tf = targ::TFactor, d = targ::Diffuse;
  const OpCase cases[] = {
      {"selectarg1", top::SelectArg1, tf, d, Rgb(204, 102, 51), false},
      {"selectarg2", top::SelectArg2, tf, d, Rgb(128, 128, 64), false},
      {"modulate", top::Modulate, tf, d, Rgb(102, 51, 13), false},
      {"modulate2x", top::Modulate2x, tf, d, Rgb(204, 102, 26), false},
      {"modulate4x", top::Modulate4x, tf, d, Rgb(255, 204, 51), false},
      {"add", top::Add, tf, d, Rgb(255, 230, 115), false},
      {"addsigned", top::AddSigned, tf, d, Rgb(204, 102, 0), false},
      {"addsigned2x", top::AddSigned2x, tf, d, Rgb(255, 204, 0), false},
      {"subtract", top::Subtract, tf, d, Rgb(77, 0, 0), false},
      {"blenddiffusealpha", top::BlendDiffuseAlpha, tf, d, Rgb(166, 115, 57), false},
      {"blendtexturealpha", top::BlendTextureAlpha, tf, d, Rgb(147, 121, 61), false},
      {"blendfactoralpha", top::BlendFactorAlpha, tf, d, Rgb(147, 121, 61), false},
      {"blendcurrentalpha", top::BlendCurrentAlpha, tf, d, Rgb(166, 115, 57), false},
      {"premodulate", top::PreModulate, tf, d, Rgb(204, 102, 51), false},
      {"dotproduct3", top::DotProduct3, tf, d, Rgb(76, 76, 76), false},
      {"lerp", top::Lerp, tf, d, Rgb(166, 115, 61), false},
      {"addsmooth", top::AddSmooth, tf, d, Rgb(230, 178, 102), true},
      {"blendtexturealphapm", top::BlendTextureAlphaPM, tf, d, Rgb(255, 198, 99), true},
      {"modulatealpha_addcolor", top::ModulateAlphaAddColor, tf, d, Rgb(236, 134, 67), true},
      {"modulatecolor_addalpha", top::ModulateColorAddAlpha, tf, d, Rgb(166, 115, 77), true},
      {"modulateinvalpha_addcolor", top::ModulateInvAlphaAddColor, tf, d, Rgb(255, 198, 99), true},
      {"modulateinvcolor_addalpha", top::ModulateInvColorAddAlpha, tf, d, Rgb(90, 140, 115), true},
      {"multiplyadd", top::MultiplyAdd, tf, d, Rgb(230, 178, 76), true},
      {"complement", top::SelectArg1, tf | targ::Complement, d, Rgb(51, 153, 204), false},
      {"alpha replicate", top::SelectArg1, tf | targ::AlphaReplicate, d, Rgb(64, 64, 64), false},
      {"texture", top::SelectArg1, targ::Texture, d, Rgb(51, 153, 255), false},
      {"current is diffuse on stage 0", top::SelectArg1, targ::Current, d, Rgb(128, 128, 64), false},
  };
  for (const OpCase& c : cases) {
    if (c.exactOnlyWithModulateAdd && !GetParam()) continue;
    SCOPED_TRACE(c.name);
    Stage(0, c.op, c.arg1, c.arg2);
    EXPECT_TRUE(Near(Draw(), c.expected));
  }
}

// The alpha shows as grey: white cleared, then multiplied by source alpha.
TEST_P(StageFixture, AlphaOperationsFollowTheirArithmetic) {
  const std::uint32_t tf = targ::TFactor, d = targ::Diffuse;
  const OpCase cases[] = {
      {"selectarg1", top::SelectArg1, tf, d, 64, false},
      {"selectarg2", top::SelectArg2, tf, d, 128, false},
      {"modulate", top::Modulate, tf, d, 32, false},
      {"modulate2x", top::Modulate2x, tf, d, 64, false},
      {"add", top::Add, tf, d, 192, false},
      {"addsigned", top::AddSigned, tf, d, 64, false},
      {"subtract", top::Subtract, tf, d, 0, false},
      {"blendtexturealpha", top::BlendTextureAlpha, tf, d, 112, false},
      {"disable passes the current alpha on", top::Disable, tf, d, 128, false},
      {"complement", top::SelectArg1, tf | targ::Complement, d, 191, false},
  };
  device->SetRenderState(rs::AlphaBlendEnable, 1);
  device->SetRenderState(rs::SrcBlend, blend::Zero);
  device->SetRenderState(rs::DestBlend, blend::SrcAlpha);
  Stage(0, top::SelectArg1, targ::Diffuse, targ::Diffuse);
  for (const OpCase& c : cases) {
    SCOPED_TRACE(c.name);
    device->SetTextureStageState(0, tss::AlphaOp, c.op);
    device->SetTextureStageState(0, tss::AlphaArg1, c.arg1);
    device->SetTextureStageState(0, tss::AlphaArg2, c.arg2);
    device->Clear(true, true, false, 0xFFFFFFFF, 1, 0);
    FullQuad();
    EXPECT_TRUE(Near(Centre(), Rgb(c.expected, c.expected, c.expected)));
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
}

TEST_P(StageFixture, StageWithoutTextureReadsWhite) {
  device->SetTexture(0, nullptr);
  Stage(0, top::SelectArg1, targ::Texture, targ::Current);
  EXPECT_EQ(Draw(), Rgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Combiners, StageFixture, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Exact" : "WithoutModulateAdd"; });

using GLDeviceSampler = DeviceFixture;

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
  device->SetTextureStageState(1, tss::ColorOp, top::Disable);
  FullQuad();
  EXPECT_EQ(Pixel(25, 32), 0u) << "stage 0 samples the nearest texel";
  device->SetTextureStageState(1, tss::ColorOp, top::SelectArg1);
  FullQuad();
  EXPECT_TRUE(Near(Pixel(25, 32), Rgb(76, 76, 76), 4)) << "stage 1 filters the same texture linearly";
  device->SetTextureStageState(1, tss::ColorOp, top::Disable);
  FullQuad();
  EXPECT_EQ(Pixel(25, 32), 0u) << "stage 0 still samples the nearest texel";
}

TEST_F(GLDeviceSampler, AddressingFollowsTheStage) {
  auto texture = MakeTexture(2, 1, {0xFF000000, 0xFFFFFFFF});
  device->SetTexture(0, texture.get());
  device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
  const struct {
    std::uint32_t mode, expected;
  } cases[] = {
      {taddress::Wrap, 0}, {taddress::Clamp, Rgb(255, 255, 255)}, {taddress::Mirror, Rgb(255, 255, 255)}};
  for (const auto& c : cases) {
    device->SetTextureStageState(0, tss::AddressU, c.mode);
    Quad(-1, -1, 1, 1, 0.5f, 0, 0, 2, 1);
    EXPECT_EQ(Pixel(40, 32), c.expected) << "mode " << c.mode;  // u = 1.27
  }
}

// A 2 x 2 level (red) and a 1 x 1 level (blue) drawn into one pixel.
TEST_F(GLDeviceSampler, MipFilterPicksTheLevel) {
  Image top, next;
  top.width = top.height = 2;
  top.bgra = std::vector<std::uint8_t>(16, 0);
  for (int i = 0; i < 4; ++i) top.bgra[i * 4 + 2] = top.bgra[i * 4 + 3] = 255;
  next.width = next.height = 1;
  next.bgra = {255, 0, 0, 255};
  auto texture = device->CreateTexture({top, next});
  ASSERT_NE(texture, nullptr);
  device->SetTexture(0, texture.get());
  device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
  const float pixel = 2.0f / kSize;
  device->SetTextureStageState(0, tss::MipFilter, tfilter::None);
  Quad(0, 0, pixel, pixel);
  EXPECT_EQ(Pixel(32, 31), Rgb(255, 0, 0));
  device->SetTextureStageState(0, tss::MipFilter, tfilter::Point);
  Quad(0, 0, pixel, pixel);
  EXPECT_EQ(Pixel(32, 31), Rgb(0, 0, 255));
}

}  // namespace
}  // namespace gltest
