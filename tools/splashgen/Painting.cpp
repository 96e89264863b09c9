#include "tools/splashgen/Painting.h"

#include <algorithm>
#include <array>
#include <cmath>

float Smoothstep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

void RadialLight(Canvas& canvas, PointF centre, float radiusX, float radiusY, const Rgba& colour,
                 float strength) {
  const int x0 = static_cast<int>(std::floor(centre.x - radiusX)), x1 = static_cast<int>(std::ceil(centre.x + radiusX));
  const int y0 = static_cast<int>(std::floor(centre.y - radiusY)), y1 = static_cast<int>(std::ceil(centre.y + radiusY));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float dx = (static_cast<float>(x) + 0.5f - centre.x) / radiusX;
      const float dy = (static_cast<float>(y) + 0.5f - centre.y) / radiusY;
      const float d2 = dx * dx + dy * dy;
      if (d2 >= 1) continue;
      const float k = (1 - d2) * (1 - d2) * (1 - d2);
      canvas.Add(x, y, colour, strength * k);
    }
}

void SoftDisc(Canvas& canvas, PointF centre, float radius, const Rgba& colour) {
  const int x0 = static_cast<int>(std::floor(centre.x - radius - 1)), x1 = static_cast<int>(std::ceil(centre.x + radius + 1));
  const int y0 = static_cast<int>(std::floor(centre.y - radius - 1)), y1 = static_cast<int>(std::ceil(centre.y + radius + 1));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(static_cast<float>(x) + 0.5f - centre.x, static_cast<float>(y) + 0.5f - centre.y);
      canvas.Over(x, y, colour, std::clamp(radius - d + 0.5f, 0.0f, 1.0f));
    }
}

void Stroke(Canvas& canvas, PointF a, PointF b, float width, const Canvas::Shade& shade) {
  const float length = std::hypot(b.x - a.x, b.y - a.y);
  if (length <= 0) return;
  const float nx = -(b.y - a.y) / length * width * 0.5f, ny = (b.x - a.x) / length * width * 0.5f;
  const std::array<PointF, 4> quad = {
      PointF{a.x + nx, a.y + ny}, PointF{b.x + nx, b.y + ny}, PointF{b.x - nx, b.y - ny}, PointF{a.x - nx, a.y - ny}};
  canvas.FillPolygon(quad, shade);
}

namespace {

// The mask's top left for its advance centred on centreX at the baseline.
PointF CentredTopLeft(const Mask& mask, float centreX, float baselineY) {
  return {std::round(centreX - mask.advance * 0.5f) - static_cast<float>(mask.originX),
          std::round(baselineY) - static_cast<float>(mask.originY)};
}

}  // namespace

void PaintTextCentred(Canvas& canvas, const Mask& mask, float centreX, float baselineY, const Canvas::Shade& shade) {
  const PointF at = CentredTopLeft(mask, centreX, baselineY);
  canvas.PaintMask(mask, static_cast<int>(at.x), static_cast<int>(at.y), shade);
}

void AddTextCentred(Canvas& canvas, const Mask& mask, float centreX, float baselineY, const Rgba& colour,
                    float amount) {
  const PointF at = CentredTopLeft(mask, centreX, baselineY);
  canvas.AddMask(mask, static_cast<int>(at.x), static_cast<int>(at.y), colour, amount);
}

void Vignette(Canvas& canvas, float inner, float strength) {
  const float cx = static_cast<float>(canvas.Width()) * 0.5f, cy = static_cast<float>(canvas.Height()) * 0.5f;
  const float halfDiagonal = std::hypot(cx, cy);
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const float r = std::hypot(static_cast<float>(x) + 0.5f - cx, (static_cast<float>(y) + 0.5f - cy) * 1.2f) /
                      halfDiagonal;
      canvas.Over(x, y, Rgba{0, 0, 0, 1}, strength * Smoothstep(inner, 1.0f, r));
    }
}
