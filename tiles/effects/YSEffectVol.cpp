#include "tiles/effects/YSEffectVol.h"

bool YSEffectVol::Update(float dt) {
  time += dt;
  if (time < duration) {
    *target = from + (to - from) * time / duration;
    return false;
  }
  *target = to;
  return true;
}
