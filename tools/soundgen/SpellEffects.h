// Effects of the tile duel: passing a turn, the common spell chime, the
// reflex ping, and one burst for each element's spells.
#pragma once

#include "tools/soundgen/MonoSound.h"

namespace spell_effects {

MonoSound Skip();    // two soft falling chimes
MonoSound Spell();   // a rising bell arpeggio with sparkle
MonoSound Reflex();  // a metallic ping thrown back in rising echoes
MonoSound Fire();    // a roaring whoosh with crackles
MonoSound Water();   // a splash and bubbles
MonoSound Air();     // a whistling gust
MonoSound Earth();   // a rumble with heavy thuds and falling stones

}  // namespace spell_effects
