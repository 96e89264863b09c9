#include "framework/YMatrix4.h"

#include <cmath>

YMatrix4::YMatrix4() {
  SetIdentity();
}

YMatrix4& YMatrix4::SetIdentity() {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) m[r][c] = (r == c) ? 1.0f : 0.0f;
  }
  return *this;
}

YMatrix4& YMatrix4::Assign(const YMatrix4& other) {
  *this = other;
  return *this;
}

void YMatrix4::Multiply(YMatrix4& out, const YMatrix4& other) const {
  YMatrix4 result;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += other.m[r][k] * m[k][c];
      result.m[r][c] = sum;
    }
  }
  out = result;
}

bool YMatrix4::Inverse(YMatrix4& out) const {
  const float(&a)[4][4] = m;
  const float c00 = a[1][1] * a[2][2] - a[2][1] * a[1][2];
  const float c10 = a[1][0] * a[2][2] - a[1][2] * a[2][0];
  const float c20 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
  const float det = a[0][0] * c00 - a[0][1] * c10 + a[0][2] * c20;
  const float inv = (det == 0.0f) ? 0.0f : 1.0f / det;
  if (inv == 0.0f || !std::isfinite(inv)) {
    out.SetIdentity();
    return false;
  }
  YMatrix4 r;  // starts as the identity: fourth column (0, 0, 0, 1)
  r.m[0][0] = c00 * inv;
  r.m[0][1] = -(a[0][1] * a[2][2] - a[2][1] * a[0][2]) * inv;
  r.m[0][2] = (a[1][2] * a[0][1] - a[1][1] * a[0][2]) * inv;
  r.m[1][0] = -c10 * inv;
  r.m[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) * inv;
  r.m[1][2] = -(a[1][2] * a[0][0] - a[1][0] * a[0][2]) * inv;
  r.m[2][0] = c20 * inv;
  r.m[2][1] = -(a[2][1] * a[0][0] - a[0][1] * a[2][0]) * inv;
  r.m[2][2] = (a[1][1] * a[0][0] - a[0][1] * a[1][0]) * inv;
  // Fourth row: -(t x R) with t the input's translation.
  for (int c = 0; c < 3; ++c) {
    r.m[3][c] = -(a[3][0] * r.m[0][c] + a[3][1] * r.m[1][c] + a[3][2] * r.m[2][c]);
  }
  out = r;
  return true;
}

YMatrix4& YMatrix4::SetScaling(const YVector3& s) {
  SetIdentity();
  m[0][0] = s.x;
  m[1][1] = s.y;
  m[2][2] = s.z;
  return *this;
}

YMatrix4& YMatrix4::SetTranslation(const YVector3& t) {
  SetTranslationFromVector(*this, t);
  return *this;
}

void YMatrix4::SetTranslationFromVector(YMatrix4& matrix, const YVector3& t) {
  matrix.SetIdentity();
  matrix.m[3][0] = t.x;
  matrix.m[3][1] = t.y;
  matrix.m[3][2] = t.z;
}

YMatrix4& YMatrix4::SetRotationZ(float degrees) {
  // The angle is formed in float with these constants so that the same
  // degrees always give the same matrix.
  constexpr float kPi = 3.1415927f;
  constexpr float kOneOver180 = 0.0055555557f;
  const float angle = kPi * degrees * kOneOver180;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  SetIdentity();
  m[0][0] = c;
  m[0][1] = s;
  m[1][0] = -s;
  m[1][1] = c;
  return *this;
}

YVector3 YMatrix4::TransformPoint(const YVector3& p) const {
  return YVector3(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                  p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                  p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]);
}
