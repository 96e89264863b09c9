// Something that draws a mesh in the world: its world matrix, the shaders
// its subsets are drawn with (subset i takes shader i modulo the list's
// length), whether it is drawn and casts a shadow, and the mask of the
// passes it belongs to. Main thread only.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/YColor.h"
#include "framework/YMatrix4.h"

class YShader;

class YMeshDraw {
 public:
  explicit YMeshDraw(std::uint32_t drawMask);
  virtual ~YMeshDraw() = default;

  // Copies the world matrix.
  virtual void SetMatrix(const YMatrix4& matrix);
  // Draws with the given shaders, each subset's material emissive being
  // `colour`; adds the shadow when `withShadow` and the object casts one.
  virtual void DrawColored(std::span<YShader* const> shaders, const YColor& colour, bool withShadow) = 0;
  // Draws with the object's own shaders and adds its shadow when it casts one.
  virtual void Draw() = 0;
  // Draws with the current shader under world x `parent` (the object's own
  // matrix first, then the parent's); no shadow. Nothing when not visible.
  virtual void DrawModified(const YMatrix4& parent) = 0;
  // Draw, when visible and the mask shares a bit with the draw mask.
  void DrawIfEnabled(std::uint32_t mask);

  YMatrix4 world;
  std::vector<YShader*> shaders;  // not owned; filled by the owner
  std::int32_t visible = 1;
  std::int32_t castsShadow = 1;
  std::uint32_t drawMask;
};
