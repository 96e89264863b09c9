// Matrix conversions for OpenGL: a converted texture matrix moves texture
// coordinates as the device's does, and a remapped projection lands on
// OpenGL's depth range where the original landed on 0..1.
#include "platform/GLMatrices.h"

#include <gtest/gtest.h>

#include <array>

namespace platform {
namespace {

using Vec4 = std::array<float, 4>;

// Row vector times row-major matrix (the device's convention).
Vec4 RowTimes(const Vec4& v, const Matrix16& m) {
  Vec4 out{};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) out[c] += v[r] * m[r * 4 + c];
  return out;
}

// OpenGL's product of a column-major matrix and a column vector.
Vec4 ColumnMajorTimes(const Matrix16& m, const Vec4& v) {
  Vec4 out{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out[r] += m[c * 4 + r] * v[c];
  return out;
}

const Matrix16 kSamples[] = {
    {1, 0, 0, 0, 0, 1, 0, 0, 0.5f, 0.25f, 1, 0, 0, 0, 0, 1},         // translation in row 2
    {0, -1, 0, 0, 1, 0, 0, 0, 0.5f, 0.5f, 1, 0, 9, 9, 9, 9},         // rotation; row 3 is noise
    {2, 0.5f, 7, 3, -1, 3, 8, 4, -0.75f, 4, 1, 2, 0.125f, 6, 5, 1},  // everything filled
};

TEST(TextureMatrixForGL, MovesCoordinatesAsTheDeviceDoes) {
  for (const Matrix16& m : kSamples)
    for (const auto& [u, v] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {0.25f, 0.75f}, {-2.0f, 3.5f}}) {
      const Vec4 device = RowTimes({u, v, 1, 0}, m);
      const Vec4 gl = ColumnMajorTimes(TextureMatrixForGL(m), {u, v, 0, 1});
      EXPECT_FLOAT_EQ(gl[0], device[0]);
      EXPECT_FLOAT_EQ(gl[1], device[1]);
      EXPECT_FLOAT_EQ(gl[3], 1.0f) << "q must stay 1 so nothing divides";
    }
}

TEST(DepthRangeToMinusOneOne, MapsZeroToOneOntoMinusOneToOne) {
  const float n = 1, f = 100, q = f / (f - n);
  const Matrix16 perspective{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * n, 0};
  const Matrix16 ortho{0.5f, 0, 0, 0, 0, -0.5f, 0, 0, 0, 0, 0.5f, 0, -1, 1, 0.5f, 1};
  for (const Matrix16& p : {perspective, ortho})
    for (const Vec4& point : {Vec4{0, 0, 1, 1}, Vec4{3, -2, 50, 1}, Vec4{1, 1, 100, 1}, Vec4{0, 0, -1, 1}}) {
      const Vec4 before = RowTimes(point, p);
      const Vec4 after = RowTimes(point, DepthRangeToMinusOneOne(p));
      EXPECT_FLOAT_EQ(after[0], before[0]);
      EXPECT_FLOAT_EQ(after[1], before[1]);
      EXPECT_FLOAT_EQ(after[3], before[3]);
      EXPECT_NEAR(after[2] / after[3], 2 * (before[2] / before[3]) - 1, 1e-5);
    }
}

}  // namespace
}  // namespace platform
