// The main menu's and the network setup's pictures: the turning burst of
// the four element colours behind the menu's title, and the wizard who
// waits for the other player of a network game.
#pragma once

#include <vector>

#include "tools/texgen/PanelTextures.h"

std::vector<GeneratedTexture> MenuTextures();
