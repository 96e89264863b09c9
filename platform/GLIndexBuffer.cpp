#include "platform/GLIndexBuffer.h"

#include <algorithm>

#include "platform/GLDrawBatch.h"
#include "platform/GLFunctions.h"

namespace platform {

std::unique_ptr<GLIndexBuffer> GLIndexBuffer::Create(std::span<const std::uint16_t> indices,
                                                     std::weak_ptr<const void> contextToken) {
  if (indices.empty() || indices.size_bytes() > 0x7FFFFFFF) return nullptr;
  GLObject buffer = GLObject::Generate(GLObject::Kind::Buffer, std::move(contextToken));
  if (!buffer) return nullptr;
  while (glGetError() != GL_NO_ERROR) {
  }
  GL().BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer.Name());
  GL().BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size_bytes()), indices.data(),
                  GL_STATIC_DRAW);
  GL().BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  if (glGetError() != GL_NO_ERROR) return nullptr;
  return std::unique_ptr<GLIndexBuffer>(
      new GLIndexBuffer(std::move(buffer), std::vector<std::uint16_t>(indices.begin(), indices.end())));
}

GLIndexBuffer::GLIndexBuffer(GLObject buffer, std::vector<std::uint16_t> indices)
    : buffer_(std::move(buffer)), indices_(std::move(indices)) {
  maxIndex_ = *std::max_element(indices_.begin(), indices_.end());
}

std::uint16_t GLIndexBuffer::MaxIndex(std::size_t first, std::size_t count) const {
  if (count == 0 || first >= indices_.size() || count > indices_.size() - first) return 0;
  const auto begin = indices_.begin() + static_cast<std::ptrdiff_t>(first);
  return *std::max_element(begin, begin + static_cast<std::ptrdiff_t>(count));
}

GLIndexBuffer::~GLIndexBuffer() {
  BeforeDeviceObjectChange();
}

}  // namespace platform
