// The board battle's textures: the four element squares (light greys with
// the element's mark, coloured by their shaders' materials), the wall tops,
// the rock of wall and pit sides, the border, the power-point star and the
// path arrow.
#pragma once

#include <vector>

#include "tools/texgen/PanelTextures.h"

std::vector<GeneratedTexture> BoardTextures();
