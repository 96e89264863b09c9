#include "platform/GLRenderTarget.h"

#include "platform/GLFunctions.h"

namespace platform {

std::unique_ptr<GLRenderTarget> GLRenderTarget::Create(int width, int height,
                                                       std::weak_ptr<const void> contextToken) {
  if (!GL().HasFramebuffers() || width < 1 || height < 1) return nullptr;
  std::unique_ptr<GLRenderTarget> target(new GLRenderTarget);
  target->width_ = width;
  target->height_ = height;
  target->colour_ = GLObject::Generate(GLObject::Kind::Texture, contextToken);
  target->depthStencil_ = GLObject::Generate(GLObject::Kind::Renderbuffer, contextToken);
  target->framebuffer_ = GLObject::Generate(GLObject::Kind::Framebuffer, contextToken);
  if (!target->colour_ || !target->depthStencil_ || !target->framebuffer_) return nullptr;
  GLint boundTexture = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
  glBindTexture(GL_TEXTURE_2D, target->colour_.Name());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
  target->Bind();
  GL().FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target->colour_.Name(), 0);
  return target->Complete(false) && target->Complete(true) ? std::move(target) : nullptr;
}

// Whether the target, with a depth and stencil buffer or without, is
// complete and its copies go onto the back buffer. With one, a buffer of a
// single pixel is tried and taken away again: a copy the back buffer cannot
// take (its depth-stencil format differs) shows now rather than at every
// frame, and the whole buffer is made only when a picture needs it.
bool GLRenderTarget::Complete(bool withDepthStencil) {
  Bind();
  if (withDepthStencil) StoreDepthStencil(1, 1);
  bool complete = GL().CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  while (glGetError() != GL_NO_ERROR) {
  }
  const unsigned buffers =
      withDepthStencil ? GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT : GL_COLOR_BUFFER_BIT;
  if (complete) Copy(buffers, 0, 0, 1, 1);
  complete = complete && glGetError() == GL_NO_ERROR;
  if (withDepthStencil) {
    Bind();
    StoreDepthStencil(0, 0);
  }
  BindBackBuffer();
  return complete;
}

void GLRenderTarget::AddDepthStencil() {
  Bind();
  if (hasDepthStencil_) return;
  StoreDepthStencil(width_, height_);
  hasDepthStencil_ = true;
}

// Storage of that size for the bound target's depth and stencil buffer,
// attached; none (and detached) for a size of 0.
void GLRenderTarget::StoreDepthStencil(int width, int height) {
  GL().BindRenderbuffer(GL_RENDERBUFFER, depthStencil_.Name());
  GL().RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  GL().BindRenderbuffer(GL_RENDERBUFFER, 0);
  GL().FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                               width > 0 ? depthStencil_.Name() : 0);
}

void GLRenderTarget::Bind() const {
  GL().BindFramebuffer(GL_FRAMEBUFFER, framebuffer_.Name());
}

void GLRenderTarget::BindBackBuffer() {
  GL().BindFramebuffer(GL_FRAMEBUFFER, 0);
}

void GLRenderTarget::CopyColourToBackBuffer() const {
  Copy(GL_COLOR_BUFFER_BIT, 0, 0, width_, height_);
}

void GLRenderTarget::CopyColourToBackBuffer(int x, int y, int width, int height) const {
  Copy(GL_COLOR_BUFFER_BIT, x, y, width, height);
}

void GLRenderTarget::CopyDepthStencilToBackBuffer() const {
  if (hasDepthStencil_) Copy(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, 0, 0, width_, height_);
}

void GLRenderTarget::CopyDepthStencilToBackBuffer(int x, int y, int width, int height) const {
  if (hasDepthStencil_) Copy(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, x, y, width, height);
}

void GLRenderTarget::Copy(unsigned buffers, int x, int y, int width, int height) const {
  GL().BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.Name());
  GL().BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  GL().BlitFramebuffer(x, y, x + width, y + height, x, y, x + width, y + height, buffers, GL_NEAREST);
  BindBackBuffer();
}

}  // namespace platform
