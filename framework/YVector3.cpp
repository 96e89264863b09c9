#include "framework/YVector3.h"

#include <cmath>

YVector3& YVector3::Set(float x_, float y_, float z_) {
  x = x_;
  y = y_;
  z = z_;
  return *this;
}

YVector3& YVector3::Assign(const YVector3& other) {
  return Set(other.x, other.y, other.z);
}

void YVector3::Negate(YVector3& out) const {
  out.Set(-x, -y, -z);
}

void YVector3::Add(YVector3& out, const YVector3& other) const {
  out.Set(x + other.x, y + other.y, z + other.z);
}

void YVector3::Subtract(YVector3& out, const YVector3& other) const {
  out.Set(x - other.x, y - other.y, z - other.z);
}

void YVector3::Scale(YVector3& out, float s) const {
  out.Set(x * s, y * s, z * s);
}

void YVector3::Divide(YVector3& out, float s) const {
  if (s == 0.0f) {
    out.Set(0, 0, 0);
    return;
  }
  out.Set(x / s, y / s, z / s);
}

float YVector3::Dot(const YVector3& other) const {
  return x * other.x + y * other.y + z * other.z;
}

YVector3& YVector3::Cross(const YVector3& a, const YVector3& b) {
  return Set(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float YVector3::Length() const {
  return std::sqrt(x * x + y * y + z * z);
}

float YVector3::Normalize() {
  const float length = Length();
  if (length == 0.0f) return 0.0f;
  const float inverse = 1.0f / length;
  Set(x * inverse, y * inverse, z * inverse);
  return length;
}
