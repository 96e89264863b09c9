#include "tiles/DuelBoard.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Cells visited by UpdateNeighbours, from the tile's top-left cell: the four
// cells under it, then its left and its right side.
constexpr std::array<std::array<int, 3>, 8> kNeighbourOffsets = {{
    {0, 0, -1}, {1, 0, -1}, {0, 1, -1}, {1, 1, -1}, {-1, 0, 0}, {-1, 1, 0}, {2, 0, 0}, {2, 1, 0}}};

}  // namespace

void DuelBoard::Clear() {
  tiles.clear();
  grid.clear();
  width = height = depth = 0;
}

void DuelBoard::AddTile(std::int32_t x, std::int32_t y, std::int32_t z) {
  YTile tile;
  tile.x = x;
  tile.y = y;
  tile.z = z;
  tiles.push_back(tile);
}

bool DuelBoard::HasLiveTileAt(std::int32_t x, std::int32_t y, std::int32_t z) const {
  const int tile = TileAt(x, y, z);
  return tile >= 0 && tiles[static_cast<std::size_t>(tile)].IsLive();
}

bool DuelBoard::BuildGrid() {
  grid.clear();
  if (tiles.empty()) return true;
  std::int64_t lo[3] = {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
                        std::numeric_limits<std::int32_t>::max()};
  std::int64_t hi[3] = {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
                        std::numeric_limits<std::int32_t>::min()};
  for (const YTile& t : tiles) {
    const std::int64_t c[3] = {t.x, t.y, t.z};
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], c[a]);
      hi[a] = std::max(hi[a], c[a]);
    }
  }
  const std::int64_t w = hi[0] - lo[0] + 4, h = hi[1] - lo[1] + 4, d = hi[2] - lo[2] + 3;
  if (w * h * d > kMaxCells || tiles.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    Clear();
    return false;
  }
  width = static_cast<std::int32_t>(w);
  height = static_cast<std::int32_t>(h);
  depth = static_cast<std::int32_t>(d);
  // The tiles' block is centred on the world origin in x and y.
  origin = YVector3((1.0f - static_cast<float>(width) * 0.5f) * kCellWidth,
                    (1.0f - static_cast<float>(height) * 0.5f) * kCellHeight, -kLayerDepth);
  viewDistance = std::max({50.0f, (static_cast<float>(width) * kCellWidth + 1.0f) * 3.06f,
                           (static_cast<float>(height) * kCellHeight + 1.3f) * 4.0f});
  grid.assign(static_cast<std::size_t>(w * h * d), -1);
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    YTile& t = tiles[i];
    t.x = static_cast<std::int32_t>(t.x + 1 - lo[0]);
    t.y = static_cast<std::int32_t>(t.y + 1 - lo[1]);
    t.z = static_cast<std::int32_t>(t.z + 1 - lo[2]);
    t.state = YTile::kSetAside;
    t.world = TileMatrix(t);
    PlaceTile(static_cast<int>(i));
  }
  return true;
}

void DuelBoard::PlaceTile(int tile) {
  const YTile& t = tiles[static_cast<std::size_t>(tile)];
  const auto index = static_cast<std::int16_t>(tile);
  grid[static_cast<std::size_t>(CellIndex(t.x, t.y, t.z))] = index;
  grid[static_cast<std::size_t>(CellIndex(t.x + 1, t.y, t.z))] = index;
  grid[static_cast<std::size_t>(CellIndex(t.x, t.y + 1, t.z))] = index;
  grid[static_cast<std::size_t>(CellIndex(t.x + 1, t.y + 1, t.z))] = index;
}

bool DuelBoard::IsBlocked(int tile) const {
  const YTile& t = tiles[static_cast<std::size_t>(tile)];
  if (HasLiveTileAt(t.x, t.y, t.z + 1) || HasLiveTileAt(t.x + 1, t.y, t.z + 1) ||
      HasLiveTileAt(t.x, t.y + 1, t.z + 1) || HasLiveTileAt(t.x + 1, t.y + 1, t.z + 1))
    return true;
  const bool left = HasLiveTileAt(t.x - 1, t.y, t.z) || HasLiveTileAt(t.x - 1, t.y + 1, t.z);
  const bool right = HasLiveTileAt(t.x + 2, t.y, t.z) || HasLiveTileAt(t.x + 2, t.y + 1, t.z);
  return left && right;
}

void DuelBoard::UpdateAllBlocked() {
  for (std::size_t i = 0; i < tiles.size(); ++i) UpdateBlocked(static_cast<int>(i));
}

void DuelBoard::UpdateNeighbours(int tile, std::uint8_t flag) {
  const YTile& t = tiles[static_cast<std::size_t>(tile)];
  for (const auto& offset : kNeighbourOffsets) {
    const int other = TileAt(t.x + offset[0], t.y + offset[1], t.z + offset[2]);
    if (other < 0) continue;
    const YTile& o = tiles[static_cast<std::size_t>(other)];
    if (o.IsLive() && o.blocked == flag) UpdateBlocked(other);
  }
}

YVector3 DuelBoard::HomePosition(const YTile& tile) const {
  return YVector3(static_cast<float>(tile.x) * kCellWidth + origin.x,
                  static_cast<float>(tile.y) * kCellHeight + origin.y,
                  static_cast<float>(tile.z) * kLayerDepth + origin.z);
}

YMatrix4 DuelBoard::TileMatrix(const YTile& tile) const {
  YMatrix4 matrix;
  matrix.SetTranslation(HomePosition(tile));
  return matrix;
}

int DuelBoard::LiveCount() const {
  return static_cast<int>(std::count_if(tiles.begin(), tiles.end(), [](const YTile& t) { return t.IsLive(); }));
}
