// Small value arithmetic on YVector3 and YColor for the particle and effect
// code, which works with many short formulas (2D effects keep z at 0).
// Brought in with `using namespace effect_math;` inside source files only.
#pragma once

#include <cmath>

#include "framework/YColor.h"
#include "framework/YVector3.h"

namespace effect_math {

inline YVector3 operator+(const YVector3& a, const YVector3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline YVector3 operator-(const YVector3& a, const YVector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline YVector3 operator*(const YVector3& a, float s) {
  return {a.x * s, a.y * s, a.z * s};
}
inline YVector3 operator*(float s, const YVector3& a) {
  return a * s;
}
inline float Length(const YVector3& a) {
  return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}
inline float Distance(const YVector3& a, const YVector3& b) {
  return Length(a - b);
}
// The unit vector along a; the zero vector stays zero.
inline YVector3 Unit(const YVector3& a) {
  const float length = Length(a);
  return length > 0 ? a * (1.0f / length) : YVector3();
}
// A point of the 2D UI space as a vector with z = 0.
inline YVector3 Point(float x, float y) {
  return {x, y, 0};
}

// a + (b - a) x t, per component.
inline YColor Blend(const YColor& a, const YColor& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
inline YColor WithAlpha(const YColor& c, float alpha) {
  return {c.r, c.g, c.b, alpha};
}

}  // namespace effect_math
