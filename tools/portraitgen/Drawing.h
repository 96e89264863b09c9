// Shapes and colours shared by the portrait, face and icon drawings: the
// element palette, outlines built from polygons, and the framed background
// every picture stands on, so that the pictures share one look.
#pragma once

#include <vector>

#include "tools/splashgen/Canvas.h"
#include "tools/splashgen/Rgba.h"

enum class Element { kAir, kFire, kEarth, kWater, kNone };

struct Palette {
  Rgba dark;   // backgrounds and outlines
  Rgba base;   // the element's own colour
  Rgba light;  // highlights
};

Palette PaletteOf(Element element);

using Polygon = std::vector<PointF>;

Polygon Ellipse(PointF centre, float rx, float ry, int segments = 48);
Polygon RegularPolygon(PointF centre, float radius, int sides, float rotation);
Polygon Star(PointF centre, float outer, float inner, int points, float rotation);
// A drop: round at `centre` with `radius`, its point `length` away in the
// direction (dx, dy).
Polygon Drop(PointF centre, float radius, float length, float dx, float dy);
// The polygon moved and scaled about the origin: p * scale + offset.
Polygon Transformed(const Polygon& polygon, float scale, PointF offset);
Polygon Mirrored(const Polygon& polygon, float axisX);

// Fills the polygon with a top-to-bottom shade from `top` to `bottom`, then
// draws its outline.
void FillShaded(Canvas& canvas, const Polygon& polygon, const Rgba& top, const Rgba& bottom, const Rgba& outline,
                float outlineWidth);
void Outline(Canvas& canvas, const Polygon& polygon, const Rgba& colour, float width);
void Line(Canvas& canvas, PointF a, PointF b, float width, const Rgba& colour);

// The square card every face and portrait stands on: a dark field of the
// element's colour with a lit centre and a frame; gold for bosses.
void Card(Canvas& canvas, Element element, bool gold);
// The element's sign in a corner badge: air three waves, fire a flame,
// earth a square, water a drop, so the element reads without colour.
void ElementBadge(Canvas& canvas, Element element, PointF centre, float size);
