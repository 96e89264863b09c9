#include "render/YCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/render/RecordingRender.h"

namespace {

void ExpectNear(const YVector3& actual, const YVector3& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// ---- The default camera ------------------------------------------------------

TEST(YCameraDefaults, EyeReadsBackFromThePlacement) {
  YCamera camera;
  ExpectNear(camera.Eye(), YVector3(0, -15, 52));
}

TEST(YCameraDefaults, ViewPutsTheTargetOnTheNegativeZAxis) {
  YCamera camera;
  const YVector3 target = camera.View().TransformPoint(YVector3(0, -1.5f, 0));
  EXPECT_NEAR(target.x, 0, 1e-4f);
  EXPECT_NEAR(target.y, 0, 1e-4f);
  EXPECT_NEAR(target.z, -std::sqrt(13.5f * 13.5f + 52.0f * 52.0f), 1e-3f);
  EXPECT_NEAR(target.z, -53.72f, 0.01f);
}

TEST(YCameraDefaults, ReferencePointIsTheViewTranslation) {
  YCamera camera;
  ExpectNear(camera.ReferencePoint(), YVector3(0, 1.45f, -54.1f), 0.05f);
}

TEST(YCameraDefaults, AxesAndCornersAreTheCameraAxesInTheWorld) {
  YCamera camera;
  ExpectNear(camera.Right(), YVector3(1, 0, 0));
  ExpectNear(camera.Up(), YVector3(0, 52.0f / 53.7238f, 13.5f / 53.7238f));
  ExpectNear(camera.CornerRightUp(), YVector3(1, 0.9679f, 0.2513f));
  ExpectNear(camera.CornerRightDown(), YVector3(1, -0.9679f, -0.2513f));
}

TEST(YCameraDefaults, ProjectionMapsNearAndFarToTheDepthRange) {
  YCamera camera;
  const YMatrix4& p = camera.Projection();
  const float t = std::tan(15.0f * 3.14159265f / 360.0f);
  EXPECT_FLOAT_EQ(camera.TanHalfFov(), t);
  EXPECT_FLOAT_EQ(p.m[0][0], 1.0f / (1.6f * t));
  EXPECT_FLOAT_EQ(p.m[1][1], 1.0f / t);
  EXPECT_EQ(p.m[2][3], -1.0f);
  EXPECT_EQ(p.m[3][3], 0.0f);
  // Depth / w at z = -near is -1, at z = -far +1.
  for (const auto& [z, ndc] : {std::pair{-10.0f, -1.0f}, std::pair{-200.0f, 1.0f}}) {
    const float depth = z * p.m[2][2] + p.m[3][2];
    const float w = z * p.m[2][3];
    EXPECT_NEAR(depth / w, ndc, 1e-5f);
  }
}

// ---- Changing the camera ------------------------------------------------------

TEST(YCameraSettings, SameAspectDoesNotRebuildTheProjection) {
  YCamera camera;
  camera.SetFov(30.0f);  // takes effect only with the next rebuild
  const YMatrix4 before = camera.Projection();
  camera.SetAspect(1.6f);
  EXPECT_EQ(std::memcmp(&before, &camera.Projection(), sizeof(YMatrix4)), 0);
  camera.SetAspect(2.0f);
  EXPECT_FLOAT_EQ(camera.Projection().m[1][1], 1.0f / std::tan(30.0f * 3.14159265f / 360.0f));
  EXPECT_FLOAT_EQ(camera.Projection().m[0][0], camera.Projection().m[1][1] / 2.0f);
}

TEST(YCameraSettings, DegenerateAspectAndFovAreIgnored) {
  YCamera camera;
  const YMatrix4 before = camera.Projection();
  camera.SetAspect(0.0f);
  camera.SetAspect(-1.0f);
  camera.SetAspect(NAN);
  camera.SetFov(0.0f);
  camera.SetFov(180.0f);
  EXPECT_EQ(camera.Aspect(), 1.6f);
  EXPECT_EQ(camera.Fov(), 15.0f);
  EXPECT_EQ(std::memcmp(&before, &camera.Projection(), sizeof(YMatrix4)), 0);
  for (const auto& row : camera.Projection().m) {
    for (float value : row) EXPECT_TRUE(std::isfinite(value));
  }
}

TEST(YCameraSettings, LightDirectionIsNormalised) {
  YCamera camera;
  ExpectNear(camera.LightDirection(), YVector3(0.2182f, -0.4364f, -0.8729f));
  const YVector3& stored = camera.SetLightDirection(YVector3(0, 0, -2));
  ExpectNear(stored, YVector3(0, 0, -1), 0);
  ExpectNear(camera.LightDirection(), YVector3(0, 0, -1), 0);
}

TEST(YCameraSettings, SetViewStoresTheInverseOfThePlacement) {
  YCamera camera;
  const YVector3 eye(3, 4, 5);
  camera.SetView(YCamera::LookAtPlacement(eye, YVector3(3, 4, 0), YVector3(0, 1, 0)));
  ExpectNear(camera.Eye(), eye);
  // Looking down -z from (3, 4, 5): the view is a plain translation.
  ExpectNear(camera.ReferencePoint(), YVector3(-3, -4, -5));
  ExpectNear(camera.View().TransformPoint(YVector3(3, 4, 0)), YVector3(0, 0, -5));
}

TEST(YCameraSettings, ApplyHandsProjectionAndViewToTheRenderer) {
  RecordingRender render;
  YCamera camera;
  camera.Apply();
  ASSERT_EQ(render.Texts(), (std::vector<std::string>{"SetViewProjection", "SetWorldTransform"}));
  const std::vector<float>& floats = render.calls[0].floats;
  ASSERT_EQ(floats.size(), 32u);
  EXPECT_EQ(std::memcmp(floats.data(), &camera.Projection(), sizeof(YMatrix4)), 0);
  EXPECT_EQ(std::memcmp(floats.data() + 16, &camera.View(), sizeof(YMatrix4)), 0);
  const YMatrix4 identity;
  EXPECT_EQ(std::memcmp(render.calls[1].floats.data(), &identity, sizeof(YMatrix4)), 0);
}

TEST(YCameraSettings, ApplyWithoutRendererDoesNothing) {
  ASSERT_EQ(g_render, nullptr);
  GetCamera().Apply();
}

}  // namespace
