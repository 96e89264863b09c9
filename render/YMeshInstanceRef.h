// A placement of another instance's vertex data with its own world matrix,
// shaders and flags, so that several placements share one vertex buffer
// (the board draws every unit of a kind through one instance). Main thread
// only.
#pragma once

#include <cstdint>
#include <span>

#include "render/YMeshDraw.h"

class YMeshInstanceBase;

class YMeshInstanceRef : public YMeshDraw {
 public:
  // `reference` (not owned, may be null and set later) must outlive the use.
  YMeshInstanceRef(YMeshInstanceBase* reference, std::uint32_t drawMask);

  // As YMeshInstance's, with the referenced vertex data; all three do
  // nothing while there is no reference.
  void DrawColored(std::span<YShader* const> shaders, const YColor& colour, bool withShadow) override;
  void Draw() override;
  void DrawModified(const YMatrix4& parent) override;

  YMeshInstanceBase* reference;
};
