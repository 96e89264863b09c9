// The device's vertex formats on OpenGL's vertex arrays: position, the
// normal (a zero normal for formats without one) and two texture-coordinate
// sets for texture units 0 and 1. Vertices carry no colour; the vertex
// colour is opaque white, as the device reads a vertex without one.
#pragma once

#include <cstdint>

namespace platform {

class GLVertexInput {
 public:
  // With the context current. `units`: the texture units in use.
  explicit GLVertexInput(std::uint32_t units);

  // Bytes of one vertex of an fvf:: format; 0 for a format the device does
  // not know.
  static std::uint32_t VertexSize(std::uint32_t fvf);

  // Points the arrays at vertices of the format that start at `base` (an
  // address in the caller's memory, or an offset into the bound array
  // buffer) and lie `stride` bytes apart. False, changing nothing, for an
  // unknown format or a stride smaller than the vertex.
  bool Bind(std::uint32_t fvf, std::uintptr_t base, std::uint32_t stride) const;

 private:
  void BindTexCoords(bool present, std::uintptr_t first, int stride) const;

  std::uint32_t units_;
};

}  // namespace platform
