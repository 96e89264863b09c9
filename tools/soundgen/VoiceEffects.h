// Voiced effects: a mocking laugh ("ha ha ha ha", a glottal pulse train
// through the formants of an open vowel) and the horn call that opens a
// combat.
#pragma once

#include "tools/soundgen/MonoSound.h"

namespace voice_effects {

MonoSound Laugh();
MonoSound Combat();

}  // namespace voice_effects
