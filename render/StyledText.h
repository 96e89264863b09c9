// Text in a style's font, size and colour: the widgets' way of drawing text.
// The colour becomes the renderer's shader colour of the font's shader
// (its emissive, its alpha the diffuse alpha), then the font draws.
#pragma once

#include <string_view>

#include "framework/YColor.h"
#include "render/UITextStyle.h"

// Returns the pen advance in UI units; y is the bottom of the line box. A
// style without a font, a font without a shader or no renderer draws
// nothing and returns 0.
float DrawStyledText(float x, float y, const UITextStyle& style, std::string_view text);
// The same with `colour` instead of the style's colour.
float DrawStyledTextColor(float x, float y, const UITextStyle& style, const YColor& colour,
                          std::string_view text);
