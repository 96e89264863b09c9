// YRender: the mesh slots, which walk a mesh's subsets and draw each through
// the device slot DrawIndexedSubset after the subset's shader step.
#include "render/YMesh.h"
#include "render/YMeshInstanceBase.h"
#include "render/YRender.h"

namespace {

// Calls `before` (subset number) and then draws each subset of the instance.
template <typename Before>
void DrawSubsets(YRender& render, YMeshInstanceBase& instance, Before before) {
  const YMesh& mesh = *instance.Mesh();
  for (std::size_t i = 0; i < mesh.subsets.size(); ++i) {
    before(i);
    render.DrawIndexedSubset(instance.VertexBuffer(), mesh.IndexBuffer(), mesh.subsets[i]);
  }
}

}  // namespace

void YRender::DrawMesh(YMeshInstanceBase& instance) {
  DrawSubsets(*this, instance, [](std::size_t) {});
}

void YRender::DrawMeshEx(YMeshInstanceBase& instance, std::span<YShader* const> shaders,
                         const YColor& colour) {
  if (shaders.empty()) return;
  DrawSubsets(*this, instance, [&](std::size_t i) { SetShaderColor(shaders[i % shaders.size()], colour); });
}

void YRender::DrawMeshEx2(YMeshInstanceBase& instance, std::span<YShader* const> shaders) {
  if (shaders.empty()) return;
  DrawSubsets(*this, instance, [&](std::size_t i) { SetShader(shaders[i % shaders.size()], true); });
}
