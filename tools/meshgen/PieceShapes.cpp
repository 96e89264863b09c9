#include "tools/meshgen/PieceShapes.h"

#include <vector>

#include "tools/meshgen/Extrusion.h"
#include "tools/meshgen/Lathe.h"

namespace {

constexpr int kSides = 48;  // round enough at the board's size, and below the mesh's 64 faces a vertex

constexpr int kBody = 0;
constexpr int kFace = 1;

SurfaceStyle Body(int group) {
  return {kBody, group, UvMapping::kWrap};
}
SurfaceStyle Face(int group) {
  return {kFace, group, UvMapping::kPlanar};
}

// From the rim's top: the inner wall down to the face, creased at the rim,
// and the flat face in to the axis; then the profile is turned.
TextMesh RecessedFace(Profile& p, double faceRadius, double faceZ, int wallGroup) {
  p.Line(faceRadius, faceZ, 1, Body(wallGroup));
  p.Line(faceRadius / 2, faceZ, 2, Face(wallGroup + 1));
  p.Line(0, faceZ, 2, Face(wallGroup + 1));
  TextMesh mesh;
  AddLathe(mesh, p, kSides, faceRadius);
  return mesh;
}

}  // namespace

TextMesh MonsterPiece() {
  Profile p;
  p.Start(0, 0);
  p.Line(3.0, 0, 2, Body(0));        // the base
  p.Arc(3.0, 0.4, 0, 4, Body(1));    // rounded foot
  p.Line(3.4, 1.9, 2, Body(1));      // the side
  p.Arc(2.95, 1.9, 90, 5, Body(1));  // rounded top edge to the rim
  p.Line(2.75, 2.35, 1, Body(1));    // rim top
  return RecessedFace(p, 2.65, 2.2, 2);
}

TextMesh BossPiece() {
  const std::vector<OutlinePoint> octagon = RegularPolygon(8, 4.0);
  const std::vector<ExtrusionLevel> levels = {{0.9, 0},    {1.0, 0.4},  {1.0, 2.5},
                                              {0.9, 3.05}, {0.8, 3.05}, {0.78, 2.9}};
  TextMesh mesh;
  ExtrusionStyle style;
  style.sideMaterial = kBody;
  style.bottomMaterial = kBody;
  style.topMaterial = kFace;
  style.capHalfWidth = 0.78 * 4.0 * 0.92388;  // the face's apothem: the picture fills it across the flats
  AddExtrusion(mesh, octagon, levels, style);
  return mesh;
}

TextMesh HeroPiece() {
  Profile p;
  p.Start(0, 0);
  p.Line(3.3, 0, 2, Body(0));                           // the base
  p.Arc(3.3, 0.3, 0, 3, Body(1));                       // rounded foot
  p.Line(3.6, 0.75, 1, Body(1));                        // the foot's band
  p.Curve(2.6, 1.1, 2.45, 2.2, 2.6, 2.9, 8, Body(2));   // into the waist, creased below it
  p.Curve(2.75, 3.5, 3.35, 3.7, 3.5, 4.1, 6, Body(2));  // the flared crown
  p.Arc(3.2, 4.1, 90, 4, Body(2));                      // rounded crown edge
  p.Line(3.0, 4.4, 1, Body(2));                         // rim top
  return RecessedFace(p, 2.85, 4.25, 3);
}
