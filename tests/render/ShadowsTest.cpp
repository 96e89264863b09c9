// Shadow volumes: which edges cast, how they are extruded and sorted by the
// eye, when shadows are on, and the three drawing passes through the
// recording renderer with the program's own pass shaders.
#include "render/Shadows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "render/YCamera.h"
#include "render/YShader.h"
#include "tests/render/RecordingRender.h"

namespace {

const YVector3 kEye(0, -15, 52);

YVector3 DefaultLight() {
  YVector3 light(0.25f, -0.5f, -1.0f);
  light.Normalize();
  return light;
}

YVector3 Plus(const YVector3& a, const YVector3& b) { return YVector3(a.x + b.x, a.y + b.y, a.z + b.z); }

void ExpectPoints(const std::vector<YVector3>& actual, const std::vector<YVector3>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_FLOAT_EQ(actual[i].x, expected[i].x) << i;
    EXPECT_FLOAT_EQ(actual[i].y, expected[i].y) << i;
    EXPECT_FLOAT_EQ(actual[i].z, expected[i].z) << i;
  }
}

std::size_t PointCount(const ShadowVolumes& v) { return v.Front().size() + v.Back().size(); }

// ---- Extrusion and sorting ---------------------------------------------------

TEST(ShadowVolumes, EndsBelowHalfAUnitCastNothing) {
  ShadowVolumes volumes;
  volumes.AddEdge({0, 0, -0.6f}, {1, 0, 0}, DefaultLight(), kEye);
  volumes.AddEdge({0, 0, 0}, {1, 0, -0.6f}, DefaultLight(), kEye);
  EXPECT_EQ(PointCount(volumes), 0u);
  volumes.AddEdge({0, 0, -0.5f}, {1, 0, -0.5f}, DefaultLight(), kEye);
  EXPECT_EQ(PointCount(volumes), 6u);
}

TEST(ShadowVolumes, GroundEdgeIsExtrudedOneLightLength) {
  const YVector3 light = DefaultLight();
  const YVector3 a(0, 0, 0), b(1, 2, 0);
  ShadowVolumes volumes;
  volumes.AddEdge(a, b, light, kEye);
  const YVector3 a2 = Plus(a, light), b2 = Plus(b, light);
  ExpectPoints(volumes.Front().empty() ? volumes.Back() : volumes.Front(), {a, b, b2, a, b2, a2});
}

TEST(ShadowVolumes, RaisedEndsReachTheLightsHeight) {
  const YVector3 light = DefaultLight();
  ShadowVolumes volumes;
  volumes.AddEdge({0, 0, 1}, {1, 0, 2}, light, kEye);
  const std::vector<YVector3>& points = volumes.Back();
  ASSERT_EQ(points.size(), 6u);
  EXPECT_EQ(points[2].z, light.z);
  EXPECT_EQ(points[5].z, light.z);
  // Moved along the light: (p' - p) is parallel to it.
  const float t = (points[5].z - 1.0f) / light.z;
  EXPECT_FLOAT_EQ(points[5].x, light.x * t);
  EXPECT_FLOAT_EQ(points[5].y, light.y * t);
}

TEST(ShadowVolumes, FacesAreSortedByTheEye) {
  ShadowVolumes volumes;
  // Normal (1, 0, 0) x light points up the y axis, away from the eye.
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, DefaultLight(), kEye);
  EXPECT_EQ(volumes.Back().size(), 6u);
  EXPECT_TRUE(volumes.Front().empty());
  volumes.AddEdge({1, 0, 0}, {0, 0, 0}, DefaultLight(), kEye);
  EXPECT_EQ(volumes.Front().size(), 6u);
  // Seen exactly edge-on the face counts as a back face.
  volumes.Clear();
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, DefaultLight(), {2, 0, 0});
  EXPECT_EQ(volumes.Back().size(), 6u);
}

TEST(ShadowVolumes, LightThatDoesNotPointDownCastsNothing) {
  ShadowVolumes volumes;
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, {0.6f, 0.8f, 0}, kEye);
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, kEye);
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, {0, 0.6f, 0.8f}, kEye);
  EXPECT_EQ(PointCount(volumes), 0u);
}

TEST(ShadowVolumes, RepeatedEdgesAppendAndClearingKeepsStorage) {
  ShadowVolumes volumes;
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, DefaultLight(), kEye);
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, DefaultLight(), kEye);
  ASSERT_EQ(volumes.Back().size(), 12u);
  ExpectPoints({volumes.Back().begin(), volumes.Back().begin() + 6}, {volumes.Back().begin() + 6, volumes.Back().end()});
  const std::size_t capacity = volumes.Back().capacity();
  volumes.Clear();
  EXPECT_EQ(PointCount(volumes), 0u);
  EXPECT_EQ(volumes.Back().capacity(), capacity);
}

TEST(ShadowEdges, AddShadowEdgeUsesTheCamerasLightAndEye) {
  ClearShadowVolumes();
  const YCamera& camera = GetCamera();
  ShadowVolumes expected;
  for (const auto& [a, b] : {std::pair{YVector3(0, 0, 0), YVector3(1, 0, 0)},
                            std::pair{YVector3(1, 0, 0.5f), YVector3(0, 0, 0.5f)}}) {
    AddShadowEdge(a, b);
    expected.AddEdge(a, b, camera.LightDirection(), camera.Eye());
  }
  ExpectPoints(GetShadowVolumes().Front(), expected.Front());
  ExpectPoints(GetShadowVolumes().Back(), expected.Back());
  EXPECT_EQ(GetShadowVolumes().Front().size(), 6u);
  EXPECT_EQ(GetShadowVolumes().Back().size(), 6u);
  ClearShadowVolumes();
  EXPECT_EQ(PointCount(GetShadowVolumes()), 0u);
}

// ---- Switching and drawing ---------------------------------------------------

class ShadowDrawTest : public ::testing::Test {
 protected:
  ShadowDrawTest() { ClearShadowVolumes(); }
  ~ShadowDrawTest() override {
    GetInit().shadows = savedOption_;
    ClearShadowVolumes();
  }

  // The index of the first call with that text after `from`, or the end.
  std::size_t Find(const std::string& text, std::size_t from = 0) const {
    const std::vector<std::string> texts = render_.Texts();
    const auto it = std::find(texts.begin() + static_cast<std::ptrdiff_t>(std::min(from, texts.size())),
                              texts.end(), text);
    return static_cast<std::size_t>(it - texts.begin());
  }

  bool savedOption_ = GetInit().shadows;
  RecordingRender render_;
};

TEST(ShadowSwitch, OffWithoutARenderer) {
  ASSERT_EQ(g_render, nullptr);
  EXPECT_FALSE(ShadowsEnabled());
  DrawShadows();  // must not reach for a renderer
}

TEST_F(ShadowDrawTest, NeedBothTheOptionAndAStencilBuffer) {
  GetInit().shadows = true;
  render_.stencil = false;
  EXPECT_FALSE(ShadowsEnabled());
  render_.stencil = true;
  EXPECT_TRUE(ShadowsEnabled());
  GetInit().shadows = false;
  EXPECT_FALSE(ShadowsEnabled());
}

TEST_F(ShadowDrawTest, DrawsOnlyWhenEnabledAndOnlyNonEmptyLists) {
  GetInit().shadows = true;
  render_.stencil = false;
  GetShadowVolumes().AddEdge({0, 0, 0}, {1, 0, 0}, DefaultLight(), kEye);
  DrawShadows();
  EXPECT_TRUE(render_.calls.empty());
  render_.stencil = true;
  ClearShadowVolumes();
  DrawShadows();
  EXPECT_TRUE(render_.calls.empty());
  // An empty list skips its pass; the quad still darkens.
  GetShadowVolumes().AddEdge({1, 0, 0}, {0, 0, 0}, DefaultLight(), kEye);  // front only
  DrawShadows();
  EXPECT_EQ(render_.Matching("DrawTriangles"), std::vector<std::string>{"DrawTriangles 2"});
  EXPECT_EQ(render_.Count("DrawScreenQuad"), 1u);
}

TEST_F(ShadowDrawTest, BackFacesThenFrontFacesThenTheDarkeningQuad) {
  LoadShaders(QV_SOURCE_DIR "/content/data/shaders.yml");
  GetInit().shadows = true;
  render_.stencil = true;
  ShadowVolumes& volumes = GetShadowVolumes();
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, DefaultLight(), kEye);  // back
  volumes.AddEdge({1, 0, 0}, {0, 0, 0}, DefaultLight(), kEye);  // front
  volumes.AddEdge({1, 1, 0}, {0, 1, 0}, DefaultLight(), kEye);  // front
  DrawShadows();

  // The pass shaders of the file: stencil pass op incr (7), then decr (8),
  // then the compare function notequal (6) of the quad.
  const std::size_t world = Find("SetWorldTransform");
  const std::size_t incr = Find("SetRenderState 11 7", world);
  const std::size_t back = Find("DrawTriangles 2", incr);
  const std::size_t decr = Find("SetRenderState 11 8", back);
  const std::size_t front = Find("DrawTriangles 4", decr);
  const std::size_t notEqual = Find("SetRenderState 12 6", front);
  const std::size_t quad = Find("DrawScreenQuad", notEqual);
  ASSERT_LT(quad, render_.calls.size()) << ::testing::PrintToString(render_.Texts());
  EXPECT_EQ(render_.Count("DrawTriangles"), 2u);
  EXPECT_EQ(render_.Count("DrawScreenQuad"), 1u);
  EXPECT_EQ(render_.currentShader, GetShader("shadowPass3"));

  const std::vector<float> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(render_.calls[world].floats, identity);
  std::vector<float> backFloats;
  for (const YVector3& p : volumes.Back()) backFloats.insert(backFloats.end(), {p.x, p.y, p.z});
  EXPECT_EQ(render_.calls[back].floats, backFloats);
  // The quad's material (its darkening colour) was sent before it.
  const auto materials = render_.CallsMatching("ApplyMaterial");
  ASSERT_FALSE(materials.empty());
  EXPECT_FLOAT_EQ(materials.back()->floats[3], GetShader("shadowPass3")->material.diffuse.a);
}

}  // namespace
