// The second splash screen: the game's title, "Quennel Varrick", in gilded
// letters over a 9 x 9 board in perspective whose quarters burn in the four
// elements' colours, under a night sky with drifting motes; a full-screen
// card.
#pragma once

#include "tools/splashgen/Canvas.h"
#include "tools/splashgen/SplashFonts.h"

// 1024 x 768, opaque.
Canvas PaintTitleCard(const SplashFonts& fonts);
