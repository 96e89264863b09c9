// Vectors and matrices: multiplication order, inverses, rotation direction,
// and the guards against dividing by zero.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"

namespace {

void ExpectNear(const YVector3& v, float x, float y, float z, float tolerance = 1e-5f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(YMatrix4Test, MultiplyAppliesTheOtherMatrixFirstAndInverseUndoesAnyAffineTransform) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> value(-10, 10);
  for (int i = 0; i < 100; ++i) {
    YMatrix4 scale, rotate, move, m, inverse, product;
    scale.SetScaling(YVector3(value(rng) / 2 + 6, value(rng) / 2 + 6, value(rng) / 2 + 6));
    rotate.SetRotationZ(value(rng) * 36);
    move.SetTranslation(YVector3(value(rng), value(rng), value(rng)));
    rotate.Multiply(m, scale);
    move.Multiply(m, m);  // the result may be written over an operand
    const YVector3 p(value(rng), value(rng), value(rng));
    const YVector3 expected = move.TransformPoint(rotate.TransformPoint(scale.TransformPoint(p)));
    ExpectNear(m.TransformPoint(p), expected.x, expected.y, expected.z, 1e-3f);
    ASSERT_TRUE(m.Inverse(inverse));
    inverse.Multiply(product, m);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) ASSERT_NEAR(product.m[r][c], r == c ? 1.0f : 0.0f, 1e-4f) << r << "," << c;
  }
  YMatrix4 rotate;
  rotate.SetRotationZ(90);  // turns x towards y
  ExpectNear(rotate.TransformPoint(YVector3(1, 0, 5)), 0, 1, 5);
}

TEST(YMathTest, DividingByZeroIsGuarded) {
  YVector3 v(3, 4, 0), zero, divided(7);
  EXPECT_FLOAT_EQ(v.Normalize(), 5.0f);  // the former length
  EXPECT_EQ(zero.Normalize(), 0.0f);
  ExpectNear(zero, 0, 0, 0);
  YVector3(1, 2, 3).Divide(divided, 0.0f);
  ExpectNear(divided, 0, 0, 0);
  // A singular matrix has no inverse and gives the identity.
  YMatrix4 flat, out;
  flat.SetScaling(YVector3(1, 0, 1));
  out.SetTranslation(YVector3(4, 4, 4));
  EXPECT_FALSE(flat.Inverse(out));
  ExpectNear(out.TransformPoint(YVector3(1, 2, 3)), 1, 2, 3);
  flat.SetScaling(YVector3(1e-20f));
  EXPECT_FALSE(flat.Inverse(out));
  for (const auto& row : out.m)
    for (float v : row) EXPECT_TRUE(std::isfinite(v));
}

}  // namespace
