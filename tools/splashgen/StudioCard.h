// The first splash screen: the card of the game's studio, Lantern Hollow
// Games. A lantern with a living flame above the studio's name, on a flat
// night-blue ground that matches the screen's background colour at every
// edge, so the card melts into it at any size.
#pragma once

#include "tools/splashgen/Canvas.h"
#include "tools/splashgen/SplashFonts.h"

// The ground colour, 0xRRGGBB: the "bgcolor" of the studio card's entry in
// "splash\config.yml" must be the same.
inline constexpr unsigned kStudioGround = 0x0B0E16;

// 1024 x 512, opaque.
Canvas PaintStudioCard(const SplashFonts& fonts);
