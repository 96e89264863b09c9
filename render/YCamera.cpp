#include "render/YCamera.h"

#include <algorithm>
#include <cmath>

#include "render/YRender.h"

namespace {

YVector3 Row(const YMatrix4& matrix, int row) {
  return YVector3(matrix.m[row][0], matrix.m[row][1], matrix.m[row][2]);
}

}  // namespace

YCamera::YCamera() {
  SetFov(15.0f);
  SetView(LookAtPlacement(YVector3(0, -15, 52), YVector3(0, -1.5f, 0), YVector3(0, 1, 0)));
  SetLightDirection(YVector3(0.25f, -0.5f, -1.0f));
  SetAspect(1.6f);
}

YMatrix4 YCamera::LookAtPlacement(const YVector3& eye, const YVector3& target, const YVector3& up) {
  YVector3 z, x, y;
  eye.Subtract(z, target);
  z.Normalize();
  x.Cross(up, z);
  x.Normalize();
  y.Cross(z, x);
  y.Normalize();
  // The placement's rows are the camera's axes in world space, then the eye.
  YMatrix4 placement;
  const YVector3 rows[4] = {x, y, z, eye};
  for (int r = 0; r < 4; ++r) {
    placement.m[r][0] = rows[r].x;
    placement.m[r][1] = rows[r].y;
    placement.m[r][2] = rows[r].z;
  }
  return placement;
}

void YCamera::SetFov(float degrees) {
  if (!(degrees > 0.0f && degrees < 180.0f)) return;
  fov_ = degrees;
  tanHalfFov_ = std::tan(degrees * 3.14159265f / 360.0f);
}

void YCamera::SetAspect(float aspect) {
  if (!(aspect > 0.0f) || !std::isfinite(aspect) || aspect == aspect_) return;
  aspect_ = aspect;
  BuildProjection();
}

void YCamera::BuildProjection() {
  const float t = tanHalfFov_;
  const float n = near_;
  const float f = far_;
  for (auto& row : projection_.m) {
    for (float& value : row) value = 0;
  }
  projection_.m[0][0] = 1.0f / (aspect_ * t);
  projection_.m[1][1] = 1.0f / t;
  projection_.m[2][2] = -(f + n) / (f - n);
  projection_.m[2][3] = -1.0f;
  projection_.m[3][2] = -2.0f * n * f / (f - n);
}

void YCamera::SetView(const YMatrix4& placement) {
  placement_ = placement;
  placement_.Inverse(view_);
  right_.Set(view_.m[0][0], view_.m[1][0], view_.m[2][0]);
  up_.Set(view_.m[0][1], view_.m[1][1], view_.m[2][1]);
  right_.Add(rightPlusUp_, up_);
  right_.Subtract(rightMinusUp_, up_);
}

const YVector3& YCamera::SetLightDirection(const YVector3& direction) {
  light_ = direction;
  light_.Normalize();
  return light_;
}

void YCamera::Apply() const {
  if (!g_render) return;
  g_render->SetViewProjection(projection_, view_);
  g_render->SetWorldTransform(YMatrix4());
}

void YCamera::CursorRay(float x, float y, YVector3& origin, YVector3& direction) const {
  // The projection scales x and y alike in the view frame, whose y runs
  // over the aspect's share of x.
  const float scale = projection_.m[0][0];
  const YVector3 local(x / scale, y / scale, -1.0f);
  const YMatrix4& p = placement_;
  direction.Set(local.x * p.m[0][0] + local.y * p.m[1][0] + local.z * p.m[2][0],
                local.x * p.m[0][1] + local.y * p.m[1][1] + local.z * p.m[2][1],
                local.x * p.m[0][2] + local.y * p.m[1][2] + local.z * p.m[2][2]);
  direction.Normalize();
  origin = Eye();
}

YVector3 YCamera::Eye() const {
  return Row(placement_, 3);
}

YVector3 YCamera::ReferencePoint() const {
  return Row(view_, 3);
}

YMatrix4 YCamera::ViewProjection() const {
  YMatrix4 viewProjection;
  projection_.Multiply(viewProjection, view_);
  return viewProjection;
}

bool YCamera::WidenClipBounds(const std::vector<YVector3>& points, const YMatrix4& m, float bounds[4]) {
  for (const YVector3& p : points) {
    const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
    if (!(w > 1e-6f)) return false;
    const float x = (p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0]) / w;
    const float y = (p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1]) / w;
    bounds[0] = std::min(bounds[0], x);
    bounds[1] = std::min(bounds[1], y);
    bounds[2] = std::max(bounds[2], x);
    bounds[3] = std::max(bounds[3], y);
  }
  return true;
}

YCamera& GetCamera() {
  static YCamera camera;
  return camera;
}
