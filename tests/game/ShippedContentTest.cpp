// Every name the shipped data and the panel look up exists in the program
// folder, so a missing file fails here instead of drawing nothing.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "board/BoardHud.h"
#include "board/BoardShaderNames.h"
#include "draw/YControlPanel.h"
#include "framework/XMLParser.h"
#include "framework/YLocale.h"
#include "game/AppIcon.h"
#include "game/book/BookNames.h"
#include "game/book/BookPages.h"
#include "game/screens/CustomDrawing.h"
#include "game/screens/FileNotice.h"
#include "game/screens/PlayerPanels.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/SetupRows.h"
#include "modes/YGameHotseat.h"
#include "modes/YGameNetwork.h"
#include "platform/Image.h"
#include "platform/Paths.h"
#include "render/YFont.h"
#include "tests/support/TestSupport.h"

namespace {

// Collects the texture names of every stage of a shader file, also by shader.
class TextureNames : public XMLParser {
 public:
  TextureNames() {
    AddTag(MakeTag("shader", {{"name", ""}, {"inherited", ""}}));
    AddTag(MakeTag("map", {{"texture", ""}, {"wrap_x", "repeat"}, {"wrap_y", "repeat"}}));
  }
  std::vector<std::string> names;
  std::map<std::string, std::vector<std::string>> byShader;
  std::vector<std::string> errors;

 protected:
  void OnTagOpen(int tagId) override {
    if (tagId == 0) byShader[GetAttr(0, 0).value];
    if (tagId == 1 && !GetAttr(1, 0).value.empty()) {
      names.push_back(GetAttr(1, 0).value);
      byShader[GetAttr(0, 0).value].push_back(GetAttr(1, 0).value);
    }
  }
  // Tags this reader does not declare are expected; only collect names.
  bool OnError(const std::string&) override { return true; }
};

bool InProgramFolder(const std::string& dataName) {
  return std::filesystem::is_regular_file(std::filesystem::path(QV_GAME_DIR) / platform::MapPath(dataName));
}

TEST(ShippedContent, EveryTextureAShaderNamesIsShipped) {
  for (const char* file : {"data/shaders.yml", "splash/shaders.yml"}) {
    TextureNames reader;
    reader.ParseFile(std::string(QV_GAME_DIR) + "/" + file);
    EXPECT_FALSE(reader.names.empty()) << file;
    for (const std::string& name : reader.names) EXPECT_TRUE(InProgramFolder(name)) << file << " names " << name;
  }
}

TEST(ShippedContent, EveryFontHasItsGlyphTableAndAShaderWithItsAtlas) {
  struct Fonts : XMLParser {
    Fonts() { AddTag(MakeTag("font", {{"name", ""}, {"shader", ""}, {"data", ""}})); }
    void OnTagOpen(int) override {
      fonts.push_back({GetAttr(0, 0).value, GetAttr(0, 1).value, GetAttr(0, 2).value});
    }
    std::vector<std::vector<std::string>> fonts;
  } fontsFile;
  fontsFile.ParseFile(std::string(QV_GAME_DIR) + "/data/fonts.yml");
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  std::vector<std::string> names;
  for (const std::vector<std::string>& font : fontsFile.fonts) {
    names.push_back(font[0]);
    const auto data = std::filesystem::path(QV_GAME_DIR) / platform::MapPath(font[2]);
    EXPECT_TRUE(std::filesystem::is_regular_file(data) && std::filesystem::file_size(data) == 21504u)
        << font[2];
    const auto shader = shaders.byShader.find(font[1]);
    ASSERT_NE(shader, shaders.byShader.end()) << font[0] << " names the shader " << font[1];
    ASSERT_EQ(shader->second.size(), 1u) << font[1];
    EXPECT_TRUE(InProgramFolder(shader->second[0])) << shader->second[0];
  }
  EXPECT_EQ(names, (std::vector<std::string>{"sysfont", "mainfont", "labelfont", "default"}));
}

TEST(ShippedContent, EveryNameThePanelLooksUpIsShipped) {
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  for (const std::string shader : YControlPanel::kShaderNames) EXPECT_TRUE(shaders.byShader.contains(shader)) << shader;
  EXPECT_TRUE(shaders.byShader.contains("tileset_back"));  // the turning background's
  std::vector<std::string> textures(YControlPanel::kTabBoxTextures.begin(), YControlPanel::kTabBoxTextures.end());
  textures.insert(textures.end(), {YControlPanel::kSlotTexture, YControlPanel::kStarTexture, YControlPanel::kGoldTexture,
                                   YControlPanel::kSkillTexture, YControlPanel::kTrackTexture,
                                   YControlPanel::kUpTexture, YControlPanel::kDownTexture});
  for (const std::string& texture : textures) EXPECT_TRUE(InProgramFolder(texture)) << texture;
  const std::string sounds = testing_support::ReadFile(std::string(QV_GAME_DIR) + "/data/sound_fx.yml");
  for (const char* sound : YControlPanel::kSounds)
    EXPECT_NE(sounds.find("name=\"" + std::string(sound) + "\""), std::string::npos) << sound;
  std::vector<std::string> keys(YControlPanel::kTabKeys.begin(), YControlPanel::kTabKeys.end());
  keys.insert(keys.end(), YControlPanel::kTextKeys.begin(), YControlPanel::kTextKeys.end());
  keys.insert(keys.end(), YControlPanel::kMoveKindKeys.begin(), YControlPanel::kMoveKindKeys.end());
  for (const auto& folder : std::filesystem::directory_iterator(std::filesystem::path(QV_GAME_DIR) / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string& key : keys) EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
  }
}

TEST(ShippedContent, EveryNameTheBoardScreenLooksUpIsShipped) {
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  for (const std::string shader : board_hud::kShaderNames)
    EXPECT_TRUE(shaders.byShader.contains(shader)) << shader;
  std::vector<std::string> textures(board_hud::kButtonTextures.begin(), board_hud::kButtonTextures.end());
  textures.insert(textures.end(), board_hud::kClockIcons.begin(), board_hud::kClockIcons.end());
  for (const std::string& texture : textures) EXPECT_TRUE(InProgramFolder(texture)) << texture;
  std::vector<std::string> keys(board_hud::kPointInfoKeys.begin(), board_hud::kPointInfoKeys.end());
  keys.insert(keys.end(), {board_hud::kClockInfoKey, board_hud::kLevelKey, board_hud::kAbortKey});
  for (const auto& folder : std::filesystem::directory_iterator(std::filesystem::path(QV_GAME_DIR) / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string& key : keys)
      EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
    const std::string monsters = testing_support::ReadFile(folder.path() / "monsters.yml");
    EXPECT_NE(monsters.find("id=\"" + std::string(board_hud::kLeaderId) + "\""), std::string::npos)
        << folder.path();
  }
}

// The BGRA texel at (u, v) of the first texture of a shader, or nothing.
// The picture of a shader's first stage.
std::optional<platform::Image> ShaderPicture(const std::string& shader) {
  TextureNames names;
  names.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  return platform::LoadImageFile(
      (std::filesystem::path(QV_GAME_DIR) / platform::MapPath(names.byShader[shader].at(0))).string());
}

std::optional<std::array<int, 4>> TexelAt(const std::string& shader, float u, float v) {
  const std::optional<platform::Image> image = ShaderPicture(shader);
  if (!image) return std::nullopt;
  const int x = static_cast<int>(u * static_cast<float>(image->width));
  const int y = static_cast<int>(v * static_cast<float>(image->height));
  const std::size_t at = static_cast<std::size_t>((y * image->width + x) * 4);
  return std::array<int, 4>{image->bgra[at], image->bgra[at + 1], image->bgra[at + 2], image->bgra[at + 3]};
}

// The panel picture over the board screen is clear where the board and the
// portraits show and opaque over the clock; the frame is clear inside.
TEST(ShippedContent, TheBoardScreenPicturesAreSeeThroughWhereTheBoardShows) {
  const auto alphaAt = [](const std::string& shader, float u, float v) {
    const auto texel = TexelAt(shader, u, v);
    return texel ? (*texel)[3] : -1;
  };
  // UI points of the 1000 x 625 space.
  const auto hud = [&](float x, float y) { return alphaAt("ui4", x / 1000, y / 625); };
  EXPECT_EQ(hud(365, 312), 0) << "the board";
  EXPECT_EQ(hud(744, 366), 0) << "the lower portrait";
  EXPECT_EQ(hud(942, 64), 0) << "the upper portrait";
  EXPECT_EQ(hud(843, 214 + 60), 255) << "the clock's dial";
  EXPECT_EQ(alphaAt("uib4", 0.5f, 0.5f), 0);
  EXPECT_GT(alphaAt("uib4", 0.005f, 0.5f), 200);
}

// The book picture, drawn from its top 70.7 % over (62, 5, 876, 620), puts
// light opaque parchment under both pages' texts and nothing below the book.
TEST(ShippedContent, TheBookPictureHasParchmentUnderThePages) {
  const auto at = [](float x, float y) { return TexelAt("book", (x - 62) / 876, (y - 5) / 620 * 0.707f); };
  for (const float x : {190.0f, 315.0f, 440.0f, 560.0f, 685.0f, 810.0f})
    for (const float y : {55.0f, 280.0f, 500.0f}) {
      const auto texel = at(x, y);
      ASSERT_TRUE(texel.has_value());
      EXPECT_EQ((*texel)[3], 255) << x << " " << y;
      EXPECT_GT((*texel)[0] + (*texel)[1] + (*texel)[2], 450)
          << x << " " << y << " light enough for dark ink";
    }
  for (const float u : {0.3f, 0.7f}) EXPECT_EQ((*TexelAt("book", u, 0.85f))[3], 0) << u << " below the book";
}

// The menu's blast draws only within its reach of its picture's centre:
// beyond it (less two texels, for the filtering) the picture is clear.
TEST(ShippedContent, TheBlastsPictureIsClearBeyondItsReach) {
  const std::optional<platform::Image> image = ShaderPicture(CustomDrawing::kBlastShader);
  ASSERT_TRUE(image.has_value());
  const float width = static_cast<float>(image->width), height = static_cast<float>(image->height);
  int lit = 0, beyond = 0;
  for (int y = 0; y < image->height; ++y)
    for (int x = 0; x < image->width; ++x) {
      if (image->bgra[static_cast<std::size_t>((y * image->width + x) * 4 + 3)] == 0) continue;
      ++lit;
      const float r = std::hypot((static_cast<float>(x) + 0.5f) / width - 0.5f,
                                 (static_cast<float>(y) + 0.5f) / height - 0.5f);
      if (r >= CustomDrawing::kBlastReach - 2 / width) ++beyond;
    }
  EXPECT_GT(lit, 0);
  EXPECT_EQ(beyond, 0) << "texels that show beyond the reach";
}

TEST(ShippedContent, EveryNameTheBoardDrawingLooksUpIsShipped) {
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  std::vector<std::string> names(board_shaders::kElements.begin(), board_shaders::kElements.end());
  names.insert(names.end(), {board_shaders::kPit, board_shaders::kWall, board_shaders::kBorder,
                             board_shaders::kPowerPoint, board_shaders::kArrow});
  for (const auto& unit : board_shaders::kUnitMeshes) {
    EXPECT_TRUE(InProgramFolder(unit.mesh)) << unit.mesh;
    for (const auto& side : unit.shaders) names.insert(names.end(), side.begin(), side.end());
  }
  for (const auto& side : board_shaders::kBlurShaders) names.insert(names.end(), side.begin(), side.end());
  for (const std::string& name : names) EXPECT_TRUE(shaders.byShader.contains(name)) << name;
}

TEST(ShippedContent, EveryNameTheListScreensLookUpIsShipped) {
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  for (const std::string shader :
       {player_panels::kFaceShader, player_panels::kFrameShader, CustomDrawing::kBlastShader})
    EXPECT_TRUE(shaders.byShader.contains(shader)) << shader;
  for (const std::string texture : {player_panels::kSelectionTexture, player_panels::kWaitingPicture})
    EXPECT_TRUE(InProgramFolder(texture)) << texture;
  std::vector<std::string> keys(std::begin(player_panels::kLocaleKeys), std::end(player_panels::kLocaleKeys));
  keys.insert(keys.end(), std::begin(SetupRows::kLocaleKeys), std::end(SetupRows::kLocaleKeys));
  keys.insert(keys.end(), std::begin(ScreenEvents::kWaitTexts), std::end(ScreenEvents::kWaitTexts));
  keys.insert(keys.end(), std::begin(FileNotice::kTextKeys), std::end(FileNotice::kTextKeys));
  for (const auto& folder : std::filesystem::directory_iterator(std::filesystem::path(QV_GAME_DIR) / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string& key : keys)
      EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
  }
}

TEST(ShippedContent, TheProgramsIconIsShipped) {
  EXPECT_TRUE(InProgramFolder(kAppIconFile));
}

// The main font is the default font plus the game's symbols: the book's
// back, first-page and forward links at 0xAA to 0xAC and the two move
// symbols at 0xAD and 0xAE (glyphs compared by width and shape; their places
// in the atlas move).
TEST(ShippedContent, TheMainFontCarriesTheGameSymbols) {
  YFont main("shipped main"), plain("shipped default");
  main.LoadData(std::string(QV_GAME_DIR) + "/fonts/mainfont.dat");
  plain.LoadData(std::string(QV_GAME_DIR) + "/fonts/default.dat");
  const auto same = [&](int c) {
    for (int k = 0; k < 4; ++k) {
      const YGlyphCorner &a = main.glyphs[c].corners[k], &b = plain.glyphs[c].corners[k];
      if (a.gx != b.gx || a.gy != b.gy) return false;
    }
    return main.widths[c] == plain.widths[c];
  };
  EXPECT_TRUE(same('A') && same('0') && same(0xA9) && same(0xAF));
  const int symbols[] = {0xAA, 0xAB, 0xAC, 0xAD, 0xAE};
  for (int symbol : symbols) {
    EXPECT_FALSE(same(symbol)) << symbol;
    EXPECT_GT(main.glyphs[symbol].corners[1].gy - main.glyphs[symbol].corners[0].gy, 0.6f) << "as tall as a capital";
    for (int other : symbols)
      if (other != symbol) {
        EXPECT_NE(std::memcmp(&main.glyphs[symbol], &main.glyphs[other], sizeof(YGlyph)), 0)
            << symbol << other;
      }
  }
}

TEST(ShippedContent, EveryNameTheTwoPlayerGamesLookUpIsShipped) {
  const std::string sounds = testing_support::ReadFile(std::string(QV_GAME_DIR) + "/data/sound_fx.yml");
  EXPECT_NE(sounds.find("name=\"" + std::string(YGameHotseat::kFightSound) + "\""), std::string::npos);
  std::vector<std::string> keys(std::begin(YGameHotseat::kLocaleKeys), std::end(YGameHotseat::kLocaleKeys));
  keys.insert(keys.end(), std::begin(YGameNetwork::kLocaleKeys), std::end(YGameNetwork::kLocaleKeys));
  for (const auto& folder : std::filesystem::directory_iterator(std::filesystem::path(QV_GAME_DIR) / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string& key : keys) EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
  }
}

// The files of a folder and its subfolders, relative to it.
std::set<std::string> FileNames(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) names.insert(entry.path().lexically_relative(folder).generic_string());
  return names;
}

// The locale keys a locale file defines.
std::set<std::string> LocaleKeys(const std::filesystem::path& file) {
  const std::string text = testing_support::ReadFile(file);
  const std::regex pattern("<str name=\"([^\"]*)\"");
  std::set<std::string> keys;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
    keys.insert((*it)[1].str());
  return keys;
}

// Every interface folder has every file of the English one and a text for
// each of its locale keys, and the game's fonts draw every character its
// texts use (the files are in the Windows-1252 code page).
TEST(ShippedContent, EveryInterfaceFolderIsACompleteLanguage) {
  const std::filesystem::path ui = std::filesystem::path(QV_GAME_DIR) / "ui";
  const std::set<std::string> files = FileNames(ui / "english");
  const std::set<std::string> keys = LocaleKeys(ui / "english" / "locale.yml");
  std::vector<std::unique_ptr<YFont>> fonts;
  for (const char* name : {"mainfont", "labelfont", "default"}) {
    fonts.push_back(std::make_unique<YFont>(name));
    fonts.back()->LoadData(std::string(QV_GAME_DIR) + "/fonts/" + name + ".dat");
  }
  int folders = 0;
  for (const auto& folder : std::filesystem::directory_iterator(ui)) {
    ++folders;
    EXPECT_EQ(FileNames(folder.path()), files) << folder.path();
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string& key : keys)
      EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
    for (const std::string& file : files) {
      std::set<unsigned char> missing;
      for (const char c : testing_support::ReadFile(folder.path() / file))
        for (const auto& font : fonts)
          if (static_cast<unsigned char>(c) >= 0x80 && font->widths[static_cast<unsigned char>(c)] <= 0)
            missing.insert(static_cast<unsigned char>(c));
      EXPECT_TRUE(missing.empty()) << folder.path() / file << " uses a character the fonts lack: "
                                   << static_cast<int>(*missing.begin());
    }
  }
  EXPECT_GE(folders, 2);
}

// The book's and the closing scene's shaders, the page texture and section
// titles, the link glyphs of the generated help pages, and the page files
// of every language.
TEST(ShippedContent, EveryNameTheBookAndTheFinalSceneLookUpIsShipped) {
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  for (const std::string shader : {book_names::kBookShader, book_names::kBookmarkShader, book_names::kBackgroundShader,
                                   "image_std", "gameFinal", "varrickFinal", "fire_part"})
    EXPECT_TRUE(shaders.byShader.contains(shader)) << shader;
  EXPECT_TRUE(InProgramFolder(book_names::kPagesTexture));
  YFont main("shipped book font");
  main.LoadData(std::string(QV_GAME_DIR) + "/fonts/" + book_names::kFont + ".dat");
  for (int glyph : {0xAA, 0xAB, 0xAC}) EXPECT_GT(main.widths[glyph], 0) << glyph;
  for (const auto& folder : std::filesystem::directory_iterator(std::filesystem::path(QV_GAME_DIR) / "ui")) {
    YLocale locale;
    locale.Load((folder.path() / "locale.yml").string());
    for (const std::string key : book_names::kSectionTitleKeys)
      EXPECT_FALSE(locale.GetText(key).empty()) << folder.path() << " " << key;
    for (int n = 1; n <= BookPages::kIntroPages; ++n)
      EXPECT_TRUE(
          std::filesystem::is_regular_file(folder.path() / "intro" / ("page" + std::to_string(n) + ".yml")))
          << folder.path() << " intro page " << n;
    for (const char* page : {"help/about.yml", "intro/final.yml"})
      EXPECT_TRUE(std::filesystem::is_regular_file(folder.path() / page)) << folder.path() << " " << page;
    int helpPages = 0;
    if (std::filesystem::is_directory(folder.path() / "help"))
      for (const std::string& name : FileNames(folder.path() / "help"))
        helpPages += name.starts_with("page") && name.ends_with(".yml");
    EXPECT_GT(helpPages, 0) << folder.path();
  }
}

}  // namespace
