// Solids of revolution about the z axis: a profile in the (radius, height)
// plane, drawn from the bottom centre outwards, up and back in to the top
// centre, is turned once round. Each stretch of the profile carries its
// material, its smoothing group (neighbouring stretches of one group are
// smooth across their joint, others meet in a crease) and its texture
// mapping.
#pragma once

#include <vector>

#include "tools/meshgen/TextMesh.h"

enum class UvMapping {
  kWrap,    // u once round, v up the profile
  kPlanar,  // seen from above: u along x, v along y, 0..1 over the planar radius
};

struct SurfaceStyle {
  int material = 0;
  int group = 0;  // 0..31
  UvMapping mapping = UvMapping::kWrap;
};

class Profile {
 public:
  void Start(double r, double z);
  // A straight stretch to (r, z) in `steps` equal parts.
  void Line(double r, double z, int steps, const SurfaceStyle& style);
  // A circular arc about (cr, cz) from the current point (which must lie on
  // it) to the angle `toDegrees` (0 = outwards, 90 = up), in `steps` parts.
  void Arc(double cr, double cz, double toDegrees, int steps, const SurfaceStyle& style);
  // A cubic curve with the control points given, ending at (r, z).
  void Curve(double r1, double z1, double r2, double z2, double r, double z, int steps,
             const SurfaceStyle& style);

  struct Point {
    double r, z;
  };
  const std::vector<Point>& Points() const { return points_; }
  // The style of the stretch from point i to point i + 1.
  const std::vector<SurfaceStyle>& Styles() const { return styles_; }

 private:
  void Add(double r, double z, const SurfaceStyle& style);

  std::vector<Point> points_;
  std::vector<SurfaceStyle> styles_;
};

// Turns the profile round in `sides` steps. Points on the axis (radius 0)
// become one vertex; the seam shares its vertices, so the solid is closed.
// `planarRadius` is the radius that planar mapping spans 0..1 over.
void AddLathe(TextMesh& mesh, const Profile& profile, int sides, double planarRadius);
