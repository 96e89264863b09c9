// The world, view and projection transforms on OpenGL's fixed-function
// matrices. Matrices arrive row-vector style; their floats load into OpenGL
// unchanged. The model-view matrix is world x view, and the light's
// direction is re-sent with the view loaded whenever the view changes.
#pragma once

#include "platform/DeviceTypes.h"

namespace platform {

class GLLighting;

class GLTransforms {
 public:
  // `clipControl`: OpenGL already maps clip z 0..w to depth 0..1 (clip
  // control is on); otherwise projections are remapped to OpenGL's -w..w.
  // Starts with identities. With the context current.
  GLTransforms(GLLighting& lighting, bool clipControl);

  void SetWorld(const Matrix16& world);
  void SetView(const Matrix16& view);
  void SetProjection(const Matrix16& projection);
  // Sends the light's direction through the current view (after SetLight).
  void ReissueLight();

 private:
  void LoadModelView(bool issueLight);

  GLLighting& lighting_;
  bool clipControl_;
  Matrix16 world_, view_;
};

}  // namespace platform
