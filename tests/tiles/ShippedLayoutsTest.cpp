// The shipped layouts: each is what its drawing says, loads through the
// battle's reader, and the standard one holds 144 tiles.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/DuelBoard.h"
#include "tiles/TileLayout.h"
#include "tools/layoutgen/LayoutDrawing.h"

namespace {

namespace fs = std::filesystem;

fs::path Source() { return fs::path(QV_SOURCE_DIR); }

TEST(ShippedLayoutsTest, EachLayoutIsItsDrawing) {
  const std::vector<std::string> names = tiles_test::ShippedLayoutNames();
  ASSERT_GE(names.size(), 6u);
  for (const std::string& name : names) {
    const fs::path drawingFile = Source() / "tools" / "layoutgen" / "drawings" / (name + ".txt");
    ASSERT_TRUE(fs::exists(drawingFile)) << name;
    LayoutDrawing drawing;
    std::string error;
    ASSERT_TRUE(ParseLayoutDrawing(testing_support::ReadFile(drawingFile), drawing, error)) << name << ": " << error;
    EXPECT_EQ(testing_support::ReadFile(Source() / "content" / "layouts" / (name + ".lay")), LayoutFileText(drawing))
        << name << ": run qv_layoutgen on its drawing";
    EXPECT_EQ(drawing.corners.size() % 2, 0u) << name << ": an odd tile can never be taken";
  }
}

TEST(ShippedLayoutsTest, EachLoadsThroughTheBattlesReader) {
  testing_support::ScopedTempDir dir;
  fs::create_directories(dir.Path() / "layouts");
  testing_support::ScopedCwd cwd(dir.Path());
  for (const std::string& name : tiles_test::ShippedLayoutNames()) {
    fs::copy_file(Source() / "content" / "layouts" / (name + ".lay"), dir.Path() / "layouts" / (name + ".lay"));
    DuelBoard board;
    ASSERT_TRUE(tile_layout::LoadLayout("layouts\\" + name + ".lay", board)) << name;
    EXPECT_EQ(board.tiles.size(), tiles_test::ShippedLayout(name).size());
    DuelBoard again;
    ASSERT_TRUE(tile_layout::LoadLayout("layouts\\" + name + ".lay", again)) << name << " compiled";
    ASSERT_EQ(again.tiles.size(), board.tiles.size());
    for (std::size_t i = 0; i < board.tiles.size(); ++i) {
      EXPECT_EQ(again.tiles[i].x, board.tiles[i].x);
      EXPECT_EQ(again.tiles[i].y, board.tiles[i].y);
      EXPECT_EQ(again.tiles[i].z, board.tiles[i].z);
    }
  }
  EXPECT_EQ(tiles_test::ShippedLayout("standard").size(), 144u);
}

TEST(ShippedLayoutsTest, DrawingsRefuseBrokenFootprints) {
  std::string error;
  LayoutDrawing drawing;
  const std::string empty(34, '.');
  std::string layer = "layer 0\n";
  for (int row = 0; row < 18; ++row) layer += empty + "\n";
  EXPECT_FALSE(ParseLayoutDrawing(layer + "o+" + empty.substr(2) + "\n" + empty + "\n", drawing, error));
  EXPECT_NE(error.find("needs '+'"), std::string::npos) << error;
  EXPECT_TRUE(ParseLayoutDrawing(layer + "++++" + empty.substr(4) + "\no+o+" + empty.substr(4) + "\n", drawing, error))
      << error;
  EXPECT_EQ(drawing.corners.size(), 2u);
  EXPECT_FALSE(ParseLayoutDrawing(layer + "+++" + empty.substr(3) + "\no+o+" + empty.substr(4) + "\n", drawing, error));
  EXPECT_FALSE(ParseLayoutDrawing("layer 7\n", drawing, error));
}

}  // namespace
