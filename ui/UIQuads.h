// The widgets' shared drawing: one scratch array of eight vertices that each
// widget fills just before it draws from it, the builders of its quads and
// strips of three bands (caps that keep their shape, a stretched middle),
// and the text width of a style. Everything is in the drawing control's own
// coordinates, z is 0 and both texture-coordinate pairs hold the same (u, v).
// Main thread only.
#pragma once

#include <array>
#include <string_view>

#include "framework/YRect.h"
#include "framework/YTexVertex.h"
#include "render/UITextStyle.h"

class YShader;
class YTextureBase;

// A texture rectangle: (x, y) = (u, v) lands on the drawn rectangle's top
// left corner, (u + width, v + height) on its bottom right one.
using UITexRect = YRect;

// Filled by the builders below; DrawQuad28 takes the first four (a fan),
// DrawStrip28 all eight (six triangles).
extern std::array<YTexVertex, 8> UIQuadVertices;

// Corners (0, 0), (w, 0), (w, h), (0, h) of the rect's size (its x and y
// are not used) with the texture rectangle's matching corners.
void BuildQuad(const YRect& rect, const UITexRect& tex);
// The same quad at the rect's own position: the tracker's track and thumb.
void BuildTrackQuad(const YRect& rect, const UITexRect& tex);
void BuildThumbQuad(const YRect& rect, const UITexRect& tex);
// A framed panel cut across its texture at v = tl1 and v = tl2: the top and
// bottom caps keep the texture's proportions (aspect = its width over its
// height) at the rect's width, the middle stretches. Uses the rect's size.
void BuildWindowBands(const YRect& rect, float aspect, float tl1, float tl2);
// One row of a frame drawn in nine pieces, from `top` to `bottom` of a
// control `width` wide, v from vTop to vBottom: the texture's outer
// columns cornerU wide drawn `corner` wide at the sides, its middle
// stretched between.
void BuildFrameRow(float width, float top, float bottom, float vTop, float vBottom, float corner, float cornerU);
// Three bands side by side over `pos`: the texture's left and right
// quarters lrFactor x height wide, its middle half stretched between.
void BuildSideCapBands(const YRect& pos, const UITexRect& tex, float lrFactor);
// Three bands one above the other over `pos`: the texture's top and bottom
// eighths a quarter of the width high, its middle stretched between.
void BuildEndCapBands(const YRect& pos, const UITexRect& tex);
// One horizontal band of a drop-down list's frame: the texture's outer
// quarters `corner` wide at the sides, v from vTop at the band's top edge to
// vBottom at its bottom edge.
void BuildListBands(const YRect& pos, float corner, float vBottom, float vTop);

// An image in a custom-drawn control: BuildQuad, the shader with its
// material, the texture (when not null) on stage 0, one quad. Nothing
// without a renderer.
void DrawUIQuad(const YRect& rect, const UITexRect& tex, YShader* shader, YTextureBase* texture);
// The width of the text in the style's font at its size; 0 without a font.
float GetStyledTextWidth(const UITextStyle& style, std::string_view text);
// Whether two styles draw alike: the same font and exactly the same size
// and colour.
bool SameStyle(const UITextStyle& a, const UITextStyle& b);
