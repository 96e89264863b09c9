// An off-screen colour buffer with its own depth and stencil, the size of
// the back buffer: draws can go to it instead of the back buffer, and it is
// copied onto the back buffer whole (colour, depth and stencil), so a
// picture drawn once can be shown again without drawing it. The depth and
// stencil buffer is made when first needed: a flat picture never holds
// one. Main thread only, with the owning context current.
#pragma once

#include <memory>

#include "platform/GLObject.h"

namespace platform {

class GLRenderTarget {
 public:
  // A target of width x height with a colour texture (and, once added, a
  // 24-bit depth, 8-bit stencil buffer); null when the driver has no frame
  // buffer objects or will not complete or copy one of that shape (a back
  // buffer of another depth-stencil format).
  static std::unique_ptr<GLRenderTarget> Create(int width, int height,
                                                std::weak_ptr<const void> contextToken);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Draws go to the target from now on.
  void Bind() const;
  // Gives the target its depth and stencil buffer unless it has one, for
  // the draws to come; leaves the target bound.
  void AddDepthStencil();
  // Draws go to the back buffer again.
  static void BindBackBuffer();
  // Copy the whole target's colour, or its depth and stencil, onto the
  // back buffer, pixel for pixel, and leave the back buffer bound.
  void CopyColourToBackBuffer() const;
  // Only the rectangle's colour (rows from the bottom), to the same place.
  void CopyColourToBackBuffer(int x, int y, int width, int height) const;
  // Nothing while the target has no depth and stencil buffer.
  void CopyDepthStencilToBackBuffer() const;
  void CopyDepthStencilToBackBuffer(int x, int y, int width, int height) const;

 private:
  GLRenderTarget() = default;
  bool Complete(bool withDepthStencil);
  void StoreDepthStencil(int width, int height);
  void Copy(unsigned buffers, int x, int y, int width, int height) const;

  int width_ = 0, height_ = 0;
  bool hasDepthStencil_ = false;
  GLObject colour_, depthStencil_, framebuffer_;
};

}  // namespace platform
