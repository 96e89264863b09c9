#include "tools/tilegen/TileAtlas.h"

#include <cmath>
#include <numbers>

#include "tools/portraitgen/Drawing.h"
#include "tools/splashgen/Painting.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Where the face ends and the side strip begins, as the tile box maps them.
constexpr float kFaceEnd = 0.7765625f * kFrameSide;
constexpr float kSideStart = 0.7859375f * kFrameSide;

Polygon Offset(const Polygon& polygon, PointF by) { return Transformed(polygon, 1.0f, by); }

// The class's sign about the origin, about `r` in radius.
std::vector<Polygon> ClassSign(int tileClass, float r) {
  const PointF o{0, 0};
  switch (tileClass) {
    case 1: return {Ellipse(o, r * 0.8f, r * 0.8f)};
    case 2:  // a cup on a foot
      return {{{-r * 0.85f, -r * 0.7f}, {r * 0.85f, -r * 0.7f}, {r * 0.45f, r * 0.1f}, {r * 0.12f, r * 0.2f},
               {r * 0.12f, r * 0.6f}, {r * 0.55f, r * 0.85f}, {-r * 0.55f, r * 0.85f}, {-r * 0.12f, r * 0.6f},
               {-r * 0.12f, r * 0.2f}, {-r * 0.45f, r * 0.1f}}};
    case 3: return {RegularPolygon({0, r * 0.15f}, r, 3, -kPi / 2)};
    case 4:  // two triangles point to point
      return {{{-r, -r * 0.8f}, {r, -r * 0.8f}, {0, 0}}, {{0, 0}, {r, r * 0.8f}, {-r, r * 0.8f}}};
    case 5: return {Star(o, r, r * 0.42f, 5, -kPi / 2)};
    case 6: return {RegularPolygon(o, r * 0.9f, 6, 0)};
    case 7: return {Ellipse(o, r * 0.9f, r * 0.9f), Ellipse(o, r * 0.5f, r * 0.5f)};
    case 8: return {{{0, -r}, {r * 0.7f, 0}, {0, r}, {-r * 0.7f, 0}}};
    case 9: {
      const float a = r * 0.3f;
      return {{{-a, -r}, {a, -r}, {a, -a}, {r, -a}, {r, a}, {a, a}, {a, r}, {-a, r}, {-a, a}, {-r, a}, {-r, -a}, {-a, -a}}};
    }
    case 10: {  // a crescent: the outer arc, then the inner arc back
      Polygon moon;
      for (int i = 0; i <= 24; ++i) {
        const float t = kPi * 0.25f + kPi * 1.5f * static_cast<float>(i) / 24.0f;
        moon.push_back({r * std::cos(t), r * std::sin(t)});
      }
      for (int i = 24; i >= 0; --i) {
        const float t = kPi * 0.25f + kPi * 1.5f * static_cast<float>(i) / 24.0f;
        moon.push_back({r * 0.35f + r * 0.75f * std::cos(t), r * 0.75f * std::sin(t)});
      }
      return {moon};
    }
    default: return {Star(o, r, r * 0.55f, 8, 0)};
  }
}

void PaintSign(Canvas& canvas, int tileClass, const Palette& palette, PointF centre, float r) {
  const std::vector<Polygon> parts = ClassSign(tileClass, r);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Polygon shape = Offset(parts[i], centre);
    // A ring's second part is its hole.
    const bool hole = tileClass == 7 && i == 1;
    if (hole)
      FillShaded(canvas, shape, Rgba::Hex(0xF2EBDD), Rgba::Hex(0xD8CDB8), palette.dark, 2.0f);
    else
      FillShaded(canvas, shape, palette.light, palette.base, palette.dark, 2.5f);
  }
  if (tileClass == 1) SoftDisc(canvas, centre, r * 0.3f, palette.dark.WithAlpha(0.5f));
}

void PaintFrame(Canvas& canvas, int column, int row) {
  const Element element = static_cast<Element>(row);
  const Palette palette = PaletteOf(element);
  const float left = static_cast<float>(column * kFrameSide), top = static_cast<float>(row * kFrameSide);
  const float side = static_cast<float>(kFrameSide);
  // The face: light stone tinted by the element, darker towards its rim.
  const Polygon face = {{left, top}, {left + kFaceEnd + 1, top}, {left + kFaceEnd + 1, top + side}, {left, top + side}};
  const Rgba stone = Rgba::Mix(Rgba::Hex(0xF4EEE2), palette.light, 0.25f);
  canvas.FillPolygon(face, [&](float x, float y) {
    const float dx = (x - left - kFaceEnd * 0.5f) / kFaceEnd, dy = (y - top - side * 0.5f) / side;
    return Rgba::Mix(stone, stone.Scaled(0.82f), std::min(1.0f, std::hypot(dx, dy) * 1.6f));
  });
  const float inset = 5.0f;
  Outline(canvas, {{left + inset, top + inset}, {left + kFaceEnd - inset, top + inset},
                   {left + kFaceEnd - inset, top + side - inset}, {left + inset, top + side - inset}},
          palette.base, 3.0f);
  // The sides: the element's colour with a light edge.
  const Polygon strip = {{left + kFaceEnd, top}, {left + side, top}, {left + side, top + side}, {left + kFaceEnd, top + side}};
  canvas.FillPolygon(strip, [&](float x, float) {
    const float t = (x - left - kSideStart) / (side - kSideStart);
    return Rgba::Mix(palette.base, palette.dark, std::clamp(t, 0.0f, 1.0f));
  });
  Line(canvas, {left + kSideStart + 3, top + 2}, {left + kSideStart + 3, top + side - 2}, 2.0f, palette.light);
  PaintSign(canvas, column + 1, palette, {left + kFaceEnd * 0.5f, top + side * 0.56f}, side * 0.25f);
  ElementBadge(canvas, element, {left + 22, top + 22}, 30.0f);
}

}  // namespace

Canvas PaintTileAtlas() {
  Canvas canvas(kAtlasColumns * kFrameSide, kAtlasRows * kFrameSide);
  for (int row = 0; row < kAtlasRows; ++row) {
    for (int column = 0; column < kAtlasColumns; ++column) PaintFrame(canvas, column, row);
  }
  return canvas;
}
