#include "platform/GLTransforms.h"

#include "platform/GLFunctions.h"
#include "platform/GLLighting.h"
#include "platform/GLMatrices.h"

namespace platform {

namespace {

constexpr Matrix16 kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The device's camera looks along +z, OpenGL's eye space along -z. OpenGL's
// lighting assumes the latter (a distant viewer lies towards +z), so eye
// space gets z mirrored: model-view = world x view x M, projection =
// M x projection with M = diag(1, 1, -1, 1). Clip coordinates do not change;
// lighting then sees the scene as the device does.
constexpr Matrix16 kMirrorZ{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1};

}  // namespace

GLTransforms::GLTransforms(GLLighting& lighting, bool clipControl)
    : lighting_(lighting), clipControl_(clipControl), world_(kIdentity), view_(kIdentity) {
  SetProjection(kIdentity);
  LoadModelView(true);
}

void GLTransforms::SetWorld(const Matrix16& world) {
  world_ = world;
  LoadModelView(false);
}

void GLTransforms::SetView(const Matrix16& view) {
  view_ = view;
  LoadModelView(true);
}

void GLTransforms::SetProjection(const Matrix16& projection) {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(clipControl_ ? projection.data() : DepthRangeToMinusOneOne(projection).data());
  glMultMatrixf(kMirrorZ.data());
  glMatrixMode(GL_MODELVIEW);
}

void GLTransforms::ReissueLight() {
  LoadModelView(true);
}

// Row vectors: v' = v x world x view x M. OpenGL reads each float array as
// the transpose, so M, then view, then world multiplied on the right give
// (world x view x M) transposed, the same transform. The light goes in
// before the world, so it is transformed as a world-space direction.
void GLTransforms::LoadModelView(bool issueLight) {
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(kMirrorZ.data());
  glMultMatrixf(view_.data());
  if (issueLight) lighting_.IssueLightDirection();
  glMultMatrixf(world_.data());
}

}  // namespace platform
