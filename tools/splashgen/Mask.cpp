#include "tools/splashgen/Mask.h"

#include <algorithm>
#include <cstddef>

Mask::Mask(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      values_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0.0f) {}

float Mask::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return values_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Mask::Max(int x, int y, float value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  float& v = values_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  v = std::max(v, value);
}

Mask Mask::Blurred(int radius) const {
  Mask out = *this;
  if (radius <= 0) return out;
  for (int pass = 0; pass < 3; ++pass) {
    out.BoxPass(radius, true);
    out.BoxPass(radius, false);
  }
  return out;
}

Mask Mask::Amplified(float gain) const {
  Mask out = *this;
  for (float& v : out.values_) v = std::min(1.0f, v * gain);
  return out;
}

// One running-sum box filter of width 2 x radius + 1 along rows or columns;
// outside the mask counts as 0.
void Mask::BoxPass(int radius, bool horizontal) {
  const int lines = horizontal ? height_ : width_;
  const int length = horizontal ? width_ : height_;
  const float scale = 1.0f / static_cast<float>(2 * radius + 1);
  std::vector<float> line(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l) {
    const auto index = [&](int i) {
      const int x = horizontal ? i : l, y = horizontal ? l : i;
      return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    };
    for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = values_[index(i)];
    float sum = 0;
    for (int i = -radius; i <= radius; ++i)
      if (i >= 0 && i < length) sum += line[static_cast<std::size_t>(i)];
    for (int i = 0; i < length; ++i) {
      values_[index(i)] = sum * scale;
      const int enter = i + radius + 1, leave = i - radius;
      if (enter < length) sum += line[static_cast<std::size_t>(enter)];
      if (leave >= 0) sum -= line[static_cast<std::size_t>(leave)];
    }
  }
}
