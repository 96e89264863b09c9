// The twenty render-state values a shader sets and the renderer caches,
// indexed by render-state id (blending, depth, culling, stencil, material
// colour sources). A new block starts from the renderer's defaults.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kRenderStateCount = 20;
inline constexpr int kStageStateCount = 11;
inline constexpr int kMaxStages = 10;

using StageStates = std::array<std::uint32_t, kStageStateCount>;

struct RenderStateBlock {
  // The defaults of the table below, whether or not a renderer exists.
  RenderStateBlock();

  std::uint32_t& operator[](int id) { return values[static_cast<std::size_t>(id)]; }
  std::uint32_t operator[](int id) const { return values[static_cast<std::size_t>(id)]; }

  std::array<std::uint32_t, kRenderStateCount> values;

  // id 0 alpha blend, 1 source blend, 2 destination blend, 3 texture factor,
  // 4 depth compare, 5 cull mode, 6 depth enable, 7 depth write, 8 stencil
  // enable, 9-11 stencil fail / depth-fail / pass operations, 12 stencil
  // compare, 13 stencil reference, 14 read mask, 15 write mask, 16-19 the
  // diffuse, specular, ambient and emissive material sources.
  static const std::array<std::uint32_t, kRenderStateCount>& Defaults();
};

// The default stage states: colour and alpha operation disabled, arguments
// texture and current, point filters without mip filter, wrap addressing.
const StageStates& DefaultStageStates();
