// Device 16-bit indices in an OpenGL buffer object (meshes). Keeps a copy
// of the indices so a draw can be checked against the vertices it reads.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "platform/GLObject.h"
#include "platform/GraphicsDevice.h"

namespace platform {

class GLIndexBuffer final : public DeviceIndexBuffer {
 public:
  // Work the device keeps for the present that draws from this buffer runs
  // before it goes.
  ~GLIndexBuffer() override;
  GLIndexBuffer(const GLIndexBuffer&) = delete;
  GLIndexBuffer& operator=(const GLIndexBuffer&) = delete;
  // A buffer holding a copy of `indices`; null when empty or refused.
  // Leaves no element buffer bound. With the context current.
  static std::unique_ptr<GLIndexBuffer> Create(std::span<const std::uint16_t> indices,
                                               std::weak_ptr<const void> contextToken);

  std::size_t Count() const override { return indices_.size(); }
  std::uint32_t Name() const { return buffer_.Name(); }

  // The largest index among `count` indices from `first`; 0 when that
  // range is empty or not inside the buffer.
  std::uint16_t MaxIndex(std::size_t first, std::size_t count) const;
  // The largest index of the whole buffer.
  std::uint16_t MaxIndex() const { return maxIndex_; }

 private:
  GLIndexBuffer(GLObject buffer, std::vector<std::uint16_t> indices);

  GLObject buffer_;
  std::vector<std::uint16_t> indices_;
  std::uint16_t maxIndex_ = 0;
};

}  // namespace platform
