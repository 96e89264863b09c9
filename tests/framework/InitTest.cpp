#include "framework/Init.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <tuple>

#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFile;
using testing_support::ReturnsWithoutReader;
using testing_support::WriteFile;

namespace fs = std::filesystem;

namespace {

// Every typed setting on one line, for comparing them all at once.
std::string Settings(const Init& init) {
  std::ostringstream out;
  out << "full=" << init.fullscreen << " mode=" << init.videoMode << " " << init.windowWidth << "x"
      << init.windowHeight << " max=" << init.maximized << " sound=" << init.soundVolume << ","
      << init.musicVolume << " fps=" << init.fps << " shadows=" << init.shadows << " tex=" << g_textureScale
      << " " << init.GetInterfaceName();
  return out.str();
}

// A program folder with two languages and seed files, run from that folder.
class InitTest : public ::testing::Test {
 protected:
  InitTest() {
    for (const char* name : {"ui/deutsch", "ui/english", "players", "save", "splash"})
      fs::create_directories(Game() / name);
    WriteFile(Game() / "players/00001.yml", "seed profile one");
    WriteFile(Game() / "players/00002.yml", "seed profile two");
    WriteFile(Game() / "save/00001.yml", "seed save");
    cwd_.emplace(Game());
  }
  ~InitTest() override { g_textureScale = 1; }

  fs::path Game() const { return dir_.Path() / "game"; }
  fs::path User() const { return dir_.Path() / "QuennelVarrick"; }
  void WriteConfig(const std::string& text) {
    fs::create_directories(User());
    WriteFile(User() / "config.yml", text);
  }
  // A fresh configuration object, as a new run of the program running
  // alone builds it.
  std::unique_ptr<Init> Loaded() {
    auto init = std::make_unique<Init>();
    init->SeedOnFirstRun("config.yml");
    init->Load("config.yml");
    return init;
  }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedEnv env_{"APPDATA", dir_.Str()};
  std::optional<testing_support::ScopedCwd> cwd_;
  LogCapture log_;
};

}  // namespace

TEST_F(InitTest, FirstRunSeedsTheUserFolderKeepingTheUsersFiles) {
  fs::create_directories(User() / "players");
  WriteFile(User() / "players/00001.yml", "the user's hero");
  auto init = Loaded();
  EXPECT_EQ(init->configPath, dir_.Str() + "\\QuennelVarrick\\config.yml");
  EXPECT_EQ(ReadFile(User() / "players/00001.yml"), "the user's hero");
  EXPECT_EQ(ReadFile(User() / "players/00002.yml"), "seed profile two");
  EXPECT_EQ(ReadFile(User() / "save/00001.yml"), "seed save");
  EXPECT_FALSE(fs::exists(User() / "config.yml"));  // written only by SaveFile
  EXPECT_TRUE(log_.Lines().empty());
  // With a configuration the run is not a first one: nothing is copied.
  fs::remove_all(User());
  WriteConfig("<config></config>\n");
  Loaded();
  EXPECT_FALSE(fs::exists(User() / "players"));
}

TEST_F(InitTest, ReadsEverySettingAndResolvesTheMode) {
  WriteConfig(
      "<config>\r\n<video fullscreen=\"0\" mode=\"1024x768:32@60\">\r\n"
      "<window width=\"1280\" height=\"720\" maximize=\"1\"><sound volume=\"0.5\" music=\"0.25\">\r\n"
      "<render fps=\"1\" shadows=\"0\" texScale=\"2\"><interface language=\"deutsch\"></config>\r\n");
  Init init;
  init.SetDisplayModeResolver([](const std::string& mode) { return mode + " resolved"; });
  init.Load("config.yml");
  EXPECT_EQ(
      Settings(init),
      "full=0 mode=1024x768:32@60 resolved 1280x720 max=1 sound=0.5,0.25 fps=1 shadows=0 tex=2 ui\\deutsch");
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(InitTest, LanguageMatchesWithoutCaseAndFallsBackToTheFirstFolder) {
  const std::pair<const char*, const char*> cases[] = {{"<interface language=\"ENGLISH\">", "ui\\english"},
                                                       {"<interface language=\"Deutsch\">", "ui\\deutsch"},
                                                       {"<interface language=\"klingon\">", "ui\\deutsch"},
                                                       {"", "ui\\english"}};  // the default language
  for (const auto& [tag, folder] : cases) {
    WriteConfig(std::string("<config>") + tag + "</config>");
    EXPECT_EQ(Loaded()->GetInterfaceName(), folder) << tag;
  }
}

TEST_F(InitTest, ValuesThatWouldBreakTheProgramAreBoundedAndErrorsLogged) {
  WriteConfig(
      "<config>\n<window width=\"0\" height=\"-5\">\n"
      "<video depth=\"1\"><sound volume=\"2.5\" music=\"-1\"><render texScale=\"0\"></config>");
  // Parsing goes on after the error; textures are divided by texScale; the
  // window is held to its smallest size.
  EXPECT_EQ(Settings(*Loaded()), "full=1 mode= 320x200 max=0 sound=1,0 fps=0 shadows=1 tex=1 ui\\english");
  ASSERT_FALSE(log_.Lines().empty());
  EXPECT_EQ(log_.Lines()[0],
            "Init parser error, Unknown attribute: depth of tag: video, file: config.yml, line: 2");
  WriteConfig("<config><sound volume=\"nan\"><render texScale=\"-3\"></config>");
  EXPECT_EQ(Settings(*Loaded()), "full=1 mode= 800x600 max=0 sound=1,0.8 fps=0 shadows=1 tex=1 ui\\english");
}

// Values too large are held to their range, logged, and written back held.
TEST_F(InitTest, ValuesBeyondTheirRangeAreHeldLoggedAndWrittenBackHeld) {
  WriteConfig("<config><window width=\"99999999999\" height=\"700\"><render texScale=\"2147483647\"></config>");
  LogCapture log;
  const auto init = Loaded();
  EXPECT_EQ(Settings(*init), "full=1 mode= 16384x700 max=0 sound=1,0.8 fps=0 shadows=1 tex=4 ui\\english");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                              "config.yml: window width=\"99999999999\" is out of range; 16384 is used",
                              "config.yml: render texScale=\"2147483647\" is out of range; 4 is used"}));
  ASSERT_TRUE(init->SaveFile());
  const std::string saved = ReadFile(User() / "config.yml");
  EXPECT_NE(saved.find("<window width=\"16384\" height=\"700\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("texScale=\"4\""), std::string::npos) << saved;
}

// The smallest window is the one the window keeps to; a text that is no
// number keeps the default, whatever the setting; each is logged.
TEST_F(InitTest, ValuesBelowTheWindowsSmallestAndNoNumbersAreLoggedAndNotTaken) {
  WriteConfig(
      "<config><video fullscreen=\"yes\"><window width=\"1\" height=\"150\" maximize=\"2\">"
      "<sound volume=\"abc\" music=\" 0.5 \"><render fps=\"\" texScale=\"2x\"></config>");
  LogCapture log;
  const auto init = Loaded();
  EXPECT_EQ(Settings(*init), "full=1 mode= 320x200 max=1 sound=1,0.5 fps=0 shadows=1 tex=1 ui\\english");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "config.yml: video fullscreen=\"yes\" is not a number; 1 is used",
                             "config.yml: window width=\"1\" is out of range; 320 is used",
                             "config.yml: window height=\"150\" is out of range; 200 is used",
                             "config.yml: window maximize=\"2\" is out of range; 1 is used",
                             "config.yml: sound volume=\"abc\" is not a number; 1 is used",
                             "config.yml: render fps=\"\" is not a number; 0 is used",
                             "config.yml: render texScale=\"2x\" is not a number; 1 is used"}));
  ASSERT_TRUE(init->SaveFile());
  EXPECT_NE(ReadFile(User() / "config.yml").find("<window width=\"320\" height=\"200\""), std::string::npos);
}

TEST_F(InitTest, AConfigurationThatCannotBeReadIsLogged) {
  fs::create_directories(User());
  ASSERT_EQ(mkfifo((User() / "config.yml").c_str(), 0600), 0);
  EXPECT_EQ(Settings(*Loaded()), "full=1 mode= 800x600 max=0 sound=1,0.8 fps=0 shadows=1 tex=1 ui\\english");
  EXPECT_EQ(log_.Lines(),
            std::vector<std::string>{"Cannot read data file " + (User() / "config.yml").string()});
  EXPECT_FALSE(fs::exists(User() / "players"));  // not a first run
}

TEST(InitColor, ParsesSixOrEightHexDigitsAndRejectsShortText) {
  const YColor orange = Init::ParseColor("FF8000");
  EXPECT_EQ(std::tuple(orange.r, orange.b, orange.a), std::tuple(1.0f, 0.0f, 1.0f));
  EXPECT_NEAR(orange.g, 128.0f / 255, 1e-4f);
  EXPECT_NEAR(Init::ParseColor("ff800080").a, 128.0f / 255, 1e-4f);
  EXPECT_FLOAT_EQ(Init::ParseColor("FF80001").a, 1.0f);  // alpha only with exactly eight
  EXPECT_FLOAT_EQ(Init::ParseColor("zz8000").r, 0.0f);   // an unreadable pair counts as 0
  for (const char* text : {"FF80", "", "12345"}) EXPECT_THROW(Init::ParseColor(text), XMLParseError) << text;
}

TEST_F(InitTest, SavedFileHoldsEverySectionButSplash) {
  ASSERT_TRUE(Loaded()->SaveFile());
  EXPECT_EQ(ReadFile(User() / "config.yml"),
            "<config>\n"
            "  <video fullscreen=\"1\" mode=\"\">\n"
            "  <window width=\"800\" height=\"600\" maximize=\"0\">\n"
            "  <sound volume=\"1\" music=\"0.8\">\n"
            "  <render fps=\"0\" shadows=\"1\" texScale=\"1\">\n"
            "  <interface language=\"English\">\n"
            "</config>\n");
  EXPECT_FALSE(fs::exists(User() / "config.yml.tmp"));
}

TEST_F(InitTest, SplashFileAddsScreensReportsBadColoursAndLeavesTheSettingsAlone) {
  fs::remove_all(Game() / "ui");
  WriteConfig("<config><interface language=\"francais\"></config>");
  WriteFile(
      Game() / "splash/config.yml",
      "<config>\n<splash shader=\"logo\" bgshader=\"back\" bgcolor=\"FF8000\" width=\"640\" height=\"4\"/>\n"
      "<window width=\"999\"><splash shader=\"bad\" bgcolor=\"FF80\"/></config>\n");
  std::ostringstream screens;
  auto init = Loaded();
  init->SetSplashSink([&screens](const std::string& shader, const std::string& bgShader, const YColor& color,
                                 float width, float height) {
    screens << shader << " " << bgShader << " " << color.r << " " << width << "x" << height << ";";
  });
  init->LoadFile("splash\\config.yml");
  EXPECT_EQ(screens.str(), "logo back 1 640x4;");
  EXPECT_EQ(log_.Lines(),
            std::vector<std::string>{"Init parser error, Error color format., file: config.yml, line: 2"});
  EXPECT_EQ(init->windowWidth, 800);
  // Saving afterwards keeps the user's language although no interface folder matches.
  ASSERT_TRUE(init->SaveFile());
  EXPECT_NE(ReadFile(User() / "config.yml").find("<interface language=\"francais\">"), std::string::npos);
}

// Each failure is logged with the real path and the reason, and on stderr.
TEST_F(InitTest, FailedSaveIsReportedWithTheRealPathAndKeepsTheOldFile) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Init().SaveFile());  // not loaded
  WriteConfig("<config><window width=\"1000\"></config>");
  auto init = Loaded();
  init->windowWidth = 640;
  ASSERT_EQ(mkfifo((User() / "config.yml.tmp").c_str(), 0600), 0);  // would hold the exit until read
  EXPECT_TRUE(ReturnsWithoutReader(User() / "config.yml.tmp", [&] { EXPECT_FALSE(init->SaveFile()); }));
  fs::create_directories(User() / "config.yml.tmp");  // the temporary file cannot be made
  EXPECT_FALSE(init->SaveFile());
  ASSERT_TRUE(fs::is_regular_file(User() / "config.yml"));  // reading a pipe would wait
  EXPECT_EQ(ReadFile(User() / "config.yml"), "<config><window width=\"1000\"></config>");
  fs::remove_all(User());  // the user folder vanished
  EXPECT_FALSE(init->SaveFile());
  EXPECT_FALSE(fs::exists(User() / "config.yml"));
  const std::string temp = (User() / "config.yml.tmp").string();
  const std::vector<std::string> expected{
      "Could not save configuration: no configuration was loaded",
      "Not a regular file, not written: " + temp,
      "Could not save configuration: cannot write " + temp + ": Invalid argument",
      "Not a regular file, not written: " + temp,
      "Could not save configuration: cannot write " + temp + ": Is a directory",
      "Could not save configuration: cannot write " + temp + ": No such file or directory"};
  EXPECT_EQ(log_.Lines(), expected);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            expected[0] + "\n" + expected[2] + "\n" + expected[4] + "\n" + expected[5] + "\n");
}

// The player's settings in a file the game could not open stay as they are;
// a file that opened but held garbage is replaced by the defaults.
TEST_F(InitTest, AConfigurationThatCouldNotBeOpenedIsNotWrittenBack) {
  fs::create_directories(User());
  ASSERT_EQ(mkfifo((User() / "config.yml").c_str(), 0600), 0);
  auto init = Loaded();
  init->windowWidth = 640;
  EXPECT_FALSE(init->SaveFile());
  EXPECT_TRUE(fs::is_fifo(User() / "config.yml"));
  EXPECT_FALSE(fs::exists(User() / "config.yml.tmp"));
  EXPECT_EQ(log_.Lines().back(), "Configuration not saved: " + (User() / "config.yml").string() +
                                      " could not be read, so it is left as it is");
  fs::remove(User() / "config.yml");
  WriteConfig("\x01\x02<<garbage>");
  init = Loaded();
  EXPECT_TRUE(init->SaveFile());
  EXPECT_NE(ReadFile(User() / "config.yml").find("<window width=\"800\""), std::string::npos);
}
