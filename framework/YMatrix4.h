// A 4 x 4 float matrix, row by row (m[row][column]), in the row-vector
// convention: a point is the row (x, y, z, 1) multiplied on the left, the
// translation is the fourth row. Affine matrices keep (0, 0, 0, 1) as their
// fourth column.
#pragma once

#include "framework/YVector3.h"

struct YMatrix4 {
  float m[4][4];

  // The identity.
  YMatrix4();

  YMatrix4& SetIdentity();
  YMatrix4& Assign(const YMatrix4& other);

  // out := other x this: a point is transformed by `other` first, then by
  // this. `out` may be this or `other`.
  void Multiply(YMatrix4& out, const YMatrix4& other) const;
  // out := the inverse of this as an affine matrix (its fourth column is
  // ignored and written as (0, 0, 0, 1)). A singular matrix (upper 3 x 3
  // determinant 0, or so small that its reciprocal overflows) has no
  // inverse: out becomes the identity and false is returned. `out` may be
  // this.
  bool Inverse(YMatrix4& out) const;

  // Diagonal (s.x, s.y, s.z, 1), all else 0.
  YMatrix4& SetScaling(const YVector3& s);
  // The identity with the fourth row (t.x, t.y, t.z, 1).
  YMatrix4& SetTranslation(const YVector3& t);
  static void SetTranslationFromVector(YMatrix4& matrix, const YVector3& t);
  // Rotation about z by `degrees`, counter-clockwise seen from +z for row
  // vectors: m00 = cos, m01 = sin, m10 = -sin, m11 = cos.
  YMatrix4& SetRotationZ(float degrees);

  // The point (p, 1) times this, without the projective divide.
  YVector3 TransformPoint(const YVector3& p) const;
};
