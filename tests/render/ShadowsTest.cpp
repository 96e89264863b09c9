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
const YVector3 kLight(0.2182179f, -0.4364358f, -0.8728716f);  // (0.25, -0.5, -1) normalised

std::vector<float> Floats(const std::vector<YVector3>& points) {
  std::vector<float> out;
  for (const YVector3& p : points) out.insert(out.end(), {p.x, p.y, p.z});
  return out;
}

// Front and back point counts after adding one edge.
std::pair<std::size_t, std::size_t> Cast(YVector3 a, YVector3 b, YVector3 light = kLight,
                                         YVector3 eye = kEye) {
  ShadowVolumes volumes;
  volumes.AddEdge(a, b, light, eye);
  return {volumes.Front().size(), volumes.Back().size()};
}

using Counts = std::pair<std::size_t, std::size_t>;

TEST(ShadowVolumes, WhichEdgesCastAndWhichListTheyGoTo) {
  EXPECT_EQ(Cast({0, 0, -0.6f}, {1, 0, 0}), Counts(0, 0));  // an end below -0.5 casts nothing
  EXPECT_EQ(Cast({0, 0, 0}, {1, 0, -0.6f}), Counts(0, 0));
  EXPECT_EQ(Cast({0, 0, -0.5f}, {1, 0, -0.5f}), Counts(0, 6));
  // The face normal (b - a) x light points away from the eye or towards it.
  EXPECT_EQ(Cast({0, 0, 0}, {1, 0, 0}), Counts(0, 6));
  EXPECT_EQ(Cast({1, 0, 0}, {0, 0, 0}), Counts(6, 0));
  EXPECT_EQ(Cast({0, 0, 0}, {1, 0, 0}, kLight, {2, 0, 0}), Counts(0, 6));  // seen edge-on: a back face
  // A light that does not point down casts nothing.
  for (const YVector3& light : {YVector3(0.6f, 0.8f, 0), YVector3(0, 0, 1), YVector3(0, 0.6f, 0.8f)})
    EXPECT_EQ(Cast({0, 0, 0}, {1, 0, 0}, light), Counts(0, 0));
}

TEST(ShadowVolumes, GroundEdgesMoveOneLightLengthAndRaisedEndsReachTheLightsHeight) {
  const YVector3 l = kLight, a(0, 0, 0), b(1, 2, 0), a2(l.x, l.y, l.z), b2(1 + l.x, 2 + l.y, l.z);
  ShadowVolumes volumes;
  volumes.AddEdge(a, b, l, kEye);
  const std::vector<float> ground = Floats(volumes.Front().empty() ? volumes.Back() : volumes.Front());
  const std::vector<float> expected = Floats({a, b, b2, a, b2, a2});
  ASSERT_EQ(ground.size(), expected.size());
  for (std::size_t i = 0; i < ground.size(); ++i) EXPECT_NEAR(ground[i], expected[i], 1e-6) << i;

  volumes.Clear();
  volumes.AddEdge({0, 0, 1}, {1, 0, 2}, l, kEye);
  const std::vector<YVector3>& raised = volumes.Back();
  ASSERT_EQ(raised.size(), 6u);
  EXPECT_EQ(raised[2].z, l.z);
  EXPECT_EQ(raised[5].z, l.z);
  // Moved along the light: (p' - p) is parallel to it.
  const float t = (raised[5].z - 1.0f) / l.z;
  EXPECT_FLOAT_EQ(raised[5].x, l.x * t);
  EXPECT_FLOAT_EQ(raised[5].y, l.y * t);
}

// The camera's eye, not its reference point, sorts the faces.
TEST(ShadowEdges, AddShadowEdgeUsesTheCamerasLightAndEye) {
  ClearShadowVolumes();
  ShadowVolumes expected;
  AddShadowEdge({1, 0, 0.5f}, {0, 0, 0.5f});
  expected.AddEdge({1, 0, 0.5f}, {0, 0, 0.5f}, GetCamera().LightDirection(), GetCamera().Eye());
  EXPECT_EQ(Floats(GetShadowVolumes().Front()), Floats(expected.Front()));
  EXPECT_EQ(GetShadowVolumes().Front().size(), 6u);
  ClearShadowVolumes();
}

class ShadowDrawTest : public ::testing::Test {
 protected:
  ShadowDrawTest() { ClearShadowVolumes(); }
  ~ShadowDrawTest() override {
    GetInit().shadows = savedOption_;
    ClearShadowVolumes();
  }

  // The index of the first call with that text at or after `from`, or the end.
  std::size_t Find(const std::string& text, std::size_t from = 0) const {
    const std::vector<std::string> texts = render_.Texts();
    return std::find(texts.begin() + static_cast<std::ptrdiff_t>(std::min(from, texts.size())), texts.end(),
                     text) -
           texts.begin();
  }

  bool savedOption_ = GetInit().shadows;
  RecordingRender render_;
};

TEST(ShadowSwitch, OffWithoutARenderer) {
  ASSERT_EQ(g_render, nullptr);
  EXPECT_FALSE(ShadowsEnabled());
  DrawShadows();  // must not reach for a renderer
}

TEST_F(ShadowDrawTest, NeedBothTheOptionAndAStencilBufferAndDrawOnlyNonEmptyLists) {
  GetInit().shadows = true;
  GetShadowVolumes().AddEdge({1, 0, 0}, {0, 0, 0}, kLight, kEye);  // front only
  DrawShadows();                                                   // no stencil buffer
  EXPECT_TRUE(render_.calls.empty());
  GetInit().shadows = false;
  render_.stencil = true;
  EXPECT_FALSE(ShadowsEnabled());
  GetInit().shadows = true;
  DrawShadows();  // the empty back list skips its pass; the quad still darkens
  EXPECT_EQ(render_.Texts("DrawTriangles"), std::vector<std::string>{"DrawTriangles 2"});
  EXPECT_EQ(render_.Count("DrawScreenQuad"), 1u);
}

TEST_F(ShadowDrawTest, BackFacesThenFrontFacesThenTheDarkeningQuad) {
  LoadShaders(QV_SOURCE_DIR "/content/data/shaders.yml");
  GetInit().shadows = true;
  render_.stencil = true;
  ShadowVolumes& volumes = GetShadowVolumes();
  volumes.AddEdge({0, 0, 0}, {1, 0, 0}, kLight, kEye);  // back
  volumes.AddEdge({1, 0, 0}, {0, 0, 0}, kLight, kEye);  // front
  volumes.AddEdge({1, 1, 0}, {0, 1, 0}, kLight, kEye);  // front
  DrawShadows();
  // The pass shaders of the file: stencil pass op incr (7), then decr (8),
  // then the compare function notequal (6) of the quad.
  const std::size_t world = Find("SetWorldTransform");
  const std::size_t back = Find("DrawTriangles 2", Find("SetRenderState 11 7", world));
  const std::size_t front = Find("DrawTriangles 4", Find("SetRenderState 11 8", back));
  ASSERT_LT(Find("DrawScreenQuad", Find("SetRenderState 12 6", front)), render_.calls.size())
      << ::testing::PrintToString(render_.Texts());
  EXPECT_EQ(render_.Count("DrawTriangles"), 2u);
  EXPECT_EQ(render_.calls[world].floats,
            (std::vector<float>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  EXPECT_EQ(render_.calls[back].floats, Floats(volumes.Back()));
  // The quad's material (its darkening colour) was sent before it.
  EXPECT_FLOAT_EQ(render_.CallsMatching("ApplyMaterial").back()->floats[3],
                  GetShader("shadowPass3")->material.diffuse.a);
}

}  // namespace
