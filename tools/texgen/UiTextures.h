// The interface's textures: frames for buttons, combo boxes, edit boxes,
// windows and drop-down lists, scroll-bar arrows and track, the tracker's
// groove and knob, a speed button, a picture and a glow. Water blue bodies
// with gold (air) rims on dark panels; the looks of a widget differ in
// brightness and offset as well as colour.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/texgen/TgaWriter.h"

// Every interface texture with its file name.
std::vector<std::pair<std::string, TgaImage>> UiTextures();
