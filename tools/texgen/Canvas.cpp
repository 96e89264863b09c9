#include "tools/texgen/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <utility>

namespace {

std::uint8_t Byte(float v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Colour Mix(const Colour& a, const Colour& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Brighter(const Colour& c, float k) {
  return {std::min(c.r * k, 1.0f), std::min(c.g * k, 1.0f), std::min(c.b * k, 1.0f), c.a};
}

Colour Grey(const Colour& c) {
  const float y = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
  return {y, y, y, c.a};
}

Canvas::Canvas(int w, int h)
    : width(w), height(h), texels_(static_cast<std::size_t>(w * h), Colour{0, 0, 0, 0}) {}

void Canvas::Blend(int x, int y, const Colour& c, float cover) {
  if (x < 0 || y < 0 || x >= width || y >= height || cover <= 0) return;
  Colour& d = texels_[static_cast<std::size_t>(y * width + x)];
  const float a = c.a * cover;
  const float out = a + d.a * (1 - a);
  if (out <= 0) return;
  d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
  d.a = out;
}

void Canvas::Fill(int x0, int y0, int x1, int y1, const Inside& inside, const Paint& paint) {
  constexpr int kSamples = 4;
  for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) {
      int hits = 0;
      for (int s = 0; s < kSamples * kSamples; ++s) {
        const float sx = static_cast<float>(x) + (static_cast<float>(s % kSamples) + 0.5f) / kSamples;
        const float sy = static_cast<float>(y) + (static_cast<float>(s / kSamples) + 0.5f) / kSamples;
        hits += inside(sx, sy) ? 1 : 0;
      }
      if (hits > 0)
        Blend(x, y, paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f),
              static_cast<float>(hits) / (kSamples * kSamples));
    }
  }
}

void Canvas::Fill(int x0, int y0, int x1, int y1, const Inside& inside, const Colour& colour) {
  Fill(x0, y0, x1, y1, inside, [colour](float, float) { return colour; });
}

TgaImage Canvas::ToTga() const {
  TgaImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Colour& c = texels_[static_cast<std::size_t>(y * width + x)];
      image.Set(x, y, Byte(c.r), Byte(c.g), Byte(c.b), Byte(c.a));
    }
  }
  return image;
}

Canvas::Inside RoundedBox(float x0, float y0, float x1, float y1, float radius) {
  return [=](float x, float y) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    const float cx = std::clamp(x, x0 + radius, x1 - radius), cy = std::clamp(y, y0 + radius, y1 - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

Canvas::Inside Disc(float cx, float cy, float radius) {
  return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}

// Even-odd rule.
Canvas::Inside Polygon(std::vector<std::pair<float, float>> corners) {
  return [corners = std::move(corners)](float x, float y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const auto [xi, yi] = corners[i];
      const auto [xj, yj] = corners[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
  };
}

Canvas::Paint Gradient(const Colour& top, const Colour& bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

void Panel(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float rim, const Colour& rimColour,
           const Colour& top, const Colour& bottom, float gloss) {
  const int bx0 = static_cast<int>(x0), by0 = static_cast<int>(y0);
  const int bx1 = static_cast<int>(std::ceil(x1)), by1 = static_cast<int>(std::ceil(y1));
  canvas.Fill(bx0, by0, bx1, by1, RoundedBox(x0, y0, x1, y1, radius), rimColour);
  const float ix0 = x0 + rim, iy0 = y0 + rim, ix1 = x1 - rim, iy1 = y1 - rim;
  canvas.Fill(bx0, by0, bx1, by1, RoundedBox(ix0, iy0, ix1, iy1, std::max(radius - rim, 0.0f)),
              Gradient(top, bottom, iy0, iy1));
  if (gloss <= 0) return;
  const float glossBottom = iy0 + (iy1 - iy0) * 0.45f;
  canvas.Fill(bx0, by0, bx1, by1, RoundedBox(ix0 + 1, iy0 + 1, ix1 - 1, glossBottom, std::max(radius - rim - 1, 0.0f)),
              Gradient(Colour{1, 1, 1, gloss}, Colour{1, 1, 1, gloss * 0.2f}, iy0, glossBottom));
}

float Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFFu) / 65535.0f;
}

float Noise(float x, float y, float cell, int seed) {
  const float gx = x / cell, gy = y / cell;
  const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
  const float fx = gx - static_cast<float>(ix), fy = gy - static_cast<float>(iy);
  const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const float top = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * sx;
  const float bottom = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * sx;
  return top + (bottom - top) * sy;
}
