#include "render/YMeshInstance.h"

#include "render/Shadows.h"
#include "render/YRender.h"

YMeshInstance::YMeshInstance(YMesh* mesh, float scale, std::uint32_t drawMask)
    : YMeshDraw(drawMask), YMeshInstanceBase(mesh, scale) {}

void YMeshInstance::DrawColored(std::span<YShader* const> list, const YColor& colour, bool withShadow) {
  DrawPlacedColored(*this, *this, list, colour, withShadow);
}

void YMeshInstance::Draw() {
  DrawPlaced(*this, *this);
}

void YMeshInstance::DrawModified(const YMatrix4& parent) {
  DrawPlacedModified(*this, *this, parent);
}

void YMeshInstance::DrawPlaced(const YMeshDraw& placement, YMeshInstanceBase& data) {
  if (g_render == nullptr || placement.shaders.empty()) return;
  data.FlushVertices();
  g_render->SetWorldTransform(placement.world);
  g_render->DrawMeshEx2(data, placement.shaders);
  if (placement.castsShadow == 1 && ShadowsEnabled()) data.AddShadowVolume(placement.world);
}

void YMeshInstance::DrawPlacedColored(const YMeshDraw& placement, YMeshInstanceBase& data,
                                      std::span<YShader* const> list, const YColor& colour, bool withShadow) {
  if (g_render == nullptr || list.empty()) return;
  data.FlushVertices();
  g_render->SetWorldTransform(placement.world);
  g_render->DrawMeshEx(data, list, colour);
  if (withShadow && placement.castsShadow == 1 && ShadowsEnabled()) data.AddShadowVolume(placement.world);
}

void YMeshInstance::DrawPlacedModified(const YMeshDraw& placement, YMeshInstanceBase& data,
                                       const YMatrix4& parent) {
  if (g_render == nullptr || placement.visible == 0) return;
  YMatrix4 combined;
  parent.Multiply(combined, placement.world);  // the object's own matrix first
  g_render->SetWorldTransform(combined);
  g_render->DrawMesh(data);
}
