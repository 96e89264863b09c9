#include "render/YMeshDraw.h"

YMeshDraw::YMeshDraw(std::uint32_t mask) : drawMask(mask) {}

void YMeshDraw::SetMatrix(const YMatrix4& matrix) {
  world = matrix;
}

void YMeshDraw::DrawIfEnabled(std::uint32_t mask) {
  if (visible == 0 || (mask & drawMask) == 0) return;
  Draw();
}
