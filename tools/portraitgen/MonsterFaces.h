// The faces of the monster catalogue: one picture per monster type, built
// from an archetype's head (spirit, bird, beast, imp, blob, insect, golem,
// worm, dragon, frog, crystal) and its own features, on the card of its
// element; bosses wear a gold frame and a crown.
#pragma once

#include <string>
#include <vector>

#include "tools/texgen/TgaWriter.h"

struct MonsterFace {
  std::string id;  // the picture is id + ".tga"
  TgaImage image;
};

std::vector<MonsterFace> DrawMonsterFaces();
