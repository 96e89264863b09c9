// The tracks heard away from battle: the main menu, the control panel and
// introduction, the final scene and the board.
#pragma once

#include "tools/musicgen/Song.h"

namespace peace_tracks {

Song Menu();    // stately procession in D major, a loop
Song Panel();   // calm harp and flute waltz in F major, a loop
Song Finale();  // grand brass and choir close in C major, played once
Song Board();   // thoughtful lute and celesta in A minor, a loop

}  // namespace peace_tracks
