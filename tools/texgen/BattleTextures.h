// The tile battle's textures: the screen's frame with its see-through
// holes, the side and bottom panels, the shield, reflection and glow icons,
// the particles of the spell shows (sparks, blasts, flames, smoke, skulls,
// snow, drops, rocks, lightning, tile shards) and the burning and frozen
// tile overlays. Particles are white or light grey and take their colour
// from the code.
#pragma once

#include <vector>

#include "tools/texgen/PanelTextures.h"

std::vector<GeneratedTexture> BattleTextures();
