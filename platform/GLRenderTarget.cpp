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
  GL().BindRenderbuffer(GL_RENDERBUFFER, target->depthStencil_.Name());
  GL().RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  GL().BindRenderbuffer(GL_RENDERBUFFER, 0);
  target->Bind();
  GL().FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target->colour_.Name(), 0);
  GL().FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                               target->depthStencil_.Name());
  const bool complete = GL().CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  BindBackBuffer();
  if (!complete) return nullptr;
  // A copy the back buffer cannot take (its depth-stencil format differs)
  // shows now rather than at every frame.
  while (glGetError() != GL_NO_ERROR) {
  }
  target->CopyColourToBackBuffer();
  target->CopyDepthStencilToBackBuffer();
  return glGetError() == GL_NO_ERROR ? std::move(target) : nullptr;
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
  Copy(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, 0, 0, width_, height_);
}

void GLRenderTarget::CopyDepthStencilToBackBuffer(int x, int y, int width, int height) const {
  Copy(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, x, y, width, height);
}

void GLRenderTarget::Copy(unsigned buffers, int x, int y, int width, int height) const {
  GL().BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.Name());
  GL().BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  GL().BlitFramebuffer(x, y, x + width, y + height, x, y, x + width, y + height, buffers, GL_NEAREST);
  BindBackBuffer();
}

}  // namespace platform
