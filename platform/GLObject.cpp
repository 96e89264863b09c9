#include "platform/GLObject.h"

#include <utility>

#include "platform/GLFunctions.h"

namespace platform {

GLObject GLObject::Generate(Kind kind, std::weak_ptr<const void> contextToken) {
  GLObject object;
  object.kind_ = kind;
  object.context_ = std::move(contextToken);
  GLuint name = 0;
  switch (kind) {
    case Kind::Texture:
      glGenTextures(1, &name);
      break;
    case Kind::Buffer:
      GL().GenBuffers(1, &name);
      break;
    case Kind::Sampler:
      GL().GenSamplers(1, &name);
      break;
    case Kind::Framebuffer:
      GL().GenFramebuffers(1, &name);
      break;
    case Kind::Renderbuffer:
      GL().GenRenderbuffers(1, &name);
      break;
  }
  object.name_ = name;
  return object;
}

GLObject::~GLObject() {
  Release();
}

GLObject::GLObject(GLObject&& other) noexcept
    : kind_(other.kind_), name_(std::exchange(other.name_, 0)), context_(std::move(other.context_)) {}

GLObject& GLObject::operator=(GLObject&& other) noexcept {
  if (this == &other) return *this;
  Release();
  kind_ = other.kind_;
  name_ = std::exchange(other.name_, 0);
  context_ = std::move(other.context_);
  return *this;
}

void GLObject::Release() {
  const GLuint name = std::exchange(name_, 0);
  if (name == 0 || context_.expired()) return;
  switch (kind_) {
    case Kind::Texture:
      glDeleteTextures(1, &name);
      break;
    case Kind::Buffer:
      GL().DeleteBuffers(1, &name);
      break;
    case Kind::Sampler:
      GL().DeleteSamplers(1, &name);
      break;
    case Kind::Framebuffer:
      GL().DeleteFramebuffers(1, &name);
      break;
    case Kind::Renderbuffer:
      GL().DeleteRenderbuffers(1, &name);
      break;
  }
}

}  // namespace platform
