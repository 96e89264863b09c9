// Matrix conversions between the device's row-vector matrices and what the
// fixed-function OpenGL pipeline reads. A row-vector matrix's sixteen floats
// are already OpenGL's column-major layout of the same transform, so only
// the texture matrix and (without clip control) the projection need work.
#pragma once

#include "platform/DeviceTypes.h"

namespace platform {

// A texture matrix for two texture coordinates: the device applies it to
// (u, v, 1, 0), so its translation sits in row 2; OpenGL applies it to
// (s, t, 0, 1) and reads the translation from row 3. The result has rows 0
// and 1 of `m`, row 2 of `m` as its row 3, and the identity's column 3, so
// q stays 1 and nothing divides the coordinates.
Matrix16 TextureMatrixForGL(const Matrix16& m);

// A projection whose clip z lands in 0..w, changed to land in -w..w
// (z' = 2z - w), for OpenGL without clip control: depth 0..1 then means
// what it meant to the device and z below 0 is still clipped.
Matrix16 DepthRangeToMinusOneOne(const Matrix16& projection);

}  // namespace platform
