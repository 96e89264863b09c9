// The box every tile is drawn as: 24 vertices (six faces of four) in the
// tile's own frame, x -0.5..0.5, y -0.65..0.65, z 0..0.7; face 0 the top,
// 1 to 4 the sides, 5 the bottom. The top and bottom show the columns 0 to
// kTileFaceU of an atlas frame, the sides its strip from kTileSideU on.
// Also the table of the box's twelve edges that shadows are cast from.
#pragma once

#include <array>
#include <cstdint>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"
#include "render/YMeshVertex.h"

class YTextureBase;

namespace tile_box {

inline constexpr int kFaces = 6;
inline constexpr int kTopFace = 0;
inline constexpr int kBottomFace = 5;

// An edge: the two faces that meet at it and its ends, as corners 0-3 of
// the first face.
struct Edge {
  std::int32_t firstFace, secondFace, firstCorner, secondCorner;
};

const std::array<YMeshVertex, 24>& Vertices();
const std::array<Edge, 12>& Edges();

// The face's outward normal turned by the matrix (no translation).
YVector3 TurnedNormal(int face, const YMatrix4& matrix);
// Whether the face, placed by the matrix, faces the point: its turned
// normal and the way from its first corner to the point make a positive
// dot product (edge-on does not count).
bool FacesPoint(int face, const YMatrix4& matrix, const YVector3& point);
// The face's four vertices placed by the matrix, every normal the turned
// one; texture coordinates as in the table.
std::array<YMeshVertex, 4> PlacedFace(int face, const YMatrix4& matrix);
// Draws the face with the current shader and stage textures when it faces
// the camera's eye; true when it was drawn.
bool DrawFace(int face, const YMatrix4& matrix);
// Faces 0 to 4: `top` bound to stage 0 for the top, `side` from face 1 on.
void DrawPictureFaces(const YMatrix4& matrix, YTextureBase* top, YTextureBase* side);
// All six faces with whatever is bound (the overlays).
void DrawAllFaces(const YMatrix4& matrix);

// The silhouette edges of the box placed by the matrix under a light
// direction: the edges whose two faces differ in being marked (turned normal
// and light with a dot product below 0). Calls add(a, b) for each, in table
// order, with its ends placed by the matrix: first corner first when the
// edge's first face is the marked one, else the other way round.
template <typename Add>
void ForEachShadowEdge(const YMatrix4& matrix, const YVector3& light, Add add) {
  std::array<bool, kFaces> away{};
  for (int face = 0; face < kFaces; ++face)
    away[static_cast<std::size_t>(face)] = TurnedNormal(face, matrix).Dot(light) < 0;
  for (const Edge& edge : Edges()) {
    const bool first = away[static_cast<std::size_t>(edge.firstFace)];
    if (first == away[static_cast<std::size_t>(edge.secondFace)]) continue;
    const YMeshVertex& p = Vertices()[static_cast<std::size_t>(4 * edge.firstFace + edge.firstCorner)];
    const YMeshVertex& q = Vertices()[static_cast<std::size_t>(4 * edge.firstFace + edge.secondCorner)];
    const YVector3 a = matrix.TransformPoint(YVector3(p.x, p.y, p.z));
    const YVector3 b = matrix.TransformPoint(YVector3(q.x, q.y, q.z));
    if (first)
      add(a, b);
    else
      add(b, a);
  }
}

}  // namespace tile_box
