// Effects of the interface and the trade screens: clicks, the clock tick,
// the card shuffle and the coins of selling and buying. Each returns the
// raw sound; the generator normalises and fades it.
#pragma once

#include "tools/soundgen/MonoSound.h"

namespace ui_effects {

MonoSound Tuc();      // a light wooden click
MonoSound Tuc2();     // a lower, rounder click
MonoSound Clock();    // one tick of a clockwork
MonoSound Shuffle();  // a riffle of cards
MonoSound Sell();     // a handful of coins dropped on a counter
MonoSound Buy();      // two coins and a shop bell

}  // namespace ui_effects
