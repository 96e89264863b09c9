// The texture-matrix modifiers: phase steps, rotation about the centre,
// scrolling, pulsing, the fixed flip and offset, and how a stage composes
// them.
#include "render/YMatrixMod.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "render/YShaderStage.h"

namespace {

constexpr float kTolerance = 1e-4f;

struct UV {
  float u, v;
};

// A texture coordinate as the device transforms it: row 2 is the translation.
UV Transform(const YMatrix4& m, UV p) {
  return {p.u * m.m[0][0] + p.v * m.m[1][0] + m.m[2][0], p.u * m.m[0][1] + p.v * m.m[1][1] + m.m[2][1]};
}

void ExpectUV(UV actual, float u, float v) {
  EXPECT_NEAR(actual.u, u, kTolerance);
  EXPECT_NEAR(actual.v, v, kTolerance);
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

void ExpectIdentity(const YMatrix4& m) {
  const YMatrix4 identity;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m.m[r][c], identity.m[r][c], kTolerance) << r << "," << c;
  }
}

TEST(MatrixModPhase, WrapsOnceBy360) {
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(170, 360, 0.05f), -172);
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(-170, -360, 0.05f), 172);
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(162, 360, 0.05f), 180);  // 180 itself stays
  // A step beyond a whole turn is brought back only once.
  EXPECT_FLOAT_EQ(matrix_mod::StepPhase(0, 1000, 1), 640);
}

TEST(MatrixModRotate, DefaultRateTurnsOncePerSecond) {
  YModRotate rotate(360);
  // A quarter second: a quarter turn, (1, 0) goes to (0, 1) about the centre.
  const YMatrix4 quarter = Step(rotate, 5, 0.05f);
  ExpectUV(Transform(quarter, {1.0f, 0.5f}), 0.5f, 1.0f);
  // Another three quarters: the whole turn is done.
  ExpectIdentity(Step(rotate, 15, 0.05f));
}

TEST(MatrixModRotate, NegativeRateTurnsTheOtherWaySlower) {
  YModRotate rotate(-90);
  const YMatrix4 second = Step(rotate, 20, 0.05f);
  ExpectUV(Transform(second, {1.0f, 0.5f}), 0.5f, 0.0f);
  ExpectIdentity(Step(rotate, 60, 0.05f));  // four seconds for the turn
}

TEST(MatrixModRotate, CentreStaysFixedAtEveryAngle) {
  for (float degrees = -180; degrees <= 180; degrees += 7.5f) {
    const YMatrix4 m = matrix_mod::RotationAboutCentre(matrix_mod::ToRadians(degrees));
    ExpectUV(Transform(m, {0.5f, 0.5f}), 0.5f, 0.5f);
  }
}

TEST(MatrixModScroll, OnlyOffsetsBeyondOneWrap) {
  YModScroll scroll(0.5f, -0.5f);
  YMatrix4 m = Step(scroll, 4, 0.5f);  // exactly 1 and -1
  EXPECT_EQ(m.m[2][0], 1.0f);
  EXPECT_EQ(m.m[2][1], -1.0f);
  m = Step(scroll, 1, 0.05f);
  EXPECT_FLOAT_EQ(m.m[2][0], (1.0f + 0.025f) - 1.0f);
  EXPECT_FLOAT_EQ(m.m[2][1], (-1.0f - 0.025f) + 1.0f);
  EXPECT_EQ(m.m[0][0], 1.0f);
  EXPECT_EQ(m.m[1][1], 1.0f);
}

TEST(MatrixModPulse, StartsAtTheMiddleScaleAndGrowsFirst) {
  YModPulse pulse(360, 0.5f, 1.0f);
  // Phase 0: k = 0.75, so the texture shows 0.75 times its size about the centre.
  YMatrix4 m = Step(pulse, 1, 0);
  EXPECT_FLOAT_EQ(m.m[0][0], 1 / 0.75f);
  ExpectUV(Transform(m, {0.5f, 0.5f}), 0.5f, 0.5f);
  // A quarter turn of phase later: k = max = 1, the identity.
  ExpectIdentity(Step(pulse, 5, 0.05f));
}

TEST(MatrixModPulse, ScaleNearZeroIsHeldAtTheSmallestScale) {
  YModPulse zero(360, 0, 0);
  YMatrix4 m = Step(zero, 1, 0.05f);
  EXPECT_FLOAT_EQ(m.m[0][0], 1 / YModPulse::kMinScale);
  EXPECT_TRUE(std::isfinite(m.m[2][0]));
  // min and max of opposite signs: phase 0 is exactly k = 0.
  YModPulse across(360, -1, 1);
  m = Step(across, 1, 0);
  EXPECT_FLOAT_EQ(m.m[1][1], 1 / YModPulse::kMinScale);
  ExpectUV(Transform(m, {0.5f, 0.5f}), 0.5f, 0.5f);
  // Just below zero the sign is kept.
  YModPulse negative(0, -1e-6f, -1e-6f);
  EXPECT_FLOAT_EQ(Step(negative, 1, 0).m[0][0], -1 / YModPulse::kMinScale);
}

TEST(MatrixModSwing, StartsAtTheMiddleAngle) {
  YModSwing swing(360, 0, 180);
  ExpectUV(Transform(Step(swing, 1, 0), {1.0f, 0.5f}), 0.5f, 1.0f);  // 90 degrees
  // A quarter turn of phase: the max, half a turn.
  ExpectUV(Transform(Step(swing, 5, 0.05f), {1.0f, 0.5f}), 0.0f, 0.5f);
}

TEST(MatrixModFixed, FlipMirrorsOnlyTheChosenAxes) {
  YModFlip flipU(true, false);
  const YMatrix4 m = Step(flipU, 1, 0.05f);
  ExpectUV(Transform(m, {0.25f, 0.75f}), -0.25f, 0.75f);
  YModFlip none(false, false);
  ExpectIdentity(Step(none, 3, 0.05f));
}

TEST(ShaderStageMods, LaterModifierActsFirstOnTheCoordinate) {
  YShaderStage stage;
  stage.AddMod(std::make_unique<YModOffset>(0.25f, 0.0f));
  stage.AddMod(std::make_unique<YModRotate>(360));
  stage.Update(0.25f);  // a quarter turn
  EXPECT_FALSE(stage.identity);
  // Rotated about the centre first (0.5, 0.5 stays), then shifted.
  ExpectUV(Transform(stage.matrix, {0.5f, 0.5f}), 0.75f, 0.5f);
  ExpectUV(Transform(stage.matrix, {1.0f, 0.5f}), 0.75f, 1.0f);
}

TEST(ShaderStageMods, MatrixIsRebuiltEachFrameNotAccumulated) {
  YShaderStage stage;
  stage.AddMod(std::make_unique<YModOffset>(0.25f, 0.0f));
  stage.Update(0.05f);
  stage.Update(0.05f);
  EXPECT_FLOAT_EQ(stage.matrix.m[2][0], 0.25f);
}

}  // namespace
