// Vectors and matrices: multiplication order, affine inverses, rotation
// direction, normalising, and the guards against dividing by zero.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"

namespace {

void ExpectNear(const YVector3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, 1e-5f);
  EXPECT_NEAR(v.y, y, 1e-5f);
  EXPECT_NEAR(v.z, z, 1e-5f);
}

void ExpectMatrixNear(const YMatrix4& a, const YMatrix4& b, float tolerance = 1e-5f) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], tolerance) << r << "," << c;
  }
}

YMatrix4 Translation(float x, float y, float z) {
  return YMatrix4().SetTranslation(YVector3(x, y, z));
}

TEST(YVector3Test, NormalizeReturnsTheFormerLength) {
  YVector3 v(3, 4, 0);
  EXPECT_FLOAT_EQ(v.Normalize(), 5.0f);
  ExpectNear(v, 0.6f, 0.8f, 0);
  EXPECT_NEAR(v.Length(), 1.0f, 1e-6f);
}

TEST(YVector3Test, ZeroVectorsStayFinite) {
  YVector3 zero;
  EXPECT_EQ(zero.Normalize(), 0.0f);
  ExpectNear(zero, 0, 0, 0);
  YVector3 out(7);
  YVector3(1, 2, 3).Divide(out, 0.0f);
  ExpectNear(out, 0, 0, 0);
  YVector3(1, 2, 3).Divide(out, 2.0f);
  ExpectNear(out, 0.5f, 1, 1.5f);
}

TEST(YVector3Test, CrossIsRightHandedAndMayOverwriteAnOperand) {
  YVector3 a(1, 0, 0);
  a.Cross(a, YVector3(0, 1, 0));
  ExpectNear(a, 0, 0, 1);
  YVector3 b(2, 3, 4);
  b.Cross(YVector3(5, 6, 7), b);  // (6*4-7*3, 7*2-5*4, 5*3-6*2)
  ExpectNear(b, 3, -6, 3);
  EXPECT_FLOAT_EQ(YVector3(1, 2, 3).Dot(YVector3(4, -5, 6)), 12.0f);
}

TEST(YMatrix4Test, MultiplyAppliesTheOtherMatrixFirst) {
  YMatrix4 translate = Translation(1, 0, 0);
  YMatrix4 scale;
  scale.SetScaling(YVector3(2));
  YMatrix4 out;
  translate.Multiply(out, scale);
  ExpectNear(out.TransformPoint(YVector3(1, 1, 1)), 3, 2, 2);
  scale.Multiply(out, translate);
  ExpectNear(out.TransformPoint(YVector3(1, 1, 1)), 4, 2, 2);
  // The result may be written over either operand.
  translate.Multiply(translate, scale);
  ExpectNear(translate.TransformPoint(YVector3(1, 1, 1)), 3, 2, 2);
}

TEST(YMatrix4Test, RotationZTurnsXTowardsY) {
  YMatrix4 r;
  r.SetRotationZ(90);
  ExpectNear(r.TransformPoint(YVector3(1, 0, 0)), 0, 1, 0);
  ExpectNear(r.TransformPoint(YVector3(0, 1, 5)), -1, 0, 5);
}

TEST(YMatrix4Test, InverseOfTranslationAndRotation) {
  YMatrix4 inverse;
  EXPECT_TRUE(Translation(1, 2, 3).Inverse(inverse));
  ExpectMatrixNear(inverse, Translation(-1, -2, -3));
  YMatrix4 rotation;
  rotation.SetRotationZ(90);
  YMatrix4 back;
  back.SetRotationZ(-90);
  EXPECT_TRUE(rotation.Inverse(rotation));
  ExpectMatrixNear(rotation, back);
}

TEST(YMatrix4Test, InverseUndoesAnyAffineTransform) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> value(-10, 10);
  for (int i = 0; i < 100; ++i) {
    YMatrix4 scale, rotate, move, m, inverse, product;
    scale.SetScaling(YVector3(value(rng) / 2 + 6, value(rng) / 2 + 6, value(rng) / 2 + 6));
    rotate.SetRotationZ(value(rng) * 36);
    move.SetTranslation(YVector3(value(rng), value(rng), value(rng)));
    rotate.Multiply(m, scale);
    move.Multiply(m, m);
    ASSERT_TRUE(m.Inverse(inverse));
    inverse.Multiply(product, m);
    ExpectMatrixNear(product, YMatrix4(), 1e-4f);
  }
}

TEST(YMatrix4Test, SingularMatrixHasNoInverse) {
  YMatrix4 flat;
  flat.SetScaling(YVector3(1, 0, 1));
  YMatrix4 out = Translation(4, 4, 4);
  EXPECT_FALSE(flat.Inverse(out));
  ExpectMatrixNear(out, YMatrix4());
  YMatrix4 tiny;
  tiny.SetScaling(YVector3(1e-20f));
  EXPECT_FALSE(tiny.Inverse(out));
  for (const auto& row : out.m) {
    for (float v : row) EXPECT_TRUE(std::isfinite(v));
  }
}

}  // namespace
