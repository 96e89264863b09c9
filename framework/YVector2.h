// A pair of 32-bit values: a point or a size on screen or in the UI space.
// Floats in most uses; IntVector2 holds the integer pairs some records keep.
#pragma once

#include <cstdint>

template <typename T>
struct YVector2T {
  T x = 0, y = 0;

  YVector2T() = default;
  YVector2T(T x_, T y_) : x(x_), y(y_) {}

  YVector2T& Assign(const YVector2T& other) {
    x = other.x;
    y = other.y;
    return *this;
  }
};

using YVector2 = YVector2T<float>;
using YIntVector2 = YVector2T<std::int32_t>;
