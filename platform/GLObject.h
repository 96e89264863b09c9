// Owns one OpenGL object name (texture, buffer, sampler, frame or render
// buffer) and deletes it when it goes, unless its context went first (the
// context freed it then).
// Main thread only, with the owning context current.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class GLObject {
 public:
  enum class Kind { Texture, Buffer, Sampler, Framebuffer, Renderbuffer };

  GLObject() = default;
  // Generates a name of that kind in the current context; an empty object
  // (name 0) when the driver gave none.
  static GLObject Generate(Kind kind, std::weak_ptr<const void> contextToken);
  ~GLObject();
  GLObject(GLObject&& other) noexcept;
  GLObject& operator=(GLObject&& other) noexcept;
  GLObject(const GLObject&) = delete;
  GLObject& operator=(const GLObject&) = delete;

  std::uint32_t Name() const { return name_; }
  explicit operator bool() const { return name_ != 0; }

 private:
  void Release();

  Kind kind_ = Kind::Texture;
  std::uint32_t name_ = 0;
  std::weak_ptr<const void> context_;
};

}  // namespace platform
