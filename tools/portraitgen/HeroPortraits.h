// The portraits of the hero catalogue: a bust per race and gender on the
// card of the race's element. Races are told apart by their headgear
// (feathered ears, horns and flames, a square helm, a wave hood, a wide
// hat) and genders by hair and beard.
#pragma once

#include <string>
#include <vector>

#include "tools/texgen/TgaWriter.h"

struct HeroPortrait {
  std::string name;  // the picture is "heroes\" + name + ".tga"
  TgaImage image;
};

std::vector<HeroPortrait> DrawHeroPortraits();
