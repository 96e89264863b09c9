#include "platform/GLVertexInput.h"

#include "platform/DeviceTypes.h"
#include "platform/GLFunctions.h"

namespace platform {

namespace {

constexpr std::uint32_t kPositionBytes = 12;
constexpr std::uint32_t kNormalBytes = 12;
constexpr std::uint32_t kTexCoordBytes = 8;
constexpr std::uint32_t kTexCoordSets = 2;

// Buffer offsets travel as pointers in OpenGL's array calls.
const void* At(std::uintptr_t address) {
  return reinterpret_cast<const void*>(address);
}

}  // namespace

GLVertexInput::GLVertexInput(std::uint32_t units) : units_(units) {
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
  glColor4f(1, 1, 1, 1);
  glNormal3f(0, 0, 0);
  // Stages beyond the two coordinate sets read (0, 0), as the device does
  // for a set the vertex does not have.
  for (std::uint32_t unit = 0; unit < units_; ++unit) GL().MultiTexCoord2f(GL_TEXTURE0 + unit, 0, 0);
}

std::uint32_t GLVertexInput::VertexSize(std::uint32_t fvf) {
  switch (fvf) {
    case fvf::Position:
      return kPositionBytes;
    case fvf::PositionTex2:
      return kPositionBytes + kTexCoordSets * kTexCoordBytes;
    case fvf::PositionNormalTex2:
      return kPositionBytes + kNormalBytes + kTexCoordSets * kTexCoordBytes;
    default:
      return 0;
  }
}

bool GLVertexInput::Bind(std::uint32_t fvf, std::uintptr_t base, std::uint32_t stride) const {
  const std::uint32_t size = VertexSize(fvf);
  if (size == 0 || stride < size || stride > 0x7FFFFFFF) return false;
  const int glStride = static_cast<int>(stride);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, glStride, At(base));
  const bool normals = fvf == fvf::PositionNormalTex2;
  if (normals) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, glStride, At(base + kPositionBytes));
  } else {
    // After drawing from a normal array the current normal is undefined.
    glDisableClientState(GL_NORMAL_ARRAY);
    glNormal3f(0, 0, 0);
  }
  const std::uint32_t texOffset = kPositionBytes + (normals ? kNormalBytes : 0);
  BindTexCoords(fvf != fvf::Position, base + texOffset, glStride);
  return true;
}

void GLVertexInput::BindTexCoords(bool present, std::uintptr_t first, int stride) const {
  for (std::uint32_t set = 0; set < kTexCoordSets && set < units_; ++set) {
    GL().ClientActiveTexture(GL_TEXTURE0 + set);
    if (present) {
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
      glTexCoordPointer(2, GL_FLOAT, stride, At(first + set * kTexCoordBytes));
    } else {
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
      GL().MultiTexCoord2f(GL_TEXTURE0 + set, 0, 0);
    }
  }
  GL().ClientActiveTexture(GL_TEXTURE0);
}

}  // namespace platform
