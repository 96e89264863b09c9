// Draws from the caller's memory gathered while no state changes between
// them, so that a line of text or a panel of quads reaches OpenGL as one
// call. Each draw keeps its own primitive (a fan stays a fan), so OpenGL
// rasterises exactly what separate calls would have drawn, in the same order.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/DeviceTypes.h"

namespace platform {

class GLTexture;

class GLDrawBatch {
 public:
  // The most vertices gathered at once.
  static constexpr std::uint32_t kMaxVertices = 1u << 20;

  // Whether a draw of this kind and size may join the gathered ones: when
  // none are gathered, or type, vertex format and stride match and the
  // vertices fit.
  bool Accepts(PrimitiveType type, std::uint32_t fvf, std::uint32_t stride, std::uint32_t vertexCount) const;
  // Copies `vertexCount` vertices of `vertexSize` bytes, `stride` bytes
  // apart (the last one need not be followed by padding), as one more draw.
  // Accepts must have said yes.
  void Add(PrimitiveType type, std::uint32_t fvf, std::uint32_t stride, std::uint32_t vertexSize,
           const void* vertices, std::uint32_t vertexCount);
  bool Empty() const { return firsts_.empty(); }
  std::size_t DrawCount() const { return firsts_.size(); }

  PrimitiveType Type() const { return type_; }
  std::uint32_t Fvf() const { return fvf_; }
  std::uint32_t Stride() const { return stride_; }
  const std::uint8_t* Vertices() const { return bytes_.data(); }
  std::uint32_t VertexCount() const { return vertexCount_; }
  // Per draw: its first vertex and its vertex count.
  const std::vector<std::int32_t>& Firsts() const { return firsts_; }
  const std::vector<std::int32_t>& Counts() const { return counts_; }

  // Forgets the gathered draws (their storage is kept for the next ones).
  void Clear();

 private:
  PrimitiveType type_ = PrimitiveType::TriangleList;
  std::uint32_t fvf_ = 0;
  std::uint32_t stride_ = 0;
  std::uint32_t vertexCount_ = 0;
  std::vector<std::uint8_t> bytes_;
  std::vector<std::int32_t> firsts_;
  std::vector<std::int32_t> counts_;
};

// Runs the work the drawing device keeps for the present and the draws it
// has gathered, which may use a texture or buffer about to be changed or
// deleted (the GL texture and buffers call it first).
void BeforeDeviceObjectChange();
// Tells the drawing device that a texture it may hold for a stage is gone.
void AfterTextureDeleted(const GLTexture* texture);

}  // namespace platform
