// The text mesh reader: what it derives (render vertices, normal sets by
// smoothing groups, subsets by material, shared edges, texture sets), what
// it refuses and how, and loading by name with the compiled file beside it.
#include "render/YMeshLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/MemoryOutStream.h"
#include "render/YMesh.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/MeshTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using mesh_test::CubeText;
using mesh_test::Face;
using mesh_test::MeshText;
using mesh_test::TrianglesText;
using Result = YMeshLoader::Result;
namespace fs = std::filesystem;

Result Parse(YMesh& mesh, const std::string& text) {
  return YMeshLoader("test.mes", text).Parse(mesh);
}

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

YVector3 NormalOf(const YMeshVertex& v) {
  return YVector3(v.nx, v.ny, v.nz);
}

TEST(MeshLoader, ACubeWithoutSmoothingGivesEachCornerItsOwnVertexWithTheFaceNormal) {
  YMesh mesh;
  ASSERT_EQ(Parse(mesh, CubeText(0)), Result::kClean);
  EXPECT_EQ(mesh.vertices.size(), 36u);
  EXPECT_EQ(mesh.normalSets.size(), 36u);
  EXPECT_EQ(mesh.positions.size(), 8u);
  EXPECT_EQ(mesh.edges.size(), 18u);  // closed: every edge shared by two faces
  const YVector3 centre(0.5f, 0.5f, 0.5f);
  for (const YMeshFace& face : mesh.faces) {
    EXPECT_NEAR(face.normal.Length(), 1.0f, 1e-6f);
    YVector3 out;
    mesh_test::PositionOf(mesh.vertices[face.v[0]]).Subtract(out, centre);
    EXPECT_GT(face.normal.Dot(out), 0.0f) << "faces point outwards";
    for (const std::uint32_t v : face.v)
      EXPECT_NEAR(NormalOf(mesh.vertices[v]).Dot(face.normal), 1.0f, 1e-6f);
  }
}

TEST(MeshLoader, ACubeInOneSmoothingGroupSharesOneNormalPerCorner) {
  YMesh mesh;
  ASSERT_EQ(Parse(mesh, CubeText(1)), Result::kClean);
  ASSERT_EQ(mesh.normalSets.size(), 8u);
  for (std::size_t p = 0; p < mesh.positions.size(); ++p) {
    const YMeshPosition& position = mesh.positions[p];
    // The set of this corner holds every triangle that touches it.
    const auto set =
        std::find_if(mesh.normalSets.begin(), mesh.normalSets.end(), [&](const YMeshNormalSet& s) {
          return std::find(s.vertices.begin(), s.vertices.end(), position.vertices.front()) !=
                 s.vertices.end();
        });
    ASSERT_NE(set, mesh.normalSets.end());
    std::vector<std::int32_t> a = set->faces, b = position.faces;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b) << "corner " << p;
    YVector3 out;
    position.position.Subtract(out, YVector3(0.5f, 0.5f, 0.5f));
    for (const std::int32_t v : position.vertices) {
      const YVector3 n = NormalOf(mesh.vertices[static_cast<std::size_t>(v)]);
      EXPECT_NEAR(n.Length(), 1.0f, 1e-6f);
      EXPECT_TRUE(n.x * out.x > 0 && n.y * out.y > 0 && n.z * out.z > 0)
          << "corner " << p << " leans outwards";
    }
  }
}

TEST(MeshLoader, SubsetsFollowTheMaterialsInOrderWithTheirIndexAndVertexRanges) {
  YMesh mesh;
  ASSERT_EQ(Parse(mesh, TrianglesText({3, 1, 3, 2})), Result::kClean);
  ASSERT_EQ(mesh.subsets.size(), 3u);
  const std::int32_t expected[3][5] = {{0, 1, 1, 0, 3}, {3, 1, 2, 3, 3}, {6, 2, 3, 6, 6}};
  for (int i = 0; i < 3; ++i) {
    const YMeshSubset& s = mesh.subsets[static_cast<std::size_t>(i)];
    EXPECT_EQ(
        (std::vector<std::int32_t>{s.firstIndex, s.triangleCount, s.material, s.lowestVertex, s.vertexSpan}),
        std::vector<std::int32_t>(expected[i], expected[i] + 5));
  }
  EXPECT_EQ(mesh.indices, (std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  // Faces were sorted: the first drawn is the one of material 1, authored second.
  EXPECT_FLOAT_EQ(mesh.vertices[0].x, 2.0f);
}

TEST(MeshLoader, EdgesPairFacesThatRunAlongThemInOppositeDirections) {
  const std::vector<YVector3> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  YMesh opposite, same;
  ASSERT_EQ(Parse(opposite, MeshText(square, {{0, 0}}, {{0, 1, 2, 0, 0, 0, 0, 0}, {0, 2, 3, 0, 0, 0, 0, 0}})),
            Result::kClean);
  ASSERT_EQ(opposite.edges.size(), 1u);
  const YMeshEdge& e = opposite.edges[0];
  EXPECT_EQ(mesh_test::PositionOf(opposite.vertices[static_cast<std::size_t>(e.v0)]).x,
            1.0f);  // 2 -> 0 in face 0
  EXPECT_EQ(mesh_test::PositionOf(opposite.vertices[static_cast<std::size_t>(e.v1)]).x, 0.0f);
  EXPECT_EQ(e.f0, 0);
  EXPECT_EQ(e.f1, 1);
  ASSERT_EQ(Parse(same, MeshText(square, {{0, 0}}, {{0, 1, 2, 0, 0, 0, 0, 0}, {0, 3, 2, 0, 0, 0, 0, 0}})),
            Result::kClean);
  EXPECT_TRUE(same.edges.empty());
}

TEST(MeshLoader, TextureVIsFlippedAndTheLightMapSetDefaultsToTheTextureSet) {
  const std::vector<YVector3> triangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  const std::vector<Face> face = {{0, 1, 2, 0, 1, 2, 0, 0}};
  const std::vector<std::pair<float, float>> uvs = {{0.25f, 0.75f}, {1, 0}, {0, 1}};
  YMesh plain, lit;
  ASSERT_EQ(Parse(plain, MeshText(triangle, uvs, face)), Result::kClean);
  EXPECT_FLOAT_EQ(plain.vertices[0].u, 0.25f);
  EXPECT_FLOAT_EQ(plain.vertices[0].v, 0.25f);
  for (const YMeshVertex& v : plain.vertices) {
    EXPECT_EQ(v.lu, v.u);
    EXPECT_EQ(v.lv, v.v);
  }
  ASSERT_EQ(
      Parse(lit, MeshText(triangle, uvs, face, "lightmap a b 2\n0.5 0.5\n0.125 1\ntfaces 1\n0 1 1 0\n")),
      Result::kClean);
  EXPECT_FLOAT_EQ(lit.vertices[0].lu, 0.125f);
  EXPECT_FLOAT_EQ(lit.vertices[0].lv, 0.0f);
  EXPECT_FLOAT_EQ(lit.vertices[2].lv, 0.5f);
}

TEST(MeshLoader, AFaceWithoutAreaHasAZeroNormalAndNoNaNReachesTheVertices) {
  const std::vector<YVector3> line = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
  YMesh mesh;
  ASSERT_EQ(Parse(mesh, MeshText(line, {{0, 0}}, {{0, 1, 2, 0, 0, 0, 0, 0}})), Result::kClean);
  EXPECT_EQ(mesh.faces[0].normal.Length(), 0.0f);
  for (const YMeshVertex& v : mesh.vertices) EXPECT_EQ(NormalOf(v).z, 1.0f);
}

// Each bad file is refused with a line naming the file and the fault; the
// mesh stays empty.
TEST(MeshLoader, BadNumbersCountsAndIndicesRejectTheMesh) {
  const std::string ok = "vertices 3\n0 0 0 1 0 0 0 1 0\ntvertices 1\n0 0\nfaces 1\n";
  const struct {
    std::string text, reason;
  } cases[] = {
      {"mesh m " + ok + "0 1 3 0 0 0 0 0\n", "face vertex index 3"},
      {"mesh m " + ok + "0 -1 2 0 0 0 0 0\n", "face vertex index -1"},
      {"mesh m " + ok + "0 1 2 0 1 0 0 0\n", "face texture vertex index 1"},
      {"mesh m " + ok + "0 1 2 0 0 0 4294967296 0\n", "material number"},
      {"mesh m " + ok + "0 1 2 0 0 0 0 x\n", "expected smoothing mask"},
      {"mesh m vertices 99999999\n0 0 0\n", "vertex count 99999999"},
      {"mesh m vertices -1\n", "vertex count -1"},
      {"mesh m vertices 1\n0 0\n", "expected vertex position"},
      {"mesh m " + ok + "0 1 2 0 0 0 0 0\nlightmap a b 1\n0 0\ntfaces 1\n1 0 0 0\n",
       "light-map face index 1"},
      {"mesh m " + ok + "0 1 2 0 0 0 0 0\nlightmap a b 1\n0 0\ntfaces 1\n0 0 1 0\n",
       "light-map texture index 1"},
      {"mesh m vertices 3\n0 0 0 1 0 0 0 1 0\ntvertices 2\n0 0 1 1\nfaces 1\n0 1 2 0 1 1 0 0\n"
       "lightmap a b 1\n0 0\ntfaces 0\n",
       "no light-map texture vertex 1"},
  };
  for (const auto& c : cases) {
    LogCapture log;
    YMesh mesh;
    EXPECT_EQ(Parse(mesh, c.text), Result::kRejected) << c.text;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.faces.empty() && mesh.positions.empty()) << c.text;
    EXPECT_TRUE(Contains(log.Lines(), "Mesh file test.mes rejected at offset")) << c.text;
    EXPECT_TRUE(Contains(log.Lines(), c.reason)) << c.text;
  }
}

// A wrong section word ends the reading; what came before it stays.
TEST(MeshLoader, AWrongSectionWordIsLoggedAndKeepsWhatWasRead) {
  const std::string start = "vertices 3\n0 0 0 1 0 0 0 1 0\ntvertices 1\n0 0\n";
  const struct {
    std::string text, line;
    std::size_t faces;
  } cases[] = {
      {"meshes m", "Error token: meshes", 0},
      {"", "Error token: ", 0},
      {"mesh m vertex 1 0 0 0", "Error token: vertex", 0},
      {"mesh m " + start + "face 1 0 1 2 0 0 0 0 0", "Error token: face", 0},
      {"mesh m " + start + "faces 1 0 1 2 0 0 0 0 0 lightmap a b 1 0 0 tface 0", "Error token: tface", 1}};
  for (const auto& c : cases) {
    LogCapture log;
    YMesh mesh;
    EXPECT_EQ(Parse(mesh, c.text), Result::kTokenError) << c.text;
    EXPECT_EQ(log.Lines(), std::vector<std::string>{c.line}) << c.text;
    EXPECT_EQ(mesh.faces.size(), c.faces) << c.text;
  }
}

// A fan of `faces` triangles around vertex 0, smoothed as given; with
// `textured` each has a texture vertex of its own at the centre.
std::string Fan(int faces, unsigned mask, bool textured) {
  std::vector<YVector3> vertices = {{0, 0, 0}};
  std::vector<std::pair<float, float>> uvs;
  std::vector<Face> list;
  for (int i = 0; i <= faces; ++i) {
    const float angle = static_cast<float>(i) * 0.09f;
    vertices.emplace_back(std::cos(angle), std::sin(angle), 0.0f);
  }
  for (int i = 0; i < faces; ++i) {
    uvs.emplace_back(static_cast<float>(i) / 100, 0.0f);
    list.push_back({0, i + 1, i + 2, textured ? i : 0, 0, 0, 0, mask});
  }
  return MeshText(vertices, uvs, list);
}

// Going over a limit refuses the mesh with the limit's own line; the
// program goes on.
TEST(MeshLoader, LimitsOfFacesPerCornerAndVerticesPerPositionRejectTheMesh) {
  const struct {
    int faces;
    bool textured;
    const char* line;  // empty: loads
  } cases[] = {{64, false, ""},
               {65, false, "Error, MAX_FACES_PER_NORMAL = 65  is small"},
               {20, true, ""},
               {21, true, "Error, MAX_VERT_IDX = 20  is small"}};
  for (const auto& c : cases) {
    LogCapture log;
    YMesh mesh;
    const Result result = Parse(mesh, Fan(c.faces, 1, c.textured));
    if (*c.line == '\0') {
      EXPECT_EQ(result, Result::kClean) << c.faces;
      EXPECT_TRUE(log.Lines().empty()) << c.faces;
      continue;
    }
    EXPECT_EQ(result, Result::kRejected) << c.faces;
    EXPECT_EQ(log.Lines(), std::vector<std::string>{c.line});
    EXPECT_TRUE(mesh.vertices.empty());
  }
}

// ---- Loading by name ---------------------------------------------------------------

class MeshFileTest : public ::testing::Test {
 protected:
  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_{dir_.Path()};
};

TEST_F(MeshFileTest, TheFirstLoadCompilesBesideTheTextAndLaterLoadsReadOnlyThat) {
  fs::create_directory("mesh");
  testing_support::WriteFile("mesh/cube.mes", CubeText(1));
  YMesh first, second;
  {
    LogCapture log;
    YMeshLoader::LoadFile(first, "mesh\\cube.mes");
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Load mesh file mesh\\cube.mes"});
  }
  ASSERT_TRUE(fs::exists("mesh/cube.meb"));
  EXPECT_FALSE(fs::exists("mesh/cube.meb.tmp"));
  fs::remove("mesh/cube.mes");  // the compiled file is all a later load needs
  {
    LogCapture log;
    YMeshLoader::LoadFile(second, "mesh\\cube.mes");
    EXPECT_TRUE(log.Lines().empty());
  }
  EXPECT_TRUE(first.loaded && second.loaded);
  EXPECT_EQ(second.name, "mesh\\cube.mes");
  MemoryOutStream a, b;
  first.WriteCompiled(a);
  second.WriteCompiled(b);
  EXPECT_EQ(a.Bytes(), b.Bytes());
}

// A misspelt name or a broken text must not leave a compiled file behind
// that would hold an empty mesh for ever.
TEST_F(MeshFileTest, NoCompiledFileIsWrittenUnlessTheParseWasClean) {
  testing_support::WriteFile("broken.mes", "mesh m vertices 1 0 0 0 tvertices 0 face 0");
  const struct {
    const char* name;
    const char* line;
  } cases[] = {{"missing.mes", "Error token: "}, {"broken.mes", "Error token: face"}};
  for (const auto& c : cases) {
    LogCapture log;
    YMesh mesh;
    YMeshLoader::LoadFile(mesh, c.name);
    EXPECT_TRUE(Contains(log.Lines(), c.line)) << c.name;
    EXPECT_TRUE(mesh.faces.empty());
    EXPECT_FALSE(fs::exists(YMeshLoader::CompiledName(c.name, "meb"))) << c.name;
  }
  testing_support::WriteFile("missing.mes", CubeText(0));  // fixed: loads now
  YMesh mesh;
  YMeshLoader::LoadFile(mesh, "missing.mes");
  EXPECT_EQ(mesh.faces.size(), 12u);
}

TEST_F(MeshFileTest, ADamagedCompiledFileIsRefusedAndTheTextParsedAndCompiledAgain) {
  testing_support::WriteFile("cube.mes", CubeText(0));
  testing_support::WriteFile("cube.meb", std::string("\x08\x00"
                                                     "cube.mes"
                                                     "\xff\xff\xff\x7f",
                                                     14));
  LogCapture log;
  YMesh mesh;
  YMeshLoader::LoadFile(mesh, "cube.mes");
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Compiled mesh cube.meb rejected: bad or truncated vertices",
                                      "Load mesh file cube.mes"}));
  EXPECT_EQ(mesh.vertices.size(), 36u);
  EXPECT_GT(fs::file_size("cube.meb"), 1000u);
}

TEST_F(MeshFileTest, AFailedWriteKeepsTheParsedMesh) {
  testing_support::WriteFile("cube.mes", CubeText(0));
  fs::create_directory("cube.meb.tmp");  // nothing can be written there
  LogCapture log;
  YMesh mesh;
  YMeshLoader::LoadFile(mesh, "cube.mes");
  EXPECT_TRUE(Contains(log.Lines(), "Could not write compiled mesh cube.meb"));
  EXPECT_EQ(mesh.vertices.size(), 36u);
  EXPECT_TRUE(mesh.loaded);
  EXPECT_FALSE(fs::exists("cube.meb"));
}

TEST_F(MeshFileTest, OtherNamesAreReadAsCompiledFilesAndShortNamesAreNotCut) {
  EXPECT_EQ(YMeshLoader::CompiledName("mesh\\piece.mes", "meb"), "mesh\\piece.meb");
  EXPECT_EQ(YMeshLoader::CompiledName("ab", "meb"), "abmeb");
  EXPECT_EQ(YMeshLoader::CompiledName("", "mab"), "mab");
  LogCapture log;
  YMesh mesh;
  YMeshLoader::LoadFile(mesh, "ab");
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Compiled mesh abmeb rejected: cannot be opened"});
  EXPECT_FALSE(mesh.loaded);
}

}  // namespace
