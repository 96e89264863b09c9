// The arrays of one triangle mesh, as drawing and shadows use them and as
// the compiled mesh file stores them: render vertices, faces, normal sets,
// source positions, shared edges, 16-bit indices and subsets. Also the
// routines that derive normals and scale positions, which run on a mesh or
// on an instance's own copy of its vertices.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/InStream.h"
#include "framework/OutStream.h"
#include "render/YMeshRecords.h"
#include "render/YMeshVertex.h"

struct YMeshData {
  std::string name;  // the file name the mesh was requested by
  std::vector<YMeshVertex> vertices;
  std::vector<YMeshFace> faces;
  std::vector<YMeshNormalSet> normalSets;
  std::vector<YMeshPosition> positions;
  std::vector<YMeshEdge> edges;
  std::vector<std::uint16_t> indices;  // three per face, faces in material order
  std::vector<YMeshSubset> subsets;
  bool loaded = false;

  // Writes the compiled layout: the name record, then each array with its
  // count, in the order above.
  void Write(OutStream& out) const;
  // Reads the compiled layout into `out`, all or nothing: every count is
  // checked against the bytes left and every index against its array. On
  // failure `out` is unchanged and `error` says what was wrong.
  static bool Read(InStream& in, YMeshData& out, std::string& error);
  // Empty when every index and count is inside its array and the limits;
  // otherwise what is wrong with the first bad record.
  std::string CheckIndices() const;
  // Everything dropped: an empty mesh of the same name.
  void Clear();

  // Face normals from the corner positions P, Q, R: (P - Q) x (Q - R) made
  // unit length; a face without area gets the zero normal. The indices must
  // be inside the vertices.
  static void ComputeFaceNormals(std::span<const YMeshVertex> vertices, std::span<YMeshFace> faces);
  // Each normal set's normal (the sum of its faces' normals made unit length,
  // (0, 0, 1) when the sum is shorter than 1e-6) written into its vertices.
  static void ComputeVertexNormals(std::span<YMeshVertex> vertices, std::span<const YMeshFace> faces,
                                   std::span<const YMeshNormalSet> sets);
  // Every render vertex of each position := the position x factor.
  static void ScalePositions(std::span<YMeshVertex> vertices, std::span<const YMeshPosition> positions,
                             float factor);
};
