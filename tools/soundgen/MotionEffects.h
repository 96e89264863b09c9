// Effects of figures moving on the board: footsteps (three variants),
// wing beats and the shimmer of a teleport.
#pragma once

#include "tools/soundgen/MonoSound.h"

namespace motion_effects {

// One footstep on packed earth; variant 0, 1 or 2 changes weight and grit.
MonoSound Walk(int variant);
MonoSound Fly();       // three beats of large wings
MonoSound Teleport();  // a rising, glittering shimmer

}  // namespace motion_effects
