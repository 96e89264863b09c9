// Rotations of skeletal meshes as quaternions (x, y, z, w): the matrix of a
// rotation with a translation in the row-vector convention, and the
// great-arc interpolation that blends key frames.
#pragma once

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"

struct YQuaternion {
  float x = 0, y = 0, z = 0, w = 1;

  YQuaternion() = default;
  YQuaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

  float Dot(const YQuaternion& other) const { return x * other.x + y * other.y + z * other.z + w * other.w; }
  // The rotation matrix (not normalised first, so the zero quaternion gives
  // the identity) with `translation` as its fourth row.
  YMatrix4 ToMatrix(const YVector3& translation) const;
  // Scales to length 1; the zero quaternion stays zero.
  void Normalize();

  // Great-arc interpolation from q0 (t = 0) to q1 (t = 1), the short way
  // round (q1 is negated when the two are more than a half turn apart).
  static YQuaternion Slerp(const YQuaternion& q0, const YQuaternion& q1, float t);
};
