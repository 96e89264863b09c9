// Device vertex data in an OpenGL buffer object (mesh instances), updated
// in place when an animated mesh moves.
#pragma once

#include <memory>
#include <span>

#include "platform/GLObject.h"
#include "platform/GraphicsDevice.h"

namespace platform {

class GLVertexBuffer final : public DeviceVertexBuffer {
 public:
  // Work the device keeps for the present that draws from this buffer runs
  // before it goes.
  ~GLVertexBuffer() override;
  GLVertexBuffer(const GLVertexBuffer&) = delete;
  GLVertexBuffer& operator=(const GLVertexBuffer&) = delete;
  // A buffer holding a copy of `bytes`; null when empty or refused. Leaves
  // no array buffer bound. With the context current.
  static std::unique_ptr<GLVertexBuffer> Create(std::span<const std::uint8_t> bytes,
                                                std::weak_ptr<const void> contextToken);

  bool Update(std::span<const std::uint8_t> bytes) override;
  std::size_t Size() const override { return size_; }
  std::uint32_t Name() const { return buffer_.Name(); }

 private:
  GLVertexBuffer(GLObject buffer, std::size_t size);

  GLObject buffer_;
  std::size_t size_ = 0;
};

}  // namespace platform
