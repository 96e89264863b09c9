#include "render/RenderStateBlock.h"

const std::array<std::uint32_t, kRenderStateCount>& RenderStateBlock::Defaults() {
  static const std::array<std::uint32_t, kRenderStateCount> defaults = {
      0,           // alpha blend off
      2,           // source blend: one
      1,           // destination blend: zero
      0xFFFFFFFF,  // texture factor: opaque white
      2,           // depth compare: less
      2,           // cull clockwise
      1,           // depth buffer on
      1,           // depth writes on
      0,           // stencil off
      1, 1, 1,     // stencil fail / depth-fail / pass: keep
      8,           // stencil compare: always
      0,           // stencil reference
      0xFFFFFFFF,  // stencil read mask
      0xFFFFFFFF,  // stencil write mask
      0, 0, 0, 0,  // material colour sources: the material
  };
  return defaults;
}

RenderStateBlock::RenderStateBlock() : values(Defaults()) {}

const StageStates& DefaultStageStates() {
  static const StageStates defaults = {
      1, 2, 1,  // colour: disabled, texture, current
      1, 2, 1,  // alpha: disabled, texture, current
      1, 1, 0,  // magnification and minification point, no mip filter
      1, 1,     // wrap u and v
  };
  return defaults;
}
