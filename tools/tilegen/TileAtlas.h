// The tile atlas of the duel: 11 frames a row, one row per element (air,
// fire, earth, water), one column per tile class. A frame's left part is the
// tile's face: a light stone with the class's sign in the middle and the
// element's sign in the upper left corner, so that every kind reads by shape
// as well as colour. Its right edge is the strip the tile's sides show.
#pragma once

#include "tools/splashgen/Canvas.h"

inline constexpr int kAtlasColumns = 11;
inline constexpr int kAtlasRows = 4;
inline constexpr int kFrameSide = 128;

// The whole atlas, kAtlasColumns x kAtlasRows frames of kFrameSide texels.
Canvas PaintTileAtlas();
