// A mesh placed in the world with vertex data of its own: the drawable and
// its vertex copy in one object. YMeshInstanceRef draws another instance's
// vertex data with a matrix and shaders of its own. Main thread only.
#pragma once

#include <cstdint>
#include <span>

#include "render/YMeshDraw.h"
#include "render/YMeshInstanceBase.h"

class YMesh;

class YMeshInstance : public YMeshDraw, public YMeshInstanceBase {
 public:
  // The mesh's vertices at `scale`; drawn in the passes of `drawMask`.
  YMeshInstance(YMesh* mesh, float scale, std::uint32_t drawMask);

  // Nothing without a renderer or with an empty shader list. Otherwise the
  // vertices are uploaded when changed, the world matrix set, the subsets
  // drawn and, when shadows are on, the silhouette added.
  void DrawColored(std::span<YShader* const> shaders, const YColor& colour, bool withShadow) override;
  void Draw() override;
  void DrawModified(const YMatrix4& parent) override;

  // The drawing itself, of `data` with the matrix, shaders and flags of
  // `placement`; references draw through these too.
  static void DrawPlaced(const YMeshDraw& placement, YMeshInstanceBase& data);
  static void DrawPlacedColored(const YMeshDraw& placement, YMeshInstanceBase& data,
                                std::span<YShader* const> shaders, const YColor& colour, bool withShadow);
  static void DrawPlacedModified(const YMeshDraw& placement, YMeshInstanceBase& data, const YMatrix4& parent);
};
