// The shipped piece meshes: closed outward solids standing on z = 0 inside a
// cell, body then face materials, the face on top mapped 0..1; the three
// kinds differ in height, so they are told apart by shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "render/YMesh.h"
#include "render/YMeshLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr float kBoardScale = 1 / 8.5f;  // the units' load factor

// Twice the signed volume enclosed, by the divergence theorem.
double SignedVolume(const YMesh& mesh) {
  double volume = 0;
  for (const YMeshFace& f : mesh.faces) {
    const YMeshVertex &a = mesh.vertices[f.v[0]], &b = mesh.vertices[f.v[1]], &c = mesh.vertices[f.v[2]];
    volume += a.x * (double{b.y} * c.z - double{b.z} * c.y) - a.y * (double{b.x} * c.z - double{b.z} * c.x) +
              a.z * (double{b.x} * c.y - double{b.y} * c.x);
  }
  return volume / 6;
}

TEST(ShippedMeshes, EachPieceLoadsAsAClosedOutwardSolidWithItsFaceOnTop) {
  testing_support::ScopedTempDir dir;
  testing_support::ScopedCwd cwd(dir.Path());
  fs::create_directory("mesh");
  std::map<std::string, float> heights;
  for (const std::string name : {"piece", "pieceboss", "piecehero"}) {
    SCOPED_TRACE(name);
    const fs::path shipped = fs::path(QV_GAME_DIR) / "mesh" / (name + ".mes");
    ASSERT_TRUE(fs::is_regular_file(shipped));
    fs::copy_file(shipped, "mesh/" + name + ".mes");
    LogCapture log;
    YMesh mesh;
    YMeshLoader::LoadFile(mesh, "mesh\\" + name + ".mes");
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Load mesh file mesh\\" + name + ".mes"});
    ASSERT_TRUE(mesh.loaded);
    EXPECT_TRUE(fs::is_regular_file("mesh/" + name + ".meb"));

    ASSERT_EQ(mesh.subsets.size(), 2u);
    EXPECT_TRUE(mesh.subsets[0].material == 0 && mesh.subsets[1].material == 1);
    // Closed: every face meets three others along its three edges.
    std::vector<int> shared(mesh.faces.size(), 0);
    for (const YMeshEdge& e : mesh.edges) {
      ++shared[static_cast<std::size_t>(e.f0)];
      ++shared[static_cast<std::size_t>(e.f1)];
    }
    EXPECT_TRUE(std::all_of(shared.begin(), shared.end(), [](int n) { return n == 3; }));
    EXPECT_GT(SignedVolume(mesh), 0.0);

    mesh.SetScale(kBoardScale);
    float lowest = 1e9f, highest = -1e9f, widest = 0;
    for (const YMeshVertex& v : mesh.vertices) {
      lowest = std::min(lowest, v.z);
      highest = std::max(highest, v.z);
      widest = std::max({widest, std::abs(v.x), std::abs(v.y)});
    }
    EXPECT_EQ(lowest, 0.0f);
    EXPECT_LT(widest, 0.48f);  // inside its cell, with room between neighbours
    heights[name] = highest;

    const YMeshSubset& face = mesh.subsets[1];
    for (int i = face.firstIndex; i < face.firstIndex + 3 * face.triangleCount; ++i) {
      const YMeshVertex& v = mesh.vertices[mesh.indices[static_cast<std::size_t>(i)]];
      EXPECT_TRUE(v.u >= 0 && v.u <= 1 && v.v >= 0 && v.v <= 1 && v.nz > 0.99f && v.z > 0.8f * highest)
          << v.u << ", " << v.v << " at " << v.z;
    }
  }
  EXPECT_LT(heights["piece"], heights["pieceboss"]);
  EXPECT_LT(heights["pieceboss"], heights["piecehero"]);
}

}  // namespace
