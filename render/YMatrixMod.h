// Texture-matrix modifiers: the animations a shader stage folds into its
// texture matrix every frame (rotation, scrolling, pulsing, swinging) and the
// two fixed transforms (flip, offset). The shader file creates one per mod_*
// tag; the stage owns them and applies them in file order.
//
// The six modifiers share this one header/source pair on purpose: each is a
// few lines of state around one matrix formula, they share the phase step
// and the rotation about the texture centre, and only the shader loader and
// the stage ever name them.
#pragma once

#include "framework/YMatrix4.h"

// Texture coordinates are row vectors, row 2 of the matrix is their
// translation: u' = u*m00 + v*m10 + m20, v' = u*m01 + v*m11 + m21.
class YMatrixMod {
 public:
  virtual ~YMatrixMod() = default;

  // Advances the modifier by dt seconds and replaces `matrix` by M x matrix,
  // M being the modifier's matrix for this step. Returns whether the result
  // may differ from the identity (every modifier here says true).
  virtual bool Apply(float dt, YMatrix4& matrix) = 0;
};

// Turns the texture about its centre at `rate` degrees per second.
class YModRotate : public YMatrixMod {
 public:
  explicit YModRotate(float rate) : rate_(rate) {}
  bool Apply(float dt, YMatrix4& matrix) override;

 private:
  float phase_ = 0;  // degrees, kept in [-180, 180] while steps are small
  float rate_;
};

// Slides the texture by (x, y) texture widths per second; each offset wraps
// by one once it goes past 1 or -1.
class YModScroll : public YMatrixMod {
 public:
  YModScroll(float x, float y) : rateX_(x), rateY_(y) {}
  bool Apply(float dt, YMatrix4& matrix) override;

 private:
  float u_ = 0, v_ = 0;
  float rateX_, rateY_;
};

// Scales the texture about its centre between `min` and `max` times its
// size, the phase advancing `vel` degrees per second along a sine.
class YModPulse : public YMatrixMod {
 public:
  // The smallest scale magnitude a pulse shows: a scale nearer 0 (min and
  // max both 0, or of opposite signs as the sine passes the zero) is held
  // at this magnitude with its sign, so the matrix never divides by zero.
  static constexpr float kMinScale = 1.0f / 1024.0f;

  YModPulse(float vel, float min, float max) : vel_(vel), min_(min), max_(max) {}
  bool Apply(float dt, YMatrix4& matrix) override;

 private:
  float phase_ = 0;
  float vel_, min_, max_;
};

// Rocks the texture about its centre between `min` and `max` degrees, the
// phase advancing `vel` degrees per second along a sine.
class YModSwing : public YMatrixMod {
 public:
  YModSwing(float vel, float min, float max) : vel_(vel), min_(min), max_(max) {}
  bool Apply(float dt, YMatrix4& matrix) override;

 private:
  float phase_ = 0;
  float vel_, min_, max_;
};

// Mirrors u when `x` is set and v when `y` is set.
class YModFlip : public YMatrixMod {
 public:
  YModFlip(bool x, bool y);
  bool Apply(float dt, YMatrix4& matrix) override;

 private:
  YMatrix4 flip_;
};

// Shifts the texture coordinates by (x, y).
class YModOffset : public YMatrixMod {
 public:
  YModOffset(float x, float y);
  bool Apply(float dt, YMatrix4& matrix) override;

 private:
  YMatrix4 offset_;
};

// The shared rules, public for the tests.
namespace matrix_mod {
// phase + dt * rate, then brought back once into [-180, 180] by 360.
float StepPhase(float phase, float rate, float dt);
// Degrees to radians in single precision, as the modifiers compute it.
float ToRadians(float degrees);
// Rotation by `radians` about the texture centre (0.5, 0.5).
YMatrix4 RotationAboutCentre(float radians);
}  // namespace matrix_mod
