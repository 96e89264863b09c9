// The records a mesh is made of besides its render vertices: faces with
// their normals, the face sets that share a smoothed normal, the source
// positions the render vertices were made from, the edges two faces share
// (for shadow silhouettes) and the subsets drawn with one shader each. The
// same records are stored in the compiled mesh file.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/YVector3.h"

// The largest face list of a normal set or a position, and the most render
// vertices one of them may give.
inline constexpr int kMaxFacesPerNormal = 65;
inline constexpr int kMaxVertIdx = 20;
// Indices are 16-bit, so a mesh has at most this many render vertices.
inline constexpr std::uint32_t kMaxRenderVertices = 65536;

// Three render vertex indices in drawing order and the unit face normal
// (zero for a face without area).
struct YMeshFace {
  std::uint32_t v[3] = {0, 0, 0};
  YVector3 normal;
};

// Faces around one source vertex that share one smoothed normal, and the
// render vertices that take it.
struct YMeshNormalSet {
  std::vector<std::int32_t> faces;     // at most kMaxFacesPerNormal
  std::vector<std::int32_t> vertices;  // at most kMaxVertIdx
};

// One source vertex: its position as authored, the faces that use it and
// the render vertices made from it.
struct YMeshPosition {
  YVector3 position;
  std::vector<std::int32_t> faces;     // at most kMaxFacesPerNormal
  std::vector<std::int32_t> vertices;  // at most kMaxVertIdx
};

// An edge two faces share with opposite winding: its render vertices in the
// first face's winding, then the two faces.
struct YMeshEdge {
  std::int32_t v0 = 0, v1 = 0;
  std::int32_t f0 = 0, f1 = 0;
};

// A run of faces of one material: where its indices start, how many
// triangles, and the range of render vertices they use.
struct YMeshSubset {
  std::int32_t firstIndex = 0;
  std::int32_t triangleCount = 0;
  std::int32_t material = 0;
  std::int32_t lowestVertex = 0;
  std::int32_t vertexSpan = 0;
};
