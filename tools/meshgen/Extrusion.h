// Prisms: a convex outline (counter-clockwise seen from above, about the z
// axis) stacked as levels, each the outline scaled about the axis at a
// height, with a cap below the first level and one above the last. Every
// side of every band is flat, meeting its neighbours in creases.
#pragma once

#include <vector>

#include "tools/meshgen/TextMesh.h"

struct OutlinePoint {
  double x, y;
};

struct ExtrusionLevel {
  double scale;  // of the outline
  double z;
};

struct ExtrusionStyle {
  int sideMaterial = 0;
  int bottomMaterial = 0;
  int topMaterial = 0;
  double capHalfWidth = 1;  // the caps' planar mapping spans 0..1 over +-this
};

// At most 15 outline points (each side of two neighbouring bands needs its
// own smoothing group).
void AddExtrusion(TextMesh& mesh, const std::vector<OutlinePoint>& outline,
                  const std::vector<ExtrusionLevel>& levels, const ExtrusionStyle& style);

// A regular polygon whose corners lie at `circumradius` from the centre,
// turned so that one side faces -y (towards the player).
std::vector<OutlinePoint> RegularPolygon(int corners, double circumradius);
