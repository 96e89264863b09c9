// The shipped data of the duel: each layout is what its drawing says, loads
// through the battle's reader, the standard one holds 144 tiles; every
// text, sound and picture the battle names is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "framework/YLocale.h"
#include "platform/Image.h"
#include "render/YCamera.h"
#include "tests/support/TestSupport.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/DuelBoard.h"
#include "tiles/TileLayout.h"
#include "tiles/YTileset.h"
#include "tools/layoutgen/LayoutDrawing.h"

namespace {

namespace fs = std::filesystem;

fs::path Source() {
  return fs::path(QV_SOURCE_DIR);
}

TEST(ShippedLayoutsTest, EachLayoutIsItsDrawing) {
  const std::vector<std::string> names = tiles_test::ShippedLayoutNames();
  ASSERT_GE(names.size(), 6u);
  for (const std::string& name : names) {
    const fs::path drawingFile = Source() / "tools" / "layoutgen" / "drawings" / (name + ".txt");
    ASSERT_TRUE(fs::exists(drawingFile)) << name;
    LayoutDrawing drawing;
    std::string error;
    ASSERT_TRUE(ParseLayoutDrawing(testing_support::ReadFile(drawingFile), drawing, error))
        << name << ": " << error;
    EXPECT_EQ(testing_support::ReadFile(Source() / "content" / "layouts" / (name + ".lay")),
              LayoutFileText(drawing))
        << name << ": run qv_layoutgen on its drawing";
    EXPECT_EQ(drawing.corners.size() % 2, 0u) << name << ": an odd tile can never be taken";
  }
}

TEST(ShippedLayoutsTest, EachLoadsThroughTheBattlesReader) {
  testing_support::ScopedTempDir dir;
  fs::create_directories(dir.Path() / "layouts");
  testing_support::ScopedCwd cwd(dir.Path());
  for (const std::string& name : tiles_test::ShippedLayoutNames()) {
    fs::copy_file(Source() / "content" / "layouts" / (name + ".lay"),
                  dir.Path() / "layouts" / (name + ".lay"));
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

// A world point in the 1000 x 625 UI space, through the scene camera.
std::pair<float, float> UiPoint(const YVector3& p) {
  const YVector3 v = GetCamera().View().TransformPoint(p);
  const YMatrix4& m = GetCamera().Projection();
  const float x = v.x * m.m[0][0] + v.z * m.m[2][0];
  const float y = v.y * m.m[1][1] + v.z * m.m[2][1];
  const float w = v.z * m.m[2][3];
  return {(x / w + 1) * 500, (1 - y / w) * 312.5f};
}

// Every tile of every layout shows inside the board's frame, between the
// side panels and above the message panels.
TEST(ShippedLayoutsTest, EachFitsTheBoardsFrame) {
  tiles_test::ShippedLayoutsFolder folder;
  YTileset battle;
  for (const std::string& name : tiles_test::ShippedLayoutNames()) {
    battle.LoadLayout("layouts\\" + name + ".lay");
    battle.SetupView();
    float top = 625, bottom = 0, left = 1000, right = 0;
    for (const YTile& t : battle.State().board.tiles) {
      const YVector3 home = battle.State().board.HomePosition(t);
      for (const float dx : {-0.5f, 0.5f})
        for (const float dy : {-0.65f, 0.65f})
          for (const float dz : {0.0f, 0.7f}) {
            const auto [x, y] = UiPoint(YVector3(home.x + dx, home.y + dy, home.z + dz));
            top = std::min(top, y), bottom = std::max(bottom, y);
            left = std::min(left, x), right = std::max(right, x);
          }
    }
    EXPECT_GE(top, 10) << name;
    EXPECT_LE(bottom, 507) << name;
    EXPECT_GE(left, 146) << name;
    EXPECT_LE(right, 854) << name;
    EXPECT_LT(std::abs((top + bottom) / 2 - 258.5f), 40) << name << ": the frame's space above stays empty";
  }
}

TEST(ShippedLayoutsTest, EveryNameTheBattleLooksUpIsShipped) {
  const fs::path game(QV_GAME_DIR);
  int width = 0, height = 0;
  ASSERT_TRUE(platform::ReadImageSize((game / "textures" / "tileset.jpg").string(), width, height));
  EXPECT_EQ(width % 11, 0);
  EXPECT_EQ(height % 4, 0);
  EXPECT_TRUE(fs::exists(game / "layouts" / "standard.lay"));
  const std::string sounds = testing_support::ReadFile(Source() / "content" / "data" / "sound_fx.yml");
  for (const char* sound : YTileset::kSounds)
    EXPECT_NE(sounds.find("name=\"" + std::string(sound) + "\""), std::string::npos) << sound;
  std::vector<std::string> keys(std::begin(BoardMessages::kTextKeys), std::end(BoardMessages::kTextKeys));
  keys.insert(keys.end(), std::begin(YTileset::kHintKeys), std::end(YTileset::kHintKeys));
  for (const auto& folder : fs::directory_iterator(Source() / "content" / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string& key : keys)
      EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
  }
}

TEST(ShippedLayoutsTest, DrawingsRefuseBrokenFootprints) {
  std::string error;
  LayoutDrawing drawing;
  const std::string empty(34, '.');
  std::string layer = "layer 0\n";
  for (int row = 0; row < 18; ++row) layer += empty + "\n";
  EXPECT_FALSE(ParseLayoutDrawing(layer + "o+" + empty.substr(2) + "\n" + empty + "\n", drawing, error));
  EXPECT_NE(error.find("needs '+'"), std::string::npos) << error;
  EXPECT_TRUE(ParseLayoutDrawing(layer + "++++" + empty.substr(4) + "\no+o+" + empty.substr(4) + "\n",
                                 drawing, error))
      << error;
  EXPECT_EQ(drawing.corners.size(), 2u);
  EXPECT_FALSE(ParseLayoutDrawing(layer + "+++" + empty.substr(3) + "\no+o+" + empty.substr(4) + "\n",
                                  drawing, error));
  EXPECT_FALSE(ParseLayoutDrawing("layer 7\n", drawing, error));
}

}  // namespace
