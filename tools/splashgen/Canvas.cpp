#include "tools/splashgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kSamples = 4;  // per pixel side in polygon coverage

bool Inside(std::span<const PointF> polygon, float px, float py) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const PointF& a = polygon[i];
    const PointF& b = polygon[j];
    if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

// A 4 x 4 ordered-dither threshold in -0.45..0.45 of one 8-bit step.
float Dither(int x, int y) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (static_cast<float>(kBayer[y & 3][x & 3]) + 0.5f) / 16.0f * 0.9f - 0.45f;
}

std::uint8_t Quantise(float value, float dither) {
  const float scaled = std::floor(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f + dither);
  return static_cast<std::uint8_t>(std::clamp(scaled, 0.0f, 255.0f));
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      texels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {}

Canvas::Texel* Canvas::At(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
  return &texels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Canvas::Fill(const Shade& shade) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Rgba c = shade(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      *At(x, y) = Texel{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
    }
}

void Canvas::Over(int x, int y, const Rgba& colour, float coverage) {
  Texel* t = At(x, y);
  const float a = colour.a * std::clamp(coverage, 0.0f, 1.0f);
  if (!t || a <= 0) return;
  t->r = colour.r * a + t->r * (1 - a);
  t->g = colour.g * a + t->g * (1 - a);
  t->b = colour.b * a + t->b * (1 - a);
  t->a = a + t->a * (1 - a);
}

void Canvas::Add(int x, int y, const Rgba& colour, float amount) {
  Texel* t = At(x, y);
  if (!t || amount <= 0) return;
  t->r += colour.r * amount;
  t->g += colour.g * amount;
  t->b += colour.b * amount;
}

void Canvas::FillPolygon(std::span<const PointF> polygon, const Shade& shade) {
  if (polygon.size() < 3) return;
  float minX = polygon[0].x, maxX = minX, minY = polygon[0].y, maxY = minY;
  for (const PointF& p : polygon) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const int x0 = std::max(0, static_cast<int>(std::floor(minX))), x1 = std::min(width_ - 1, static_cast<int>(maxX));
  const int y0 = std::max(0, static_cast<int>(std::floor(minY))), y1 = std::min(height_ - 1, static_cast<int>(maxY));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          hits += Inside(polygon, static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSamples,
                         static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSamples);
      if (hits == 0) continue;
      Over(x, y, shade(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f),
           static_cast<float>(hits) / (kSamples * kSamples));
    }
}

void Canvas::FillPolygon(std::span<const PointF> polygon, const Rgba& colour) {
  FillPolygon(polygon, [&colour](float, float) { return colour; });
}

void Canvas::PaintMask(const Mask& mask, int left, int top, const Shade& shade) {
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) {
      const float k = mask.At(x, y);
      if (k <= 0) continue;
      Over(left + x, top + y, shade(static_cast<float>(left + x) + 0.5f, static_cast<float>(top + y) + 0.5f), k);
    }
}

void Canvas::AddMask(const Mask& mask, int left, int top, const Rgba& colour, float amount) {
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) Add(left + x, top + y, colour, mask.At(x, y) * amount);
}

TgaImage Canvas::ToTga() const {
  TgaImage image(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Texel& t = texels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x)];
      const float inv = t.a > 0 ? 1.0f / t.a : 0.0f;
      const float d = Dither(x, y);
      image.Set(x, y, Quantise(t.r * inv, d), Quantise(t.g * inv, d), Quantise(t.b * inv, d), Quantise(t.a, 0));
    }
  return image;
}
