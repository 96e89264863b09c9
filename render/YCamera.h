// The camera of the 3D scenes (board battle and tile battle): the
// perspective projection, the camera's placement in the world and the view
// derived from it, and the direction of the scene's light. One camera
// exists, reached through GetCamera(). Main thread only.
#pragma once

#include <vector>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"

class YCamera {
 public:
  // Field of view 15 degrees, aspect 1.6, near 10, far 200; the eye at
  // (0, -15, 52) looking at (0, -1.5, 0) with y up; light (0.25, -0.5, -1)
  // normalised.
  YCamera();

  // The placement (camera-to-world) of a right-handed look-at camera at
  // `eye` facing `target`, with `up` pointing roughly up: what SetView takes.
  static YMatrix4 LookAtPlacement(const YVector3& eye, const YVector3& target, const YVector3& up);

  // Vertical field of view in degrees, in (0, 180); other values are
  // ignored. The projection follows at the next SetAspect that changes it.
  void SetFov(float degrees);
  // Width / height. Rebuilds the projection when the value changes; equal,
  // non-positive and non-finite values change nothing.
  void SetAspect(float aspect);
  // Places the camera (camera-to-world); the view becomes its inverse and
  // the right / up axes and billboard corners follow. A singular placement
  // gives the identity view.
  void SetView(const YMatrix4& placement);
  // Stores the light's direction normalised; returns the stored vector.
  const YVector3& SetLightDirection(const YVector3& direction);
  // Hands projection and view to the renderer and resets its world
  // transform; nothing without a renderer.
  void Apply() const;
  // The projection after the view: world points to clip space (row vectors).
  YMatrix4 ViewProjection() const;
  // Widens `bounds` (left, bottom, right, top) by the clip-space places of
  // the points seen through `viewProjection`; false for a point at or
  // behind the eye's plane (w <= 0), which has no such place.
  static bool WidenClipBounds(const std::vector<YVector3>& points, const YMatrix4& viewProjection,
                              float bounds[4]);
  // The ray from the eye through a view point (x -1..1 left to right, y as
  // the aspect gives, upward), in world space; `direction` is a unit vector.
  void CursorRay(float x, float y, YVector3& origin, YVector3& direction) const;

  const YMatrix4& Projection() const { return projection_; }
  const YMatrix4& Placement() const { return placement_; }
  const YMatrix4& View() const { return view_; }
  // The eye in world space (the placement's translation).
  YVector3 Eye() const;
  // The view's translation: the point the depth-sorted queues measure from.
  YVector3 ReferencePoint() const;
  float Fov() const { return fov_; }
  float TanHalfFov() const { return tanHalfFov_; }
  float FarZ() const { return far_; }
  float NearZ() const { return near_; }
  float Aspect() const { return aspect_; }
  const YVector3& LightDirection() const { return light_; }
  // The camera's x and y axes in world space.
  const YVector3& Right() const { return right_; }
  const YVector3& Up() const { return up_; }
  // Billboard corner offsets: right + up and right - up.
  const YVector3& CornerRightUp() const { return rightPlusUp_; }
  const YVector3& CornerRightDown() const { return rightMinusUp_; }

 private:
  void BuildProjection();

  YMatrix4 projection_;
  YMatrix4 placement_;
  YMatrix4 view_;
  float fov_ = 0;
  float tanHalfFov_ = 0;
  float far_ = 200.0f;
  float near_ = 10.0f;
  float aspect_ = 0;  // 0 until the constructor's SetAspect builds the projection
  YVector3 light_;
  YVector3 right_, up_;
  YVector3 rightPlusUp_, rightMinusUp_;
};

// The scene camera, built on first use (before any scene draws).
YCamera& GetCamera();
