// One tile of a duel board: where it stands (its top-left cell and layer),
// which kind it shows, whether it is on the board and whether it is free.
// Tiles are plain values held by the board in layout order; everything else
// names a tile by its index in that list.
#pragma once

#include <cstdint>

#include "framework/YMatrix4.h"

struct YTile {
  enum State : std::uint8_t {
    kLive = 0,      // on the board
    kSetAside = 1,  // off the board for now: during a deal, or taken by a spell
    kRemoved = 2,   // taken off the board
  };

  std::int32_t number = 0;  // a fresh deal numbers the tiles 0, 1, 2 ... in list order
  std::int32_t kind = 0;    // index into the kind table
  std::int32_t x = 0, y = 0, z = 0;
  YMatrix4 world;           // drawing transform; effects move it about
  float flyIn = 0;          // the fly-in value a fresh deal drew for this tile
  std::uint8_t blocked = 0;  // 1 when the tile cannot be taken
  std::uint8_t state = kSetAside;

  bool IsLive() const { return state == kLive; }
};
