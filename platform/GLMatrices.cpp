#include "platform/GLMatrices.h"

namespace platform {

Matrix16 TextureMatrixForGL(const Matrix16& m) {
  return {m[0], m[1], 0, 0,  //
          m[4], m[5], 0, 0,  //
          0,    0,    1, 0,  //
          m[8], m[9], 0, 1};
}

Matrix16 DepthRangeToMinusOneOne(const Matrix16& projection) {
  Matrix16 out = projection;
  for (int row = 0; row < 4; ++row) out[row * 4 + 2] = 2 * projection[row * 4 + 2] - projection[row * 4 + 3];
  return out;
}

}  // namespace platform
