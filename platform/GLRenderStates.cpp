#include "platform/GLRenderStates.h"

#include <algorithm>

#include "platform/DeviceTypes.h"
#include "platform/GLFunctions.h"

namespace platform {

namespace {

GLenum BlendOf(std::uint32_t value) {
  switch (value) {
    case blend::Zero:
      return GL_ZERO;
    case blend::SrcColor:
      return GL_SRC_COLOR;
    case blend::InvSrcColor:
      return GL_ONE_MINUS_SRC_COLOR;
    case blend::SrcAlpha:
      return GL_SRC_ALPHA;
    case blend::InvSrcAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
    case blend::DestAlpha:
      return GL_DST_ALPHA;
    case blend::InvDestAlpha:
      return GL_ONE_MINUS_DST_ALPHA;
    case blend::DestColor:
      return GL_DST_COLOR;
    case blend::InvDestColor:
      return GL_ONE_MINUS_DST_COLOR;
    case blend::SrcAlphaSat:
      return GL_SRC_ALPHA_SATURATE;
    default:
      return GL_ONE;
  }
}

GLenum CompareOf(std::uint32_t value) {
  switch (value) {
    case cmp::Never:
      return GL_NEVER;
    case cmp::Less:
      return GL_LESS;
    case cmp::Equal:
      return GL_EQUAL;
    case cmp::LessEqual:
      return GL_LEQUAL;
    case cmp::Greater:
      return GL_GREATER;
    case cmp::NotEqual:
      return GL_NOTEQUAL;
    case cmp::GreaterEqual:
      return GL_GEQUAL;
    default:
      return GL_ALWAYS;
  }
}

// Incr and Decr wrap around; the saturating forms are IncrSat and DecrSat.
GLenum StencilOpOf(std::uint32_t value) {
  switch (value) {
    case stencilop::Zero:
      return GL_ZERO;
    case stencilop::Replace:
      return GL_REPLACE;
    case stencilop::IncrSat:
      return GL_INCR;
    case stencilop::DecrSat:
      return GL_DECR;
    case stencilop::Invert:
      return GL_INVERT;
    case stencilop::Incr:
      return GL_INCR_WRAP;
    case stencilop::Decr:
      return GL_DECR_WRAP;
    default:
      return GL_KEEP;
  }
}

void Toggle(GLenum capability, bool on) {
  if (on)
    glEnable(capability);
  else
    glDisable(capability);
}

}  // namespace

GLRenderStates::GLRenderStates()
    : srcBlend_(blend::One),
      destBlend_(blend::Zero),
      stencilFail_(stencilop::Keep),
      stencilZFail_(stencilop::Keep),
      stencilPass_(stencilop::Keep),
      stencilFunc_(cmp::Always) {
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ZERO);
  SetCull(cull::CounterClockwise);
  glDisable(GL_STENCIL_TEST);
  ApplyStencil();
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DITHER);
  glDisable(GL_ALPHA_TEST);
}

bool GLRenderStates::Set(std::uint32_t state, std::uint32_t value) {
  if (state == rs::CullMode) {
    SetCull(value);
    return true;
  }
  return SetBlend(state, value) || SetDepth(state, value) || SetStencil(state, value);
}

bool GLRenderStates::SetBlend(std::uint32_t state, std::uint32_t value) {
  switch (state) {
    case rs::AlphaBlendEnable:
      Toggle(GL_BLEND, value != 0);
      return true;
    case rs::SrcBlend:
      srcBlend_ = value;
      break;
    case rs::DestBlend:
      destBlend_ = value;
      break;
    default:
      return false;
  }
  glBlendFunc(BlendOf(srcBlend_), BlendOf(destBlend_));
  return true;
}

// Any non-zero depth enable (the device also knows 2, depth from w) tests
// depth. As on the device, a disabled test also stops depth writes.
bool GLRenderStates::SetDepth(std::uint32_t state, std::uint32_t value) {
  switch (state) {
    case rs::ZEnable:
      depthTest_ = value != 0;
      Toggle(GL_DEPTH_TEST, depthTest_);
      return true;
    case rs::ZWriteEnable:
      depthWrite_ = value != 0;
      glDepthMask(depthWrite_ ? GL_TRUE : GL_FALSE);
      return true;
    case rs::ZFunc:
      glDepthFunc(CompareOf(value));
      return true;
    default:
      return false;
  }
}

bool GLRenderStates::SetStencil(std::uint32_t state, std::uint32_t value) {
  switch (state) {
    case rs::StencilEnable:
      stencilTest_ = value != 0;
      Toggle(GL_STENCIL_TEST, stencilTest_);
      return true;
    case rs::StencilFail:
      stencilFail_ = value;
      break;
    case rs::StencilZFail:
      stencilZFail_ = value;
      break;
    case rs::StencilPass:
      stencilPass_ = value;
      break;
    case rs::StencilFunc:
      stencilFunc_ = value;
      break;
    case rs::StencilRef:
      stencilRef_ = value;
      break;
    case rs::StencilMask:
      stencilMask_ = value;
      break;
    case rs::StencilWriteMask:
      stencilWriteMask_ = value;
      break;
    default:
      return false;
  }
  ApplyStencil();
  return true;
}

// OpenGL decides the winding in window coordinates, y up, which shows the
// triangle as the screen does; the device's clockwise is clockwise on the
// screen as well. With counter-clockwise front faces, culling clockwise
// triangles is culling back faces.
void GLRenderStates::SetCull(std::uint32_t value) {
  glFrontFace(GL_CCW);
  if (value == cull::Clockwise || value == cull::CounterClockwise) {
    glEnable(GL_CULL_FACE);
    glCullFace(value == cull::Clockwise ? GL_BACK : GL_FRONT);
  } else {
    glDisable(GL_CULL_FACE);
  }
}

void GLRenderStates::ApplyStencil() const {
  // The reference is clamped to what the stencil buffer holds, as OpenGL
  // does with any value, so a huge one cannot turn negative on the way.
  const GLint ref = static_cast<GLint>(stencilRef_ > 0x7FFFFFFF ? 0x7FFFFFFF : stencilRef_);
  glStencilFunc(CompareOf(stencilFunc_), ref, stencilMask_);
  glStencilOp(StencilOpOf(stencilFail_), StencilOpOf(stencilZFail_), StencilOpOf(stencilPass_));
  glStencilMask(stencilWriteMask_);
}

void GLRenderStates::SetScissor(bool on, int x, int y, int width, int height) {
  scissor_ = on;
  Toggle(GL_SCISSOR_TEST, on);
  if (on) glScissor(x, y, std::max(width, 0), std::max(height, 0));
}

void GLRenderStates::SuspendScissor() const {
  if (scissor_) glDisable(GL_SCISSOR_TEST);
}

void GLRenderStates::ResumeScissor() const {
  if (scissor_) glEnable(GL_SCISSOR_TEST);
}

void GLRenderStates::ClearAll(std::uint32_t glClearBits) const {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilMask(0xFFFFFFFF);
  glClear(glClearBits);
  glDepthMask(depthWrite_ ? GL_TRUE : GL_FALSE);
  glStencilMask(stencilWriteMask_);
}

}  // namespace platform
