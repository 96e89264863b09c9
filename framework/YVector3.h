// A vector of three floats: positions, directions and scales of the 3D
// world. A plain value; the operations that produce a vector write it to an
// `out` argument, which may be the vector itself.
#pragma once

struct YVector3 {
  float x = 0, y = 0, z = 0;

  YVector3() = default;
  YVector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  // All three components set to s.
  explicit YVector3(float s) : x(s), y(s), z(s) {}

  YVector3& Set(float x_, float y_, float z_);
  YVector3& Assign(const YVector3& other);

  void Negate(YVector3& out) const;
  void Add(YVector3& out, const YVector3& other) const;
  void Subtract(YVector3& out, const YVector3& other) const;
  void Scale(YVector3& out, float s) const;
  // out := this / s. Dividing by 0 gives the zero vector rather than
  // infinities.
  void Divide(YVector3& out, float s) const;

  float Dot(const YVector3& other) const;
  // this := a x b (right-handed component formula); a or b may be this.
  YVector3& Cross(const YVector3& a, const YVector3& b);

  float Length() const;
  // Scales the vector to length 1 and returns its former length. A zero
  // vector has no direction: it stays zero and 0 is returned.
  float Normalize();
};
