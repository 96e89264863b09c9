// The control panel's textures: its parchment background with framed
// areas, the divider between its lists, the four tab boxes (one element
// colour each), the slot frame, the experience star and the gold coin, the
// skill button, the scroll bar's track and arrows, the progress bar, the
// skill glow and the slowly turning background of the books and battles.
#pragma once

#include <string>
#include <vector>

#include "tools/texgen/TgaWriter.h"

struct GeneratedTexture {
  std::string name;    // relative to the textures folder, "/" separated
  TgaImage image;
  bool jpeg = false;   // written as JPEG (the image is opaque), else TGA
};

std::vector<GeneratedTexture> PanelTextures();
