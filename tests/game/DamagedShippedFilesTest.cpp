// Damaged copies of the shipped files the game cannot do without: each
// loader reports the file by its name, so the player is told of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board/DeskFile.h"
#include "board/YTessor.h"
#include "board/YTessorLevelLoader.h"
#include "framework/FileAlerts.h"
#include "game/GameFramework.h"
#include "render/YFontLoader.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"
#include "tests/support/TestSupport.h"
#include "tiles/DuelBoard.h"
#include "tiles/TileLayout.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"

namespace fs = std::filesystem;

namespace {

// The middle third of the bytes replaced by noise, as a bad disk or a bad
// copy leaves them.
std::string Garbled(std::string bytes) {
  std::uint32_t noise = 12345;
  for (std::size_t i = bytes.size() / 3; i < 2 * bytes.size() / 3; ++i) {
    noise = noise * 214013 + 2531011;
    bytes[i] = static_cast<char>(noise >> 16);
  }
  return bytes;
}

std::string CutInHalf(std::string bytes) { return bytes.substr(0, bytes.size() / 2); }

class DamagedShippedFiles : public ::testing::Test {
 protected:
  DamagedShippedFiles() { FileAlerts::Reset(); }
  // The shipped file `name` (a data name), damaged, in the working folder.
  void Damage(const std::string& name, std::string (*damage)(std::string)) {
    std::string path = name;
    for (char& c : path) c = c == '\\' ? '/' : c;
    fs::create_directories((dir_.Path() / path).parent_path());
    testing_support::WriteFile(dir_.Path() / path,
                               damage(testing_support::ReadFile(fs::path(QV_GAME_DIR) / path)));
  }
  bool Reported(const std::string& name) const {
    for (const std::string& file : FileAlerts::TakeFailedFiles())
      if (file == name) return true;
    return false;
  }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_{dir_.Path()};
};

TEST_F(DamagedShippedFiles, EachLoaderNamesTheFileItCouldNotRead) {
  Damage("ui\\english\\mainMenu.yml", Garbled);
  UIParser::LoadLayout("ui\\english\\mainMenu.yml");
  EXPECT_TRUE(Reported("ui\\english\\mainMenu.yml"));

  Damage("data\\fonts.yml", Garbled);
  YFontLoader().Load("data\\fonts.yml", GameFramework::kFonts);
  EXPECT_TRUE(Reported("data\\fonts.yml"));

  Damage("layouts\\standard.lay", Garbled);
  DuelBoard board;
  EXPECT_EQ(tile_layout::LoadUsableLayout("layouts\\standard.lay", board), "");
  EXPECT_TRUE(Reported("layouts\\standard.lay"));

  Damage("mesh\\piece.mes", CutInHalf);
  YMesh mesh;
  YMeshLoader::LoadFile(mesh, "mesh\\piece.mes");
  EXPECT_TRUE(Reported("mesh\\piece.mes"));

  Damage("levels\\level01.yml", Garbled);
  Damage("desks\\base.dsk", CutInHalf);
  YTessor tessor;
  YTessorLevelLoader::Load(tessor, "levels\\level01.yml", 0, 0, false);
  const std::vector<std::string> level = FileAlerts::TakeFailedFiles();
  EXPECT_EQ(level, (std::vector<std::string>{"desks\\base.dsk", "levels\\level01.yml"}));
}

}  // namespace
