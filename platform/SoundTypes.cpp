#include "platform/SoundTypes.h"

#include <cmath>

namespace platform {

float GainFromHundredthsDb(int hundredthsDb) {
  if (hundredthsDb >= 0) return 1.0f;
  if (hundredthsDb <= kSilentHundredthsDb) return 0.0f;
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

}  // namespace platform
