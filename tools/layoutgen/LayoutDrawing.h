// The readable form of a tile layout that the layout generator turns into
// a ".lay" file. A drawing holds one block per layer: a line "layer N"
// (0 to 4) and then 20 lines of 34 cells, the top line being row 19. Each
// tile is drawn as its 2 x 2 footprint: 'o' in its lower-left cell (the
// corner the layout file marks) and '+' in the other three; '.' is an
// empty cell. Lines starting with ';' are comments. Layers not drawn are
// empty.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tiles/TileLayout.h"

struct LayoutDrawing {
  std::string title;  // the first comment line, without ';'
  std::vector<tile_layout::Corner> corners;  // in layout-file order
};

// Reads a drawing; false with a reason (naming the line) when a line has
// the wrong length, a footprint is incomplete or a '+' belongs to no tile.
bool ParseLayoutDrawing(std::string_view text, LayoutDrawing& drawing, std::string& error);

// The ".lay" file of a drawing: two comment lines and the layout line.
std::string LayoutFileText(const LayoutDrawing& drawing);
