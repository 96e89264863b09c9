// Drawing helpers shared by the splash cards: soft light, discs, strokes,
// centred text and the vignette, all anti-aliased and deterministic.
#pragma once

#include "tools/splashgen/Canvas.h"
#include "tools/splashgen/Mask.h"
#include "tools/splashgen/Rgba.h"

// 0 at or below edge0, 1 at or above edge1, smooth between.
float Smoothstep(float edge0, float edge1, float x);

// Adds light about `centre` with the elliptic radii: strength at the centre,
// falling smoothly to exactly 0 at the radius, so nothing leaks further.
void RadialLight(Canvas& canvas, PointF centre, float radiusX, float radiusY, const Rgba& colour,
                 float strength);
// An anti-aliased disc.
void SoftDisc(Canvas& canvas, PointF centre, float radius, const Rgba& colour);
// A line segment of the given width with square ends.
void Stroke(Canvas& canvas, PointF a, PointF b, float width, const Canvas::Shade& shade);
// Paints the mask with the left end of its baseline at (x, baselineY),
// where x puts the text's advance centred on centreX.
void PaintTextCentred(Canvas& canvas, const Mask& mask, float centreX, float baselineY, const Canvas::Shade& shade);
void AddTextCentred(Canvas& canvas, const Mask& mask, float centreX, float baselineY, const Rgba& colour,
                    float amount);
// Darkens towards the corners: nothing inside `inner`, `strength` at the
// corners (radii as shares of the half diagonal).
void Vignette(Canvas& canvas, float inner, float strength);
