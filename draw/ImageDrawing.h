// Pictures for the directly drawn screens in the 1000 x 625 UI space:
// textured quads through a shader ("image_std" when none is given), texture
// sub-rectangles, three-band boxes whose ends keep their shape, portraits.
#pragma once

#include <array>
#include <string_view>

#include "framework/YColor.h"
#include "framework/YRect.h"
#include "framework/YTexVertex.h"

class YPlayer;
class YShader;
class YTextureBase;

// How a texture lies on a quad: upright, mirrored left to right, or turned
// a quarter (the texture's u axis runs from the quad's bottom to its top,
// its v axis from left to right: a horizontal bar picture on a vertical bar).
enum ImageOrientation : int { kImageUpright = 0, kImageMirrored = 1, kImageQuarterTurn = 2 };

// A colour whose alpha is 0 or below: draw in the shader's own colour.
inline const YColor kShaderColour(0, 0, 0, 0);

// The shader "image_std", looked up once and kept.
YShader* GetImageStd();
// The texture of that data name from the texture registry (made and loaded
// on the first request).
YTextureBase* GetTexture(std::string_view name);

// The corners top left, bottom left, bottom right, top right of `screen`
// with the texture rectangle `tex` (u, v, width, height) laid on in the
// orientation; an orientation outside 0-2 counts as upright.
std::array<YTexVertex, 4> ImageQuad(const YRect& screen, const YRect& tex, int orientation);

// Four ready corners (as ImageQuad makes them) through the shader and tint
// of DrawImageRect.
void DrawImageVertices(const std::array<YTexVertex, 4>& quad, YTextureBase* texture, YShader* shader,
                       const YColor& colour);
// One quad over (x, y, w, h) showing the whole texture in the orientation.
// A null shader is "image_std"; a null texture draws the shader with its own
// texture, and a texture whose image did not load draws nothing; a colour
// with alpha above 0 tints the quad, else the shader's own material colours
// it.
void DrawImageRect(float x, float y, float w, float h, YTextureBase* texture, YShader* shader, int orientation,
                   const YColor& colour);
// A quad over `screen` showing the texture rectangle `tex`, in the shader's
// own colour (null shader: "image_std").
void DrawImageQuad(const YRect& screen, const YRect& tex, YTextureBase* texture, YShader* shader);
// DrawImageQuad in an orientation and a tint (see DrawImageRect).
void DrawImageQuadTinted(const YRect& screen, const YRect& tex, int orientation, YTextureBase* texture,
                         YShader* shader, const YColor& colour);
// Three bands over the rectangle: the texture's left and right quarters as
// caps a quarter of the rectangle's height wide, its middle half stretched
// between them. Shader and colour as DrawImageRect.
void DrawItemBox(const YRect& rect, YTextureBase* texture, YShader* shader, const YColor& colour);

// The level a record shows, counted from 1, as the duel's header shows it:
// a hero's level, a monster's levels above its type's start level.
int ShownLevel(const YPlayer& player);
// The record's face over the rectangle (mirrored when asked), then its
// shown level in light yellow with a shadow, 0.2 x the width high, near
// the top left corner. A record without a face shows only the level; null
// draws nothing.
void DrawPortrait(const YRect& rect, YPlayer* player, bool mirrored);
