#include "framework/Init.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFile;
using testing_support::ScopedCwd;
using testing_support::ScopedEnv;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

namespace fs = std::filesystem;

namespace {

constexpr float kHalf = 128.0f / 255.0f;

// A program folder with two interface languages and seed files, run from that
// folder with the user data parent in a temporary folder.
class InitTest : public ::testing::Test {
 protected:
  InitTest() {
    for (const char* name : {"ui/deutsch", "ui/english", "players", "save", "splash"})
      fs::create_directories(Game() / name);
    fs::create_directories(AppData());
    WriteFile(Game() / "players/00001.yml", "seed profile one");
    WriteFile(Game() / "players/00002.yml", "seed profile two");
    WriteFile(Game() / "save/00001.yml", "seed save");
    env_.emplace("APPDATA", AppData().string());
    cwd_.emplace(Game());
  }
  ~InitTest() override { g_textureScale = 1; }

  fs::path Game() const { return dir_.Path() / "game"; }
  fs::path AppData() const { return dir_.Path() / "appdata"; }
  fs::path UserFolder() const { return AppData() / "QuennelVarrick"; }
  fs::path ConfigFile() const { return UserFolder() / "config.yml"; }

  void WriteConfig(const std::string& text) {
    fs::create_directories(UserFolder());
    WriteFile(ConfigFile(), text);
  }

  // A fresh configuration object, as a new run of the program builds it.
  std::unique_ptr<Init> Loaded() {
    auto init = std::make_unique<Init>();
    init->Load("config.yml");
    return init;
  }

  ScopedTempDir dir_;
  std::optional<ScopedEnv> env_;
  std::optional<ScopedCwd> cwd_;
  LogCapture log_;
};

}  // namespace

TEST_F(InitTest, FirstRunSeedsTheUserFolderAndUsesDefaults) {
  auto init = Loaded();
  EXPECT_EQ(init->UserPath(), AppData().string() + "\\QuennelVarrick\\");
  EXPECT_EQ(init->configPath, init->UserPath() + "config.yml");
  EXPECT_EQ(ReadFile(UserFolder() / "players/00001.yml"), "seed profile one");
  EXPECT_EQ(ReadFile(UserFolder() / "players/00002.yml"), "seed profile two");
  EXPECT_EQ(ReadFile(UserFolder() / "save/00001.yml"), "seed save");
  EXPECT_FALSE(fs::exists(ConfigFile()));  // written only by SaveFile

  EXPECT_TRUE(init->fullscreen);
  EXPECT_EQ(init->videoMode, "");
  EXPECT_EQ(init->windowWidth, 800);
  EXPECT_EQ(init->windowHeight, 600);
  EXPECT_FALSE(init->maximized);
  EXPECT_FLOAT_EQ(init->soundVolume, 1.0f);
  EXPECT_FLOAT_EQ(init->musicVolume, 0.8f);
  EXPECT_FALSE(init->fps);
  EXPECT_TRUE(init->shadows);
  EXPECT_EQ(init->stopTime, 0);
  EXPECT_EQ(g_textureScale, 1);
  EXPECT_EQ(init->GetInterfaceName(), "ui\\english");
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(InitTest, RunWithoutConfigCopiesAgainButKeepsTheUsersFiles) {
  fs::create_directories(UserFolder() / "players");
  WriteFile(UserFolder() / "players/00001.yml", "the user's hero");
  Loaded();
  EXPECT_EQ(ReadFile(UserFolder() / "players/00001.yml"), "the user's hero");
  EXPECT_EQ(ReadFile(UserFolder() / "players/00002.yml"), "seed profile two");
  EXPECT_TRUE(fs::is_directory(UserFolder() / "save"));
}

TEST_F(InitTest, RunWithConfigDoesNotSeed) {
  WriteConfig("<config></config>\n");
  Loaded();
  EXPECT_FALSE(fs::exists(UserFolder() / "players"));
  EXPECT_FALSE(fs::exists(UserFolder() / "save"));
}

TEST_F(InitTest, ReadsEverySettingAndResolvesTheMode) {
  WriteConfig(
      "<config>\r\n"
      "  <video fullscreen=\"0\" mode=\"1024x768:32@60\">\r\n"
      "  <window width=\"1280\" height=\"720\" maximize=\"1\">\r\n"
      "  <sound volume=\"0.5\" music=\"0.25\">\r\n"
      "  <render fps=\"1\" shadows=\"0\" texScale=\"2\">\r\n"
      "  <interface language=\"deutsch\">\r\n"
      "</config>\r\n");
  Init init;
  std::string asked = "(not asked)";
  init.SetDisplayModeResolver([&asked](const std::string& mode) {
    asked = mode;
    return std::string("1024x768:32@85");
  });
  init.Load("config.yml");
  EXPECT_EQ(asked, "1024x768:32@60");
  EXPECT_EQ(init.videoMode, "1024x768:32@85");
  EXPECT_FALSE(init.fullscreen);
  EXPECT_EQ(init.windowWidth, 1280);
  EXPECT_EQ(init.windowHeight, 720);
  EXPECT_TRUE(init.maximized);
  EXPECT_FLOAT_EQ(init.soundVolume, 0.5f);
  EXPECT_FLOAT_EQ(init.musicVolume, 0.25f);
  EXPECT_TRUE(init.fps);
  EXPECT_FALSE(init.shadows);
  EXPECT_EQ(g_textureScale, 2);
  EXPECT_EQ(init.GetInterfaceName(), "ui\\deutsch");
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(InitTest, LanguageMatchesWithoutCaseAndFallsBackToTheFirstFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"<interface language=\"ENGLISH\">", "ui\\english"},
      {"<interface language=\"english\">", "ui\\english"},
      {"<interface language=\"Deutsch\">", "ui\\deutsch"},
      {"<interface language=\"klingon\">", "ui\\deutsch"},
      {"", "ui\\english"},  // the default language
  };
  for (const auto& [tag, folder] : cases) {
    WriteConfig(std::string("<config>") + tag + "</config>");
    EXPECT_EQ(Loaded()->GetInterfaceName(), folder) << tag;
  }
}

TEST_F(InitTest, ValuesThatWouldBreakTheProgramAreBounded) {
  WriteConfig(
      "<config><window width=\"0\" height=\"-5\"><sound volume=\"2.5\" music=\"-1\">"
      "<render texScale=\"0\"></config>");
  auto init = Loaded();
  EXPECT_EQ(init->windowWidth, 800);
  EXPECT_EQ(init->windowHeight, 600);
  EXPECT_FLOAT_EQ(init->soundVolume, 1.0f);
  EXPECT_FLOAT_EQ(init->musicVolume, 0.0f);
  EXPECT_EQ(g_textureScale, 1);  // textures are divided by it

  WriteConfig("<config><sound volume=\"nan\"><render texScale=\"-3\"></config>");
  init = Loaded();
  EXPECT_FLOAT_EQ(init->soundVolume, 1.0f);
  EXPECT_EQ(g_textureScale, 1);
}

TEST_F(InitTest, ParserErrorsAreLoggedWithTheirLine) {
  WriteConfig("<config>\n<window width=\"640\" depth=\"1\"><sound volume=\"0.5\">\n</config>\n");
  auto init = Loaded();
  const std::vector<std::string> lines = log_.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Init parser error, Unknown attribute: depth of tag: window, file: config.yml, line: 1");
  EXPECT_FLOAT_EQ(init->soundVolume, 0.5f);  // parsing went on after the error
}

TEST(InitColor, ParsesSixOrEightHexDigits) {
  const YColor orange = Init::ParseColor("FF8000");
  EXPECT_FLOAT_EQ(orange.r, 1.0f);
  EXPECT_NEAR(orange.g, 0.502f, 0.001f);
  EXPECT_FLOAT_EQ(orange.b, 0.0f);
  EXPECT_FLOAT_EQ(orange.a, 1.0f);

  const YColor seeThrough = Init::ParseColor("ff800080");
  EXPECT_FLOAT_EQ(seeThrough.r, 1.0f);
  EXPECT_NEAR(seeThrough.a, kHalf, 0.0001f);

  EXPECT_FLOAT_EQ(Init::ParseColor("FF80001").a, 1.0f);  // alpha only with exactly eight
  EXPECT_FLOAT_EQ(Init::ParseColor("zz8000").r, 0.0f);  // an unreadable pair counts as 0
}

TEST(InitColor, ShortTextIsAnError) {
  for (const char* text : {"FF80", "", "12345"}) {
    try {
      Init::ParseColor(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const XMLParseError& error) {
      EXPECT_STREQ(error.what(), "Error color format.");
    }
  }
}

TEST_F(InitTest, SplashFileAddsScreensAndReportsBadColours) {
  WriteFile(Game() / "splash/config.yml",
            "<config>\n"
            "<splash shader=\"logo\" bgshader=\"back\" bgcolor=\"FF8000\" width=\"640\" height=\"480\"/>\n"
            "<window width=\"999\"><splash shader=\"bad\" bgcolor=\"FF80\"/></config>\n");
  struct Screen {
    std::string shader, bgShader;
    YColor color;
    float width, height;
  };
  std::vector<Screen> screens;
  auto init = Loaded();
  init->SetSplashSink([&screens](const std::string& shader, const std::string& bgShader,
                                 const YColor& color, float width, float height) {
    screens.push_back({shader, bgShader, color, width, height});
  });
  init->LoadFile("splash\\config.yml");

  ASSERT_EQ(screens.size(), 1u);
  EXPECT_EQ(screens[0].shader, "logo");
  EXPECT_EQ(screens[0].bgShader, "back");
  EXPECT_FLOAT_EQ(screens[0].color.r, 1.0f);
  EXPECT_NEAR(screens[0].color.g, kHalf, 0.0001f);
  EXPECT_FLOAT_EQ(screens[0].width, 640.0f);
  EXPECT_FLOAT_EQ(screens[0].height, 480.0f);
  EXPECT_EQ(log_.Lines(), std::vector<std::string>{
                              "Init parser error, Error color format., file: config.yml, line: 2"});
  EXPECT_EQ(init->windowWidth, 800);  // the splash file leaves the settings alone
}

TEST_F(InitTest, SavedFileHoldsEverySectionButSplash) {
  auto init = Loaded();
  ASSERT_TRUE(init->SaveFile());
  EXPECT_EQ(ReadFile(ConfigFile()),
            "<config>\n"
            "  <video fullscreen=\"1\" mode=\"\">\n"
            "  <window width=\"800\" height=\"600\" maximize=\"0\">\n"
            "  <sound volume=\"1\" music=\"0.8\">\n"
            "  <render fps=\"0\" shadows=\"1\" texScale=\"1\">\n"
            "  <interface language=\"English\">\n"
            "</config>\n");
  EXPECT_FALSE(fs::exists(UserFolder() / "config.yml.tmp"));
}

TEST_F(InitTest, SavedSettingsReadBack) {
  auto init = Loaded();
  init->fullscreen = false;
  init->videoMode = "1024x768:32@85";
  init->windowWidth = 1024;
  init->windowHeight = 768;
  init->maximized = true;
  init->soundVolume = 0.5f;
  init->musicVolume = 0.25f;
  init->fps = true;
  init->shadows = false;
  init->interfaceIndex = 0;
  g_textureScale = 2;
  ASSERT_TRUE(init->SaveFile());

  g_textureScale = 1;
  auto again = Loaded();
  EXPECT_FALSE(again->fullscreen);
  EXPECT_EQ(again->videoMode, "1024x768:32@85");
  EXPECT_EQ(again->windowWidth, 1024);
  EXPECT_EQ(again->windowHeight, 768);
  EXPECT_TRUE(again->maximized);
  EXPECT_FLOAT_EQ(again->soundVolume, 0.5f);
  EXPECT_FLOAT_EQ(again->musicVolume, 0.25f);
  EXPECT_TRUE(again->fps);
  EXPECT_FALSE(again->shadows);
  EXPECT_EQ(g_textureScale, 2);
  EXPECT_EQ(again->interfaceIndex, 0);
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(InitTest, SaveAfterSplashKeepsTheUsersLanguageWithoutInterfaceFolders) {
  fs::remove_all(Game() / "ui");
  WriteConfig("<config><interface language=\"francais\"></config>");
  WriteFile(Game() / "splash/config.yml", "<config></config>");
  auto init = Loaded();
  init->LoadFile("splash\\config.yml");
  ASSERT_TRUE(init->SaveFile());
  EXPECT_NE(ReadFile(ConfigFile()).find("<interface language=\"francais\">"), std::string::npos);
}

TEST_F(InitTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  Init notLoaded;
  EXPECT_FALSE(notLoaded.SaveFile());
  EXPECT_EQ(log_.Lines().size(), 1u);

  WriteConfig("<config><window width=\"1000\"></config>");
  auto init = Loaded();
  init->windowWidth = 640;
  fs::create_directories(UserFolder() / "config.yml.tmp");  // the temporary file cannot be made
  EXPECT_FALSE(init->SaveFile());
  EXPECT_EQ(ReadFile(ConfigFile()), "<config><window width=\"1000\"></config>");
  EXPECT_EQ(log_.Lines().size(), 2u);

  fs::remove_all(UserFolder());  // the user folder vanished
  EXPECT_FALSE(init->SaveFile());
  EXPECT_FALSE(fs::exists(ConfigFile()));
}
