// The texture-matrix modifiers: phase steps, scrolling, the pulse's
// smallest scale, swing, flip, and how a stage composes them.
#include "render/YMatrixMod.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "render/YShaderStage.h"

namespace {

struct UV {
  float u, v;
};

// A texture coordinate as the device transforms it: row 2 is the translation.
UV Transform(const YMatrix4& m, UV p) {
  return {p.u * m.m[0][0] + p.v * m.m[1][0] + m.m[2][0], p.u * m.m[0][1] + p.v * m.m[1][1] + m.m[2][1]};
}

void ExpectUV(UV actual, float u, float v) {
  EXPECT_NEAR(actual.u, u, 1e-4f);
  EXPECT_NEAR(actual.v, v, 1e-4f);
}

// Runs `steps` frames of dt on one modifier and returns the last matrix.
YMatrix4 Step(YMatrixMod& mod, int steps, float dt) {
  YMatrix4 m;
  for (int i = 0; i < steps; ++i) {
    m.SetIdentity();
    EXPECT_TRUE(mod.Apply(dt, m));
  }
  return m;
}

TEST(MatrixModPhase, WrapsOnceBy360) {
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(170, 360, 0.05f), -172);
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(-170, -360, 0.05f), 172);
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(162, 360, 0.05f), 180);  // 180 itself stays
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(0, 1000, 1), 640);       // brought back only once
}

TEST(MatrixModScroll, OnlyOffsetsBeyondOneWrap) {
  YModScroll scroll(0.5f, -0.5f);
  YMatrix4 m = Step(scroll, 4, 0.5f);  // exactly 1 and -1
  EXPECT_EQ(m.m[2][0], 1.0f);
  EXPECT_EQ(m.m[2][1], -1.0f);
  m = Step(scroll, 1, 0.05f);
  EXPECT_FLOAT_EQ(m.m[2][0], (1.0f + 0.025f) - 1.0f);
  EXPECT_FLOAT_EQ(m.m[2][1], (-1.0f - 0.025f) + 1.0f);
}

TEST(MatrixModPulse, ScaleNearZeroIsHeldAtTheSmallestScale) {
  YModPulse zero(360, 0, 0);
  YMatrix4 m = Step(zero, 1, 0.05f);
  EXPECT_FLOAT_EQ(m.m[0][0], 1 / YModPulse::kMinScale);
  EXPECT_TRUE(std::isfinite(m.m[2][0]));
  YModPulse across(360, -1, 1);  // phase 0 is exactly k = 0
  EXPECT_FLOAT_EQ(Step(across, 1, 0).m[1][1], 1 / YModPulse::kMinScale);
  YModPulse negative(0, -1e-6f, -1e-6f);  // just below zero the sign is kept
  EXPECT_FLOAT_EQ(Step(negative, 1, 0).m[0][0], -1 / YModPulse::kMinScale);
}

TEST(MatrixModSwingAndFlip, SwingStartsAtTheMiddleAngleAndFlipMirrorsOnlyItsAxes) {
  YModSwing swing(360, 0, 180);
  ExpectUV(Transform(Step(swing, 1, 0), {1.0f, 0.5f}), 0.5f, 1.0f);      // 90 degrees
  ExpectUV(Transform(Step(swing, 5, 0.05f), {1.0f, 0.5f}), 0.0f, 0.5f);  // the max, half a turn
  YModFlip flipU(true, false);
  ExpectUV(Transform(Step(flipU, 1, 0.05f), {0.25f, 0.75f}), -0.25f, 0.75f);
}

TEST(ShaderStageMods, LaterModifierActsFirstAndTheMatrixIsRebuiltEachFrame) {
  YShaderStage stage;
  stage.AddMod(std::make_unique<YModOffset>(0.25f, 0.0f));
  stage.AddMod(std::make_unique<YModRotate>(360));
  stage.Update(0.25f);  // a quarter turn
  EXPECT_FALSE(stage.identity);
  // Rotated about the centre first (0.5, 0.5 stays), then shifted.
  ExpectUV(Transform(stage.matrix, {0.5f, 0.5f}), 0.75f, 0.5f);
  ExpectUV(Transform(stage.matrix, {1.0f, 0.5f}), 0.75f, 1.0f);

  YShaderStage offset;
  offset.AddMod(std::make_unique<YModOffset>(0.25f, 0.0f));
  offset.Update(0.05f);
  offset.Update(0.05f);
  EXPECT_FLOAT_EQ(offset.matrix.m[2][0], 0.25f);
}

}  // namespace
