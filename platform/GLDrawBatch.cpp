#include "platform/GLDrawBatch.h"

#include <cstring>

namespace platform {

bool GLDrawBatch::Accepts(PrimitiveType type, std::uint32_t fvf, std::uint32_t stride,
                          std::uint32_t vertexCount) const {
  if (Empty()) return true;
  return type == type_ && fvf == fvf_ && stride == stride_ && vertexCount <= kMaxVertices - vertexCount_;
}

void GLDrawBatch::Add(PrimitiveType type, std::uint32_t fvf, std::uint32_t stride, std::uint32_t vertexSize,
                      const void* vertices, std::uint32_t vertexCount) {
  if (vertexCount == 0) return;
  type_ = type;
  fvf_ = fvf;
  stride_ = stride;
  const std::size_t offset = bytes_.size();
  const std::size_t used = std::size_t{vertexCount - 1} * stride + vertexSize;
  bytes_.resize(offset + std::size_t{vertexCount} * stride);
  std::memcpy(bytes_.data() + offset, vertices, used);
  firsts_.push_back(static_cast<std::int32_t>(vertexCount_));
  counts_.push_back(static_cast<std::int32_t>(vertexCount));
  vertexCount_ += vertexCount;
}

void GLDrawBatch::Clear() {
  bytes_.clear();
  firsts_.clear();
  counts_.clear();
  vertexCount_ = 0;
}

}  // namespace platform
