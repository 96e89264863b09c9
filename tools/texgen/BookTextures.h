// The book's pictures: the open book (two parchment pages over a leather
// cover, a spine between them and a ribbon bookmark hanging below) and the
// lit bookmark that shows while the pointer is over the book's back link.
#pragma once

#include <vector>

#include "tools/texgen/PanelTextures.h"

std::vector<GeneratedTexture> BookTextures();
