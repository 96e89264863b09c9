// A vertex with a position and two texture-coordinate pairs (one per
// texture stage): seven packed floats, in the order vertex buffers expect.
#pragma once

#include <type_traits>

#include "framework/YVector2.h"
#include "framework/YVector3.h"

struct YTexVertex {
  float x = 0, y = 0, z = 0;
  float u1 = 0, v1 = 0;
  float u2 = 0, v2 = 0;

  YTexVertex() = default;
  // Both texture stages get the same (u, v).
  YTexVertex(const YVector3& position, const YVector2& uv)
      : x(position.x), y(position.y), z(position.z), u1(uv.x), v1(uv.y), u2(uv.x), v2(uv.y) {}
};

static_assert(sizeof(YTexVertex) == 7 * sizeof(float) && std::is_standard_layout_v<YTexVertex>,
              "YTexVertex is handed to vertex buffers as seven packed floats");
