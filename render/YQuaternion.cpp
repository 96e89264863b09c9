#include "render/YQuaternion.h"

#include <cmath>

YMatrix4 YQuaternion::ToMatrix(const YVector3& t) const {
  const float x2 = 2 * x, y2 = 2 * y, z2 = 2 * z;
  YMatrix4 m;
  m.m[0][0] = 1 - (y * y2 + z * z2);
  m.m[0][1] = x * y2 - w * z2;
  m.m[0][2] = x * z2 + w * y2;
  m.m[1][0] = x * y2 + w * z2;
  m.m[1][1] = 1 - (x * x2 + z * z2);
  m.m[1][2] = y * z2 - w * x2;
  m.m[2][0] = x * z2 - w * y2;
  m.m[2][1] = y * z2 + w * x2;
  m.m[2][2] = 1 - (x * x2 + y * y2);
  m.m[3][0] = t.x;
  m.m[3][1] = t.y;
  m.m[3][2] = t.z;
  return m;
}

void YQuaternion::Normalize() {
  const float length = std::sqrt(Dot(*this));
  if (!(length > 0.0f)) return;
  x /= length;
  y /= length;
  z /= length;
  w /= length;
}

YQuaternion YQuaternion::Slerp(const YQuaternion& q0, const YQuaternion& q1, float t) {
  float d = q0.Dot(q1);
  float sign = 1;
  if (d < 0) {
    d = -d;
    sign = -1;
  }
  float a = 1 - t, b = sign * t;
  if (1 - d > 1e-6f) {
    const float angle = std::acos(std::fmin(d, 1.0f));
    const float s = std::sin(angle);
    a = std::sin((1 - t) * angle) / s;
    b = sign * std::sin(t * angle) / s;
  }
  return YQuaternion(a * q0.x + b * q1.x, a * q0.y + b * q1.y, a * q0.z + b * q1.z, a * q0.w + b * q1.w);
}
