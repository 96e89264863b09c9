// The board screen's textures: the control-panel and main-menu buttons, the
// clock's four element icons (told apart by shape and colour), the frame
// round the board, the panel picture of the head-up display (see-through
// where the board and the portraits show), the clock's hand and its glass.
#pragma once

#include <vector>

#include "tools/texgen/PanelTextures.h"

std::vector<GeneratedTexture> BoardHudTextures();
