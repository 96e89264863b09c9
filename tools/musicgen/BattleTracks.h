// The tracks of the duel and its outcome: the duel with the sides even, with
// the player low, with the opponent low, then victory and defeat.
#pragma once

#include "tools/musicgen/Song.h"

namespace battle_tracks {

Song DuelEven();  // tense D minor, strings ostinato and drums, a loop
Song DuelLow();   // urgent E minor, faster, heartbeat kick, a loop
Song DuelHigh();  // triumphant D major march, a loop
Song Victory();   // brass fanfare in B flat, played once
Song Defeat();    // slow, sombre C minor, played once

}  // namespace battle_tracks
