// The camera: the default placement (eye, target, reference point) and the
// settings that rebuild its view and projection.
#include "render/YCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

void ExpectNear(const YVector3& actual, const YVector3& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool SameMatrix(const YMatrix4& a, const YMatrix4& b) {
  return std::memcmp(&a, &b, sizeof(YMatrix4)) == 0;
}

// The eye reads back from the placement; the view puts the target on the
// negative z axis, and its translation is the reference point.
TEST(YCameraDefaults, EyeTargetAndReferencePoint) {
  YCamera camera;
  ExpectNear(camera.Eye(), YVector3(0, -15, 52));
  ExpectNear(camera.View().TransformPoint(YVector3(0, -1.5f, 0)),
             YVector3(0, 0, -std::sqrt(13.5f * 13.5f + 52.0f * 52.0f)), 1e-3f);
  ExpectNear(camera.ReferencePoint(), YVector3(0, 1.45f, -54.1f), 0.05f);
  ExpectNear(camera.Up(), YVector3(0, 52.0f / 53.7238f, 13.5f / 53.7238f));
  ExpectNear(camera.CornerRightDown(), YVector3(1, -0.9679f, -0.2513f));
  ExpectNear(camera.LightDirection(), YVector3(0.2182f, -0.4364f, -0.8729f));
}

TEST(YCameraSettings, OnlyANewValidAspectRebuildsTheProjection) {
  YCamera camera;
  const YMatrix4 before = camera.Projection();
  camera.SetFov(30.0f);  // takes effect only with the next rebuild
  camera.SetAspect(1.6f);
  camera.SetAspect(0.0f);
  camera.SetAspect(NAN);
  camera.SetFov(180.0f);
  EXPECT_TRUE(SameMatrix(before, camera.Projection()));
  camera.SetAspect(2.0f);
  EXPECT_FLOAT_EQ(camera.Projection().m[1][1], 1.0f / std::tan(30.0f * 3.14159265f / 360.0f));
  EXPECT_FLOAT_EQ(camera.Projection().m[0][0], camera.Projection().m[1][1] / 2.0f);
}

TEST(YCameraSettings, SetViewStoresTheInverseOfThePlacementAndTheLightIsNormalised) {
  YCamera camera;
  camera.SetView(YCamera::LookAtPlacement(YVector3(3, 4, 5), YVector3(3, 4, 0), YVector3(0, 1, 0)));
  ExpectNear(camera.Eye(), YVector3(3, 4, 5));
  ExpectNear(camera.ReferencePoint(), YVector3(-3, -4, -5));  // looking down -z: a plain translation
  ExpectNear(camera.View().TransformPoint(YVector3(3, 4, 0)), YVector3(0, 0, -5));
  ExpectNear(camera.SetLightDirection(YVector3(0, 0, -2)), YVector3(0, 0, -1), 0);
}

}  // namespace
