#include "render/YMeshInstanceRef.h"

#include "render/YMeshInstance.h"

YMeshInstanceRef::YMeshInstanceRef(YMeshInstanceBase* reference_, std::uint32_t drawMask)
    : YMeshDraw(drawMask), reference(reference_) {}

void YMeshInstanceRef::DrawColored(std::span<YShader* const> list, const YColor& colour, bool withShadow) {
  if (reference != nullptr) YMeshInstance::DrawPlacedColored(*this, *reference, list, colour, withShadow);
}

void YMeshInstanceRef::Draw() {
  if (reference != nullptr) YMeshInstance::DrawPlaced(*this, *reference);
}

void YMeshInstanceRef::DrawModified(const YMatrix4& parent) {
  if (reference != nullptr) YMeshInstance::DrawPlacedModified(*this, *reference, parent);
}
