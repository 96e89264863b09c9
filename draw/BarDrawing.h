// Progress bars for panels and cards ("pbar"): the whole bar, the share the
// value fills (horizontal from the left, vertical from the bottom) and the
// value as a number. A maximum of 0 or below shows an empty bar.
#pragma once

#include <cstdint>

#include "framework/YColor.h"

// The text size of the number under a vertical bar.
inline constexpr float kVerticalBarTextSize = 15;

// The share of the bar that `value` of `maximum` fills: 0 for a maximum of
// 0 or below and for a negative value, 1 for a value above the maximum.
float BarFill(std::int32_t value, std::int32_t maximum);

// A horizontal bar over (x, y, width, height) with the value in the main
// font, as high as the bar, centred on it in the text colour.
void DrawProgressBar(float x, float y, float width, float height, std::int32_t value, std::int32_t maximum,
                     const YColor& textColour, const YColor& barColour);
// The vertical form, filled from the bottom; the value is written centred
// under the bar at kVerticalBarTextSize.
void DrawProgressBar2(float x, float y, float width, float height, std::int32_t value, std::int32_t maximum,
                      const YColor& textColour, const YColor& barColour);
