// The device's blending, depth, stencil, culling and scissor states on
// OpenGL. Keeps the values it was given so that it can restore the write
// masks around a clear and re-send the stencil settings as one.
#pragma once

#include <cstdint>

namespace platform {

class GLRenderStates {
 public:
  // Puts OpenGL into the device's initial state: depth test on with
  // less-or-equal and writes, no blending (one, zero), counter-clockwise
  // faces culled, stencil off (keep, always, reference 0, all mask bits).
  // With the context current.
  GLRenderStates();

  // Handles the blend, depth, stencil and cull states (rs::); false for any
  // other state, which is left for someone else.
  bool Set(std::uint32_t state, std::uint32_t value);

  // Clears the buffers named by the GL clear bits with every write mask
  // open, whatever the states say, then restores the masks.
  void ClearAll(std::uint32_t glClearBits) const;

  // Limits draws, clears and copies to a rectangle in OpenGL's window
  // coordinates (rows from the bottom), or lifts the limit (on false).
  void SetScissor(bool on, int x, int y, int width, int height);
  bool Scissored() const { return scissor_; }
  // Lifts the limit for work on the whole buffer, then sets it again.
  void SuspendScissor() const;
  void ResumeScissor() const;

  // Whether draws now test (and so may write) the depth or stencil buffer.
  bool DepthTested() const { return depthTest_; }
  bool StencilTested() const { return stencilTest_; }

 private:
  bool SetBlend(std::uint32_t state, std::uint32_t value);
  bool SetDepth(std::uint32_t state, std::uint32_t value);
  bool SetStencil(std::uint32_t state, std::uint32_t value);
  void SetCull(std::uint32_t value);
  void ApplyStencil() const;

  std::uint32_t srcBlend_, destBlend_;
  bool depthTest_ = true;
  bool depthWrite_ = true;
  bool stencilTest_ = false;
  bool scissor_ = false;
  std::uint32_t stencilFail_, stencilZFail_, stencilPass_, stencilFunc_;
  std::uint32_t stencilRef_ = 0, stencilMask_ = 0xFFFFFFFF, stencilWriteMask_ = 0xFFFFFFFF;
};

}  // namespace platform
