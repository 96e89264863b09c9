#include "platform/GLVertexBuffer.h"

#include "platform/GLDrawBatch.h"
#include "platform/GLFunctions.h"

namespace platform {

std::unique_ptr<GLVertexBuffer> GLVertexBuffer::Create(std::span<const std::uint8_t> bytes,
                                                       std::weak_ptr<const void> contextToken) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
  GLObject buffer = GLObject::Generate(GLObject::Kind::Buffer, std::move(contextToken));
  if (!buffer) return nullptr;
  while (glGetError() != GL_NO_ERROR) {
  }
  GL().BindBuffer(GL_ARRAY_BUFFER, buffer.Name());
  GL().BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes.size()), bytes.data(), GL_DYNAMIC_DRAW);
  GL().BindBuffer(GL_ARRAY_BUFFER, 0);
  if (glGetError() != GL_NO_ERROR) return nullptr;
  return std::unique_ptr<GLVertexBuffer>(new GLVertexBuffer(std::move(buffer), bytes.size()));
}

GLVertexBuffer::GLVertexBuffer(GLObject buffer, std::size_t size) : buffer_(std::move(buffer)), size_(size) {}

bool GLVertexBuffer::Update(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > size_) return false;
  if (bytes.empty()) return true;
  BeforeDeviceObjectChange();  // kept draws read the old vertices
  GL().BindBuffer(GL_ARRAY_BUFFER, buffer_.Name());
  GL().BufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes.size()), bytes.data());
  GL().BindBuffer(GL_ARRAY_BUFFER, 0);
  return true;
}

GLVertexBuffer::~GLVertexBuffer() {
  BeforeDeviceObjectChange();
}

}  // namespace platform
