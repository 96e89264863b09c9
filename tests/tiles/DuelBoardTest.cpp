// The grid of tile cells and the blocked rule, with its incremental form
// checked against a full recomputation.
#include <gtest/gtest.h>

#include <vector>

#include "tests/tiles/TilesTestSupport.h"
#include "tiles/DuelBoard.h"
#include "tiles/DuelRandom.h"

namespace {

using tile_layout::Corner;

// A board of the corners, all tiles live, flags computed.
DuelBoard LiveBoard(const std::vector<Corner>& corners) {
  DuelBoard board;
  for (const Corner& c : corners) board.AddTile(c.x, c.y, c.z);
  EXPECT_TRUE(board.BuildGrid());
  for (YTile& t : board.tiles) t.state = YTile::kLive;
  board.UpdateAllBlocked();
  return board;
}

std::vector<std::uint8_t> Flags(const DuelBoard& board) {
  std::vector<std::uint8_t> flags;
  for (const YTile& t : board.tiles) flags.push_back(t.blocked);
  return flags;
}

TEST(DuelBoardTest, GridLeavesAMarginAndCentresTheTiles) {
  DuelBoard board;
  board.AddTile(10, 5, 2);
  board.AddTile(14, 8, 3);
  ASSERT_TRUE(board.BuildGrid());
  EXPECT_EQ(board.width, 8);   // 14 - 10 + 4
  EXPECT_EQ(board.height, 7);  // 8 - 5 + 4
  EXPECT_EQ(board.depth, 4);   // 3 - 2 + 3
  EXPECT_EQ(board.tiles[0].x, 1);
  EXPECT_EQ(board.tiles[0].y, 1);
  EXPECT_EQ(board.tiles[0].z, 1);
  EXPECT_EQ(board.tiles[1].x, 5);
  EXPECT_EQ(board.tiles[1].state, YTile::kSetAside);
  EXPECT_FLOAT_EQ(board.origin.x, (1.0f - 8 * 0.5f) * 0.5f);
  EXPECT_FLOAT_EQ(board.origin.y, (1.0f - 7 * 0.5f) * 0.65f);
  EXPECT_FLOAT_EQ(board.origin.z, -0.7f);
  EXPECT_FLOAT_EQ(board.viewDistance, 50.0f);
  const YVector3 home = board.HomePosition(board.tiles[1]);
  EXPECT_FLOAT_EQ(home.x, 5 * 0.5f + board.origin.x);
  EXPECT_FLOAT_EQ(board.tiles[1].world.m[3][2], 2 * 0.7f + board.origin.z);
  for (int dx = 0; dx < 2; ++dx)
    for (int dy = 0; dy < 2; ++dy) EXPECT_EQ(board.TileAt(5 + dx, 4 + dy, 2), 1);
  EXPECT_EQ(board.TileAt(7, 4, 2), -1);
}

TEST(DuelBoardTest, HugeSpansAreRefused) {
  DuelBoard board;
  board.AddTile(0, 0, 0);
  board.AddTile(2000000, 2000000, 0);
  EXPECT_FALSE(board.BuildGrid());
  EXPECT_TRUE(board.tiles.empty());
}

TEST(DuelBoardTest, BlockedRule) {
  struct Case {
    const char* what;
    std::vector<Corner> corners;  // the tile under test is the first
    bool blocked;
  };
  const std::vector<Case> cases = {
      {"alone", {{4, 4, 0}}, false},
      {"left neighbour only", {{4, 4, 0}, {2, 4, 0}}, false},
      {"right neighbour only", {{4, 4, 0}, {6, 4, 0}}, false},
      {"both sides", {{4, 4, 0}, {2, 4, 0}, {6, 4, 0}}, true},
      {"left a row higher, right a row lower", {{4, 4, 0}, {2, 5, 0}, {6, 3, 0}}, true},
      {"left two rows higher", {{4, 4, 0}, {2, 6, 0}, {6, 4, 0}}, false},
      {"a gap of one cell", {{4, 4, 0}, {1, 4, 0}, {6, 4, 0}}, false},
      {"covered exactly", {{4, 4, 0}, {4, 4, 1}}, true},
      {"covered by a quarter", {{4, 4, 0}, {5, 5, 1}}, true},
      {"above but beside", {{4, 4, 0}, {6, 4, 1}}, false},
  };
  for (const Case& c : cases) {
    const DuelBoard board = LiveBoard(c.corners);
    EXPECT_EQ(board.tiles[0].blocked != 0, c.blocked) << c.what;
  }
}

// Removing tiles at random and putting them back in reverse order, the
// neighbour updates keep every flag equal to a full recomputation.
TEST(DuelBoardTest, NeighbourUpdatesMatchAFullRecompute) {
  for (const std::string& name : tiles_test::ShippedLayoutNames()) {
    DuelBoard board = LiveBoard(tiles_test::ShippedLayout(name));
    DuelRandom random(static_cast<std::uint32_t>(name.size()));
    for (int game = 0; game < 20; ++game) {
      std::vector<int> removed;
      for (int step = 0; step < static_cast<int>(board.tiles.size()) / 2; ++step) {
        std::vector<int> open;
        for (std::size_t i = 0; i < board.tiles.size(); ++i)
          if (board.IsOpen(static_cast<int>(i))) open.push_back(static_cast<int>(i));
        if (open.empty()) break;
        const int tile = open[static_cast<std::size_t>(random.Below(static_cast<int>(open.size())))];
        board.tiles[static_cast<std::size_t>(tile)].state = YTile::kRemoved;
        board.UpdateNeighbours(tile, 1);
        removed.push_back(tile);
        DuelBoard full = board;
        full.UpdateAllBlocked();
        ASSERT_EQ(Flags(board), Flags(full)) << name << " after removing " << tile;
      }
      for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
        board.tiles[static_cast<std::size_t>(*it)].state = YTile::kLive;
        board.UpdateNeighbours(*it, 0);
        DuelBoard full = board;
        full.UpdateAllBlocked();
        ASSERT_EQ(Flags(board), Flags(full)) << name << " after restoring " << *it;
      }
    }
  }
}

}  // namespace
