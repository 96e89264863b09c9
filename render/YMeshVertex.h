// The renderer's mesh vertex: position, normal and two texture-coordinate
// sets (the second is the light-map set), 40 bytes of floats.
#pragma once

struct YMeshVertex {
  float x = 0, y = 0, z = 0;
  float nx = 0, ny = 0, nz = 0;
  float u = 0, v = 0;
  float lu = 0, lv = 0;
};
static_assert(sizeof(YMeshVertex) == 40);
