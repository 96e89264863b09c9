// Fixtures of the mesh tests: mesh texts built from arrays (a unit cube,
// loose triangles of chosen materials, a two-bone bar).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/YVector3.h"
#include "render/YMeshVertex.h"

namespace mesh_test {

struct Face {
  int a, b, c;     // source vertices
  int ta, tb, tc;  // texture vertices
  int material;
  unsigned mask;
};

// The text form of a mesh; `tail` follows the faces (a light-map part, a
// skeleton, or nothing).
inline std::string MeshText(const std::vector<YVector3>& vertices,
                            const std::vector<std::pair<float, float>>& uvs, const std::vector<Face>& faces,
                            const std::string& tail = "") {
  std::string text = "mesh test\nvertices " + std::to_string(vertices.size()) + "\n";
  char line[160];
  for (const YVector3& v : vertices) {
    std::snprintf(line, sizeof line, "%g %g %g\n", double{v.x}, double{v.y}, double{v.z});
    text += line;
  }
  text += "tvertices " + std::to_string(uvs.size()) + "\n";
  for (const auto& [u, v] : uvs) {
    std::snprintf(line, sizeof line, "%g %g\n", double{u}, double{v});
    text += line;
  }
  text += "faces " + std::to_string(faces.size()) + "\n";
  for (const Face& f : faces) {
    std::snprintf(line, sizeof line, "%d %d %d %d %d %d %d %u\n", f.a, f.b, f.c, f.ta, f.tb, f.tc, f.material,
                  f.mask);
    text += line;
  }
  return text + tail;
}

// The unit cube [0, 1]^3, its twelve triangles wound counter-clockwise seen
// from outside, every face with the smoothing mask given.
inline std::vector<YVector3> CubeVertices() {
  return {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
}
inline std::vector<Face> CubeFaces(unsigned mask, int material = 0) {
  const int corners[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                              {3, 7, 6}, {3, 6, 2}, {0, 4, 7}, {0, 7, 3}, {1, 2, 6}, {1, 6, 5}};
  std::vector<Face> faces;
  for (int i = 0; i < 12; ++i) {
    const bool first = i % 2 == 0;
    faces.push_back(
        {corners[i][0], corners[i][1], corners[i][2], 0, first ? 1 : 2, first ? 2 : 3, material, mask});
  }
  return faces;
}
inline std::string CubeText(unsigned mask) {
  return MeshText(CubeVertices(), {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, CubeFaces(mask));
}

// Loose triangles (three vertices each, mask 0), one per material given.
inline std::string TrianglesText(const std::vector<int>& materials) {
  std::vector<YVector3> vertices;
  std::vector<Face> faces;
  for (std::size_t i = 0; i < materials.size(); ++i) {
    const float x = static_cast<float>(i) * 2;
    const int first = static_cast<int>(vertices.size());
    vertices.insert(vertices.end(), {{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}});
    faces.push_back({first, first + 1, first + 2, 0, 0, 0, materials[i], 0});
  }
  return MeshText(vertices, {{0, 0}}, faces);
}

// A bar along x from 0 to 2 (square section 0.2, rings at x = 0, 1, 2) on
// two bones: bone 0 at the origin, bone 1 at (1, 0, 0) under it. Ring 0
// follows bone 0 (no influences listed), ring 1 both by half, ring 2 bone 1.
// Frames 0, 10, 25: the bind pose; bone 1 turned a quarter about z; bone 0
// turned a quarter about z with the root at (0, 0, 1).
// With `lightmap` the mesh part ends with a light-map part, so the word
// "sceleton" is read by the skeleton's reader rather than the mesh's.
inline std::string BarText(bool lightmap = false) {
  std::vector<YVector3> vertices;
  const float corners[4][2] = {{-0.1f, -0.1f}, {0.1f, -0.1f}, {0.1f, 0.1f}, {-0.1f, 0.1f}};
  for (int ring = 0; ring < 3; ++ring)
    for (const auto& c : corners) vertices.emplace_back(static_cast<float>(ring), c[0], c[1]);
  std::vector<Face> faces;
  for (int ring = 0; ring < 2; ++ring) {
    for (int c = 0; c < 4; ++c) {
      const int a = ring * 4 + c, b = ring * 4 + (c + 1) % 4;
      faces.push_back({a, b, b + 4, 0, 0, 0, 0, 1});
      faces.push_back({a, b + 4, a + 4, 0, 0, 0, 0, 1});
    }
  }
  faces.push_back({0, 2, 1, 0, 0, 0, 0, 2});
  faces.push_back({0, 3, 2, 0, 0, 0, 0, 2});
  faces.push_back({8, 9, 10, 0, 0, 0, 0, 4});
  faces.push_back({8, 10, 11, 0, 0, 0, 0, 4});
  std::string skeleton = lightmap ? "lightmap set map 1\n0.5 0.5\ntfaces 0\n" : "";
  skeleton += "sceleton bar\n2\n0 -1 0 0 0 0 0 0 1\n1 0 1 0 0 0 0 0 1\n";
  skeleton += "mounts 1\n7 1 1 0 0 0 0 0 1\n";
  skeleton += "weights list\n0\n0\n0\n0\n";
  for (int i = 0; i < 4; ++i) skeleton += "2 0 0.5 1 0.5\n";
  for (int i = 0; i < 4; ++i) skeleton += "1 1 1\n";
  skeleton += "frames 3\n";
  skeleton += "frame 0 0 0 0 0 0 0 1 0 0 0 1\n";
  skeleton += "frame 10 0 0 0 0 0 0 1 0 0 0.70710678 0.70710678\n";
  skeleton += "frame 25 0 0 1 0 0 0.70710678 0.70710678 0 0 0 1\n";
  return MeshText(vertices, {{0, 0}}, faces, skeleton);
}

// Positions of a mesh's render vertices.
inline YVector3 PositionOf(const YMeshVertex& v) {
  return YVector3(v.x, v.y, v.z);
}

}  // namespace mesh_test
