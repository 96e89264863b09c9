// The pictures of the artifact catalogue: one icon per artifact, its shape
// telling what it is (feather, ring, amulet, sword, shield...) and its
// colour the element it serves, on a small card.
#pragma once

#include <string>
#include <vector>

#include "tools/texgen/TgaWriter.h"

struct ArtifactIcon {
  std::string name;  // the picture is name + ".tga"
  TgaImage image;
};

std::vector<ArtifactIcon> DrawArtifactIcons();
