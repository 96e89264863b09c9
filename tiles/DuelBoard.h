// The tiles of a duel and the grid of cells they stand in. A tile covers
// four cells of its layer: (x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1);
// the grid holds the tile's index in all four. Building the grid leaves an
// empty margin around the tiles, so that every neighbour look-up of the
// blocked rule stays inside the grid. A plain value: copying a board copies
// a position.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"
#include "tiles/YTile.h"

class DuelBoard {
 public:
  // Cell size in world units: 0.5 wide (x), 0.65 high (y), 0.7 a layer (z).
  static constexpr float kCellWidth = 0.5f;
  static constexpr float kCellHeight = 0.65f;
  static constexpr float kLayerDepth = 0.7f;
  // The largest grid BuildGrid makes (cells); layouts are far smaller.
  static constexpr std::int64_t kMaxCells = 1 << 20;

  std::vector<YTile> tiles;  // in layout order
  std::vector<std::int16_t> grid;  // tile index per cell, -1 for none
  std::int32_t width = 0, height = 0, depth = 0;
  YVector3 origin;  // world position of cell (0, 0, 0)
  float viewDistance = 0;

  // Frees every tile and empties the grid.
  void Clear();
  // Appends a tile at (x, y, z) with kind 0, set aside; BuildGrid places it.
  void AddTile(std::int32_t x, std::int32_t y, std::int32_t z);

  // (z * H + y) * W + x.
  std::int32_t CellIndex(std::int32_t x, std::int32_t y, std::int32_t z) const {
    return (z * height + y) * width + x;
  }
  // The tile in a cell, -1 for none. The cell must lie inside the grid.
  int TileAt(std::int32_t x, std::int32_t y, std::int32_t z) const {
    return grid[static_cast<std::size_t>(CellIndex(x, y, z))];
  }
  bool HasLiveTileAt(std::int32_t x, std::int32_t y, std::int32_t z) const;

  // Sizes the grid around the tiles, shifts every tile so that each axis
  // starts at 1, sets them aside at their home matrices and places them.
  // Nothing with no tiles. False (and no tiles) when the tiles span more
  // than kMaxCells.
  bool BuildGrid();
  // Writes the tile's index into its four cells.
  void PlaceTile(int tile);

  // The blocked rule: a tile is blocked when a live tile lies on any of the
  // four cells above it, or when live tiles occupy both its left side
  // (x - 1, rows y and y + 1) and its right side (x + 2, the same rows).
  bool IsBlocked(int tile) const;
  void UpdateBlocked(int tile) { tiles[static_cast<std::size_t>(tile)].blocked = IsBlocked(tile) ? 1 : 0; }
  // Recomputes the blocked flag of every tile.
  void UpdateAllBlocked();
  // Recomputes the tiles beside and under a tile whose blocked flag equals
  // `flag`: after a removal with 1 (only blocked tiles can become free),
  // after a tile comes back with 0 (only free tiles can become blocked).
  void UpdateNeighbours(int tile, std::uint8_t flag);

  // Live, not blocked (frozen tiles are the rules' concern).
  bool IsOpen(int tile) const {
    const YTile& t = tiles[static_cast<std::size_t>(tile)];
    return t.IsLive() && t.blocked == 0;
  }
  // The world position of a tile's place and its drawing matrix there.
  YVector3 HomePosition(const YTile& tile) const;
  YMatrix4 TileMatrix(const YTile& tile) const;
  // The number of live tiles.
  int LiveCount() const;
};
