// Damaged copies of the shipped files the game cannot do without: each
// loader reports the file by its name, so the player is told of it, and
// logs what is wrong with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "board/DeskFile.h"
#include "board/YTessor.h"
#include "board/YTessorLevelLoader.h"
#include "framework/FileAlerts.h"
#include "framework/YLocale.h"
#include "game/GameFramework.h"
#include "render/Render_D3D.h"
#include "render/TextureLoading.h"
#include "render/YFontLoader.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"
#include "render/YSTexture.h"
#include "sound/OggStream.h"
#include "sound/SoundEntry.h"
#include "sound/SoundError.h"
#include "sound/YSoundLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/FakeDisplaySystem.h"
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

std::string Whole(std::string bytes) { return bytes; }

// Decodes the whole Ogg file, as a music stream would.
void DecodeOgg(const std::string& name) {
  OggStream ogg;
  ogg.Open(name);
  std::vector<std::uint8_t> piece(65536);
  while (ogg.Read(piece.data(), static_cast<int>(piece.size())) > 0) {
  }
}

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

TEST_F(DamagedShippedFiles, PicturesSoundsAndTextsAreReportedAndLogged) {
  LogCapture log;
  Damage("ui\\english\\locale.yml", Garbled);
  YLocale locale;
  locale.Load("ui\\english\\locale.yml");
  EXPECT_TRUE(Reported("ui\\english\\locale.yml"));
  const std::vector<std::string> lines = log.Lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.starts_with("Locale parser error, ") && line.find("ui\\english\\locale.yml, line: ") != line.npos;
  }));

  // A cut picture, and one cut into cells (the tile faces), on a device.
  Damage("textures\\ui_button.tga", CutInHalf);
  Damage("textures\\tileset.jpg", Garbled);
  auto display = std::make_unique<testing_support::FakeDisplaySystem>();
  display->modes = {{1024, 768, 60, platform::fmt::X8R8G8B8}};
  Render_D3D render(std::move(display));
  render.EnumerateModes();
  render.CreateDeviceOn(nullptr, true, 0);
  EXPECT_EQ(LoadDeviceTexture(*TextureDevice(), "textures\\ui_button.tga", 0, 1), nullptr);
  std::vector<YSTexture*> cells;
  MakeArrayTexture(2, 1, 2, cells, "textures\\tileset.jpg");
  for (YSTexture* cell : cells) delete cell;
  // A picture that the process's texture cache holds from an earlier test is
  // read again, damaged, as the device is created: it may come first.
  std::vector<std::string> pictures = FileAlerts::TakeFailedFiles();
  std::ranges::sort(pictures);
  EXPECT_EQ(pictures, (std::vector<std::string>{"textures\\tileset.jpg", "textures\\ui_button.tga"}));

  // Sound effects: the damaged ones are reported, not the file naming them.
  for (const auto& entry : fs::directory_iterator(fs::path(QV_GAME_DIR) / "sound"))
    Damage("sound\\" + entry.path().filename().string(), Whole);
  Damage("data\\sound_fx.yml", Whole);
  Damage("sound\\walk2.wav", CutInHalf);
  Damage("sound\\combat.ogg", CutInHalf);
  LoadSounds("data\\sound_fx.yml");
  EXPECT_EQ(FileAlerts::TakeFailedFiles(), (std::vector<std::string>{"sound\\walk2.wav", "sound\\combat.ogg"}));
  ClearSounds();

  // Music, cut or garbled, is refused by its decoder.
  Damage("music\\00_menu.ogg", CutInHalf);
  Damage("music\\01_panel.ogg", Garbled);
  EXPECT_THROW(DecodeOgg("music\\00_menu.ogg"), SoundError);
  EXPECT_THROW(DecodeOgg("music\\01_panel.ogg"), SoundError);
}

}  // namespace
