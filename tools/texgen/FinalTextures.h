// The closing scene's pictures: the keep of the four elements at nightfall
// (a beacon brazier on the left tower, a crystal on the spire of the right
// one, the hero looking on) and the soft flare of light that turns and
// pulses over the crystal.
#pragma once

#include <vector>

#include "tools/texgen/PanelTextures.h"

std::vector<GeneratedTexture> FinalTextures();
