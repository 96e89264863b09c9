// Meshes in the world on the recording renderer: the mesh cache, scaling,
// the draw calls of instances and references (subsets, shaders, matrices,
// uploads) and the silhouettes they add to the shadow volumes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "render/Shadows.h"
#include "render/YCamera.h"
#include "render/YMesh.h"
#include "render/YMeshCache.h"
#include "render/YMeshInstance.h"
#include "render/YMeshInstanceRef.h"
#include "render/YMeshLoader.h"
#include "render/YShader.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/MeshTestSupport.h"
#include "tests/render/RecordingRender.h"
#include "tests/support/TestSupport.h"

namespace {

using mesh_test::PositionOf;
using Texts = std::vector<std::string>;

std::unique_ptr<YMesh> ParsedMesh(const std::string& text) {
  auto mesh = std::make_unique<YMesh>();
  YMeshLoader("test.mes", text).Parse(*mesh);
  return mesh;
}

bool Near(const YVector3& a, const YVector3& b) {
  return std::fabs(a.x - b.x) < 1e-5f && std::fabs(a.y - b.y) < 1e-5f && std::fabs(a.z - b.z) < 1e-5f;
}

// ---- Cache and scale -------------------------------------------------------------

TEST(MeshCache, ANameLoadsOnceAndAFailedLoadStaysEmptyWithoutRetrying) {
  testing_support::ScopedTempDir dir;
  testing_support::ScopedCwd cwd(dir.Path());
  testing_support::WriteFile("cachetest_cube.mes", mesh_test::CubeText(0));
  LogCapture log;
  YMesh* cube = YMeshCache::Load("cachetest_cube.mes");
  EXPECT_EQ(YMeshCache::Load("cachetest_cube.mes"), cube);
  EXPECT_EQ(YMeshCache::Find("cachetest_cube.mes"), cube);
  EXPECT_EQ(cube->vertices.size(), 36u);
  testing_support::WriteFile("cachetest_CUBE.mes", mesh_test::CubeText(1));
  EXPECT_NE(YMeshCache::Load("cachetest_CUBE.mes"), cube);  // names are case-sensitive

  YMesh* missing = YMeshCache::Load("cachetest_missing.mes");
  testing_support::WriteFile("cachetest_missing.mes", mesh_test::CubeText(0));  // too late
  EXPECT_EQ(YMeshCache::Load("cachetest_missing.mes"), missing);
  EXPECT_TRUE(missing->vertices.empty());
  EXPECT_EQ(YMeshCache::Find("cachetest_other.mes"), nullptr);
  int loads = 0;
  for (const std::string& line : log.Lines()) loads += line.starts_with("Load mesh file") ? 1 : 0;
  EXPECT_EQ(loads, 3);
}

TEST(MeshScale, AMeshScalesFromItsAuthoredPositionsAndInstancesKeepTheirOwnScale) {
  const auto mesh = ParsedMesh(mesh_test::CubeText(0));
  mesh->SetScale(2);
  mesh->SetScale(3);  // not 6
  YMeshInstance unscaled(mesh.get(), 1.0f, 1), doubled(mesh.get(), 2.0f, 1);
  mesh->SetScale(1);  // instances made before keep their copies
  for (std::size_t i = 0; i < mesh->vertices.size(); ++i) {
    const YMeshVertex& v = mesh->vertices[i];
    EXPECT_EQ(unscaled.vertices[i].x, 3 * v.x);
    EXPECT_EQ(doubled.vertices[i].z, 2 * v.z);
    EXPECT_EQ(doubled.vertices[i].nz, v.nz);  // normals and texture coordinates as authored
    EXPECT_EQ(doubled.vertices[i].u, v.u);
  }
}

// ---- Drawing ---------------------------------------------------------------------

class MeshDrawTest : public ::testing::Test {
 protected:
  MeshDrawTest() {
    render.BeginFrame(true);
    render.ClearCalls();
  }

  // The shader current at each subset draw, and the draws themselves.
  std::vector<const void*> ShadersDrawn() const {
    std::vector<const void*> shaders;
    for (const auto* call : render.CallsMatching("DrawIndexedSubset")) shaders.push_back(call->object);
    return shaders;
  }

  RecordingRender render;
  YShader a{"a"}, b{"b"};
  std::unique_ptr<YMesh> mesh = ParsedMesh(mesh_test::TrianglesText({3, 1, 3, 2}));
};

TEST_F(MeshDrawTest, EachSubsetIsDrawnWithItsRangeAndTheShaderOfItsNumberModuloTheList) {
  YMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.castsShadow = 0;
  instance.shaders = {&a, &b};
  instance.Draw();
  EXPECT_EQ(render.Texts("DrawIndexedSubset"),
            (Texts{"DrawIndexedSubset 0 1 0 3", "DrawIndexedSubset 3 1 3 3", "DrawIndexedSubset 6 2 6 6"}));
  EXPECT_EQ(ShadersDrawn(), (std::vector<const void*>{&a, &b, &a}));
  EXPECT_EQ(render.Count("SetWorldTransform"), 1u);

  render.ClearCalls();
  const YColor red(1, 0, 0, 1);
  YShader* const single[] = {&b};
  instance.DrawColored(single, red, false);
  EXPECT_EQ(ShadersDrawn(), (std::vector<const void*>{&b, &b, &b}));
  ASSERT_FALSE(render.CallsMatching("ApplyMaterial").empty());
  EXPECT_EQ(render.CallsMatching("ApplyMaterial").back()->floats[12], 1.0f);  // emissive red

  render.ClearCalls();
  instance.DrawColored({}, red, false);  // no shaders: nothing at all
  instance.shaders.clear();
  instance.Draw();
  EXPECT_TRUE(render.calls.empty());
}

TEST_F(MeshDrawTest, ChangedVerticesAreUploadedOnceBeforeTheNextDraw) {
  YMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.shaders = {&a};
  instance.castsShadow = 0;
  instance.vertices[0].x = 5;
  instance.dirty = true;
  render.ClearCalls();
  instance.Draw();
  instance.Draw();
  EXPECT_EQ(render.Count("UpdateVertexBuffer 12"), 1u);
  EXPECT_EQ(render.Texts()[0], "UpdateVertexBuffer 12");
}

// The object's own matrix acts first, the parent's after it; the current
// shader stays and no vertices are uploaded.
TEST_F(MeshDrawTest, DrawModifiedPlacesTheObjectUnderItsParent) {
  YMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.world.SetTranslation(YVector3(1, 0, 0));
  instance.dirty = true;
  YMatrix4 parent;
  parent.SetRotationZ(90);
  render.SetShader(&b, true);
  render.ClearCalls();
  instance.DrawModified(parent);
  const auto* transform = render.CallsMatching("SetWorldTransform").at(0);
  YMatrix4 applied;
  std::copy(transform->floats.begin(), transform->floats.end(), &applied.m[0][0]);
  EXPECT_TRUE(Near(applied.TransformPoint(YVector3(0, 0, 0)), YVector3(0, 1, 0)));
  EXPECT_EQ(ShadersDrawn(), (std::vector<const void*>{&b, &b, &b}));
  EXPECT_EQ(render.Count("UpdateVertexBuffer"), 0u);

  render.ClearCalls();
  instance.visible = 0;
  instance.DrawModified(parent);
  EXPECT_TRUE(render.calls.empty());
}

TEST_F(MeshDrawTest, ReferencesDrawTheSharedDataWithTheirOwnPlacementAndNothingWithoutIt) {
  YMeshInstance shared(mesh.get(), 1.0f, 1);
  YMeshInstanceRef reference(nullptr, 2);
  render.ClearCalls();
  reference.shaders = {&b};
  reference.castsShadow = 0;
  reference.Draw();
  reference.DrawColored(reference.shaders, YColor(1, 1, 1, 1), true);
  reference.DrawModified(YMatrix4());
  EXPECT_TRUE(render.calls.empty());

  reference.reference = &shared;
  reference.world.SetTranslation(YVector3(0, 0, 7));
  reference.DrawIfEnabled(1);  // no bit in common with its mask 2
  EXPECT_TRUE(render.calls.empty());
  reference.DrawIfEnabled(3);
  EXPECT_EQ(ShadersDrawn(), (std::vector<const void*>{&b, &b, &b}));
  EXPECT_EQ(render.CallsMatching("SetWorldTransform").at(0)->floats[14], 7.0f);
}

// ---- Silhouettes -----------------------------------------------------------------

// Shadows on, the camera's light as given; everything put back afterwards.
class SilhouetteTest : public ::testing::Test {
 protected:
  SilhouetteTest() {
    render.stencil = true;
    GetInit().shadows = true;
    ClearShadowVolumes();
  }
  ~SilhouetteTest() override {
    GetInit().shadows = savedShadows_;
    GetCamera().SetLightDirection(savedLight_);
    ClearShadowVolumes();
  }

  // The edges (a, b) handed to the shadow volumes, in order.
  static std::vector<std::pair<YVector3, YVector3>> Edges() {
    std::vector<std::pair<YVector3, YVector3>> edges;
    for (const auto* list : {&GetShadowVolumes().Front(), &GetShadowVolumes().Back()})
      for (std::size_t i = 0; i + 5 < list->size(); i += 6) edges.emplace_back((*list)[i], (*list)[i + 1]);
    return edges;
  }

  RecordingRender render;
  YShader shader{"s"};

 private:
  bool savedShadows_ = GetInit().shadows;
  YVector3 savedLight_ = GetCamera().LightDirection();
};

// Lit from straight above, the cube's bottom faces look along the light and
// every side face is edge-on (unlit): the four bottom edges cast, wound
// counter-clockwise seen from above.
TEST_F(SilhouetteTest, ACubeLitFromAboveCastsItsFourBottomEdges) {
  GetCamera().SetLightDirection(YVector3(0, 0, -1));
  const auto mesh = ParsedMesh(mesh_test::CubeText(0));
  YMeshInstance cube(mesh.get(), 1.0f, 1);
  cube.shaders = {&shader};
  cube.Draw();
  const auto edges = Edges();
  ASSERT_EQ(edges.size(), 4u);
  const std::vector<std::pair<YVector3, YVector3>> expected = {
      {{0, 0, 0}, {1, 0, 0}}, {{1, 0, 0}, {1, 1, 0}}, {{1, 1, 0}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, 0}}};
  for (const auto& edge : expected) {
    const YVector3& a = edge.first;
    const YVector3& b = edge.second;
    const bool found = std::any_of(edges.begin(), edges.end(),
                                   [&](const auto& e) { return Near(e.first, a) && Near(e.second, b); });
    EXPECT_TRUE(found) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
  }
  ClearShadowVolumes();
  cube.castsShadow = 0;
  cube.Draw();
  GetInit().shadows = false;
  cube.castsShadow = 1;
  cube.Draw();
  EXPECT_TRUE(Edges().empty());
}

// Turning the mesh and the light together gives the same edges, turned.
TEST_F(SilhouetteTest, TurningMeshAndLightTogetherGivesTheSameEdges) {
  const auto mesh = ParsedMesh(mesh_test::CubeText(1));
  YMeshInstance cube(mesh.get(), 1.0f, 1);
  cube.shaders = {&shader};
  const YVector3 light(0.25f, -0.5f, -1.0f);
  GetCamera().SetLightDirection(light);
  cube.Draw();
  const auto still = Edges();
  ASSERT_FALSE(still.empty());
  for (const float degrees : {30.0f, 90.0f, 145.0f, 260.0f}) {
    YMatrix4 turn;
    turn.SetRotationZ(degrees);
    YMatrix4 world = turn;
    world.m[3][0] = 3;
    world.m[3][2] = 0.5f;
    const YVector3 turned = turn.TransformPoint(light);
    GetCamera().SetLightDirection(turned);
    ClearShadowVolumes();
    cube.world = world;
    cube.Draw();
    const auto moved = Edges();
    ASSERT_EQ(moved.size(), still.size()) << degrees;
    std::size_t matched = 0;
    for (const auto& [a, b] : still) {
      const YVector3 a2 = world.TransformPoint(a), b2 = world.TransformPoint(b);
      matched += std::any_of(moved.begin(), moved.end(),
                             [&](const auto& e) { return Near(e.first, a2) && Near(e.second, b2); });
    }
    EXPECT_EQ(matched, still.size()) << degrees;
  }
}

}  // namespace
