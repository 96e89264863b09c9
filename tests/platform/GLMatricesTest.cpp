// The texture matrix converted for OpenGL moves coordinates as the device's.
#include "platform/GLMatrices.h"

#include <gtest/gtest.h>

#include <utility>

namespace platform {
namespace {

// Device: row (u, v, 1, 0) by a row-major matrix; OpenGL: column (u, v, 0, 1)
// by a column-major one, with q kept 1.
TEST(TextureMatrixForGL, MovesCoordinatesAsTheDeviceDoes) {
  const Matrix16 samples[] = {
      {0, -1, 0, 0, 1, 0, 0, 0, 0.5f, 0.5f, 1, 0, 9, 9, 9, 9},        // rotation; row 3 is noise
      {2, 0.5f, 7, 3, -1, 3, 8, 4, -0.75f, 4, 1, 2, 0.125f, 6, 5, 1}  // everything filled
  };
  for (const Matrix16& m : samples)
    for (const auto& [u, v] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {-2.0f, 3.5f}}) {
      const Matrix16 gl = TextureMatrixForGL(m);
      for (int i : {0, 1})
        EXPECT_FLOAT_EQ(gl[i] * u + gl[4 + i] * v + gl[12 + i], u * m[i] + v * m[4 + i] + m[8 + i]);
      EXPECT_FLOAT_EQ(gl[3] * u + gl[7] * v + gl[15], 1.0f);
    }
}

}  // namespace
}  // namespace platform
