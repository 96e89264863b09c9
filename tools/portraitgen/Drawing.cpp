#include "tools/portraitgen/Drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/splashgen/Painting.h"

namespace {

constexpr float kTau = 2.0f * std::numbers::pi_v<float>;

}  // namespace

Palette PaletteOf(Element element) {
  switch (element) {
    case Element::kAir: return {Rgba::Hex(0x3A300A), Rgba::Hex(0xE8C630), Rgba::Hex(0xFFF4A8)};
    case Element::kFire: return {Rgba::Hex(0x3C0E06), Rgba::Hex(0xD8381C), Rgba::Hex(0xFFB27A)};
    case Element::kEarth: return {Rgba::Hex(0x10280A), Rgba::Hex(0x4C9A34), Rgba::Hex(0xBCEB92)};
    case Element::kWater: return {Rgba::Hex(0x0A1C3E), Rgba::Hex(0x2E6ED0), Rgba::Hex(0xA6D4FF)};
    case Element::kNone: break;
  }
  return {Rgba::Hex(0x26221E), Rgba::Hex(0x8C8278), Rgba::Hex(0xE2DCD2)};
}

Polygon Ellipse(PointF centre, float rx, float ry, int segments) {
  Polygon points;
  for (int i = 0; i < segments; ++i) {
    const float a = kTau * static_cast<float>(i) / static_cast<float>(segments);
    points.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
  return points;
}

Polygon RegularPolygon(PointF centre, float radius, int sides, float rotation) {
  Polygon points;
  for (int i = 0; i < sides; ++i) {
    const float a = rotation + kTau * static_cast<float>(i) / static_cast<float>(sides);
    points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
  return points;
}

Polygon Star(PointF centre, float outer, float inner, int points, float rotation) {
  Polygon star;
  for (int i = 0; i < points * 2; ++i) {
    const float a = rotation + kTau * static_cast<float>(i) / static_cast<float>(points * 2);
    const float r = i % 2 == 0 ? outer : inner;
    star.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
  }
  return star;
}

Polygon Drop(PointF centre, float radius, float length, float dx, float dy) {
  const float norm = std::hypot(dx, dy);
  const float ux = dx / norm, uy = dy / norm;
  const float base = std::atan2(uy, ux);
  // The round part spans all but the wedge that leads to the point.
  const float half = std::acos(std::min(1.0f, radius / length));
  Polygon points;
  points.push_back({centre.x + ux * length, centre.y + uy * length});
  for (int i = 0; i <= 32; ++i) {
    const float a = base + half + (kTau - 2 * half) * static_cast<float>(i) / 32.0f;
    points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
  return points;
}

Polygon Transformed(const Polygon& polygon, float scale, PointF offset) {
  Polygon out;
  for (const PointF& p : polygon) out.push_back({p.x * scale + offset.x, p.y * scale + offset.y});
  return out;
}

Polygon Mirrored(const Polygon& polygon, float axisX) {
  Polygon out;
  for (auto it = polygon.rbegin(); it != polygon.rend(); ++it) out.push_back({2 * axisX - it->x, it->y});
  return out;
}

void Line(Canvas& canvas, PointF a, PointF b, float width, const Rgba& colour) {
  Stroke(canvas, a, b, width, [colour](float, float) { return colour; });
  SoftDisc(canvas, a, width * 0.5f, colour);
  SoftDisc(canvas, b, width * 0.5f, colour);
}

void Outline(Canvas& canvas, const Polygon& polygon, const Rgba& colour, float width) {
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const PointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    Stroke(canvas, a, b, width, [colour](float, float) { return colour; });
    SoftDisc(canvas, a, width * 0.5f, colour);
  }
}

void FillShaded(Canvas& canvas, const Polygon& polygon, const Rgba& top, const Rgba& bottom, const Rgba& outline,
                float outlineWidth) {
  float y0 = polygon.front().y, y1 = polygon.front().y;
  for (const PointF& p : polygon) {
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  const float span = std::max(1.0f, y1 - y0);
  canvas.FillPolygon(polygon, [&](float, float y) { return Rgba::Mix(top, bottom, std::clamp((y - y0) / span, 0.0f, 1.0f)); });
  if (outlineWidth > 0) Outline(canvas, polygon, outline, outlineWidth);
}

void Card(Canvas& canvas, Element element, bool gold) {
  const Palette p = PaletteOf(element);
  const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
  canvas.Fill([&](float x, float y) {
    const float d = std::hypot((x - w * 0.5f) / w, (y - h * 0.45f) / h) * 2.0f;
    return Rgba::Mix(Rgba::Mix(p.dark, p.base, 0.45f), p.dark.Scaled(0.6f), std::min(1.0f, d));
  });
  const Rgba frame = gold ? Rgba::Hex(0xF0C860) : p.base.Scaled(0.8f);
  const float inset = w * 0.03f, width = w * (gold ? 0.05f : 0.03f);
  const Polygon border = {{inset, inset}, {w - inset, inset}, {w - inset, h - inset}, {inset, h - inset}};
  Outline(canvas, border, frame, width);
  if (gold) Outline(canvas, Transformed(border, 1.0f, {0, 0}), Rgba::Hex(0x6A4A10), width * 0.3f);
}

void ElementBadge(Canvas& canvas, Element element, PointF c, float size) {
  const Palette p = PaletteOf(element);
  SoftDisc(canvas, c, size * 0.62f, p.dark);
  SoftDisc(canvas, c, size * 0.55f, p.base.Scaled(0.55f));
  const Rgba ink = p.light;
  const float s = size * 0.32f;
  switch (element) {
    case Element::kAir:
      for (int i = -1; i <= 1; ++i) {
        const float y = c.y + static_cast<float>(i) * s * 0.7f;
        Line(canvas, {c.x - s, y + s * 0.15f}, {c.x - s * 0.3f, y - s * 0.15f}, s * 0.28f, ink);
        Line(canvas, {c.x - s * 0.3f, y - s * 0.15f}, {c.x + s * 0.3f, y + s * 0.15f}, s * 0.28f, ink);
        Line(canvas, {c.x + s * 0.3f, y + s * 0.15f}, {c.x + s, y - s * 0.15f}, s * 0.28f, ink);
      }
      break;
    case Element::kFire:  // three tongues of flame
      canvas.FillPolygon(Drop({c.x - s * 0.45f, c.y + s * 0.45f}, s * 0.45f, s * 1.2f, -0.35f, -1), ink);
      canvas.FillPolygon(Drop({c.x + s * 0.45f, c.y + s * 0.45f}, s * 0.45f, s * 1.2f, 0.35f, -1), ink);
      canvas.FillPolygon(Drop({c.x, c.y + s * 0.4f}, s * 0.6f, s * 1.7f, 0, -1), ink);
      break;
    case Element::kEarth:
      canvas.FillPolygon(RegularPolygon(c, s * 1.05f, 4, std::numbers::pi_v<float> / 4), ink);
      break;
    case Element::kWater:
      canvas.FillPolygon(Drop({c.x, c.y + s * 0.3f}, s * 0.75f, s * 1.5f, 0, -1.0f), ink);
      SoftDisc(canvas, {c.x, c.y + s * 0.3f}, s * 0.3f, p.base.Scaled(0.55f));
      break;
    case Element::kNone:
      canvas.FillPolygon(Star(c, s * 1.1f, s * 0.45f, 4, 0), ink);
      break;
  }
}
