// The game's start and its way out as a player meets them: started from any
// folder, ended by a signal, with a window or video mode larger than the
// desktop, a frame delay typed into the console, splash screens of the
// user's own configuration, a configuration of garbage, and named pipes
// among the program's files.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "tests/e2e/GameFixture.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ReadFile;

namespace {

struct Size {
  int width = 0, height = 0;
};

// "1280x1024" or "1280 1024".
Size ParseSize(const std::string& text) {
  Size size;
  char separator = 0;
  std::istringstream(text) >> size.width >> separator >> size.height;
  if (separator != 'x') std::istringstream(text) >> size.width >> size.height;
  return size;
}

// The share of a screenshot's texels that are magenta (red and blue high,
// green low).
double MagentaShare(const platform::Image& image) {
  std::size_t count = 0;
  for (std::size_t i = 0; i + 3 < image.bgra.size(); i += 4)
    if (image.bgra[i] > 200 && image.bgra[i + 1] < 60 && image.bgra[i + 2] > 200) ++count;
  return image.bgra.empty() ? 0 : static_cast<double>(count) / static_cast<double>(image.bgra.size() / 4);
}

class GameLifecycle : public e2e::GameFixture {
 protected:
  Size Desktop() const {
    return ParseSize(e2e::ShellOutput("DISPLAY=" + e2e::Display() + " xdotool getdisplaygeometry"));
  }
  std::string Config() const { return ReadFile(UserFolder() / "config.yml"); }
  // The number the configuration holds for `attribute`, 0 when missing.
  int ConfigNumber(const std::string& attribute) const {
    const std::string config = Config();
    const std::size_t at = config.find(attribute + "=\"");
    return at == std::string::npos ? 0 : std::atoi(config.c_str() + at + attribute.size() + 2);
  }
  // Ends the game with SIGTERM; true when it ended on its own, with code 0.
  static bool EndsOnSignal(e2e::GameProcess& game, std::chrono::milliseconds within) {
    game.Signal(SIGTERM);
    const auto code = game.Wait(within);
    return code.has_value() && *code == 0;
  }
  // Waits for the n-th device (a window made again has a new one).
  bool WaitForDevices(int n) const {
    return e2e::WaitUntil(
        [&] {
          const std::string log = Log();
          int count = 0;
          for (std::size_t at = log.find("OpenGL device created."); at != std::string::npos;
               at = log.find("OpenGL device created.", at + 1))
            ++count;
          return count >= n;
        },
        15s);
  }
};

// Data files are named relative to the program folder: started from
// elsewhere the game still finds every one of them.
TEST_F(GameLifecycle, StartedFromAnotherFolderFindsItsContent) {
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, {"", tmp.Str()});
  ASSERT_FALSE(WaitForWindow().empty()) << game.Stderr() << Log();
  EXPECT_TRUE(e2e::WaitUntil([&] { return LogHas("Load texture splash\\studio.tga, ok"); }, 10s)) << Log();
  EXPECT_FALSE(LogHas("Cannot read data file")) << Log();
  EXPECT_TRUE(LogHas("Parse shaders from file, splash\\shaders.yml")) << Log();
  EXPECT_TRUE(EndsOnSignal(game, 10s)) << game.Stderr();
}

// A signal to end (a log-out, a service manager) leaves as "exit" does:
// the configuration is saved.
TEST_F(GameLifecycle, TerminationSignalSavesTheConfigurationLikeExit) {
  WriteWindowedConfig(800, 500);
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  ASSERT_FALSE(WaitForWindow().empty()) << game.Stderr() << Log();
  ASSERT_TRUE(EndsOnSignal(game, 10s)) << game.Stderr();
  const std::string config = Config();
  for (const char* saved :
       {"<sound ", "<render ", "<interface ", "width=\"800\" height=\"500\"", "fullscreen=\"0\""})
    EXPECT_NE(config.find(saved), std::string::npos) << saved << " missing in\n" << config;
  EXPECT_TRUE(LogHas("OpenGL Released.")) << Log();
}

// A window larger than the desktop would take gigabytes and seconds a
// frame, and be saved for the next start: it is held to the desktop.
TEST_F(GameLifecycle, WindowLargerThanTheDesktopIsHeldToIt) {
  WriteWindowedConfig(20000, 20000);
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr() << Log();
  const Size desktop = Desktop(), shown = ParseSize(WindowSize(window));
  ASSERT_GT(desktop.width, 0);
  EXPECT_GT(shown.width, 0);
  EXPECT_LE(shown.width, desktop.width);
  EXPECT_LE(shown.height, desktop.height);
  ASSERT_TRUE(EndsOnSignal(game, 10s)) << game.Stderr();
  EXPECT_LE(ConfigNumber("width"), desktop.width) << Config();
  EXPECT_LE(ConfigNumber("height"), desktop.height) << Config();
}

// The console's video mode falls back to a mode the display lists, and a
// frame delay is held to one second, so the game still takes input (and
// ends on a signal) promptly.
TEST_F(GameLifecycle, ConsoleVideoModeAndFrameDelayAreHeldToWhatTheDisplayCanDo) {
  e2e::GameProcess game(tmp.Str(), e2e::Display());  // first run: full screen
  const std::string first = WaitForWindow();
  ASSERT_FALSE(first.empty()) << game.Stderr() << Log();
  ASSERT_TRUE(SkipSplash(first)) << Log();
  ToggleConsole(first);
  ConsoleLine(first, "video_mode = 16384x16384");
  ASSERT_TRUE(WaitForDevices(2)) << Log();
  std::string window;
  ASSERT_TRUE(e2e::WaitUntil([&] { return !(window = e2e::FindGameWindow(e2e::Display())).empty(); }, 10s));
  const Size desktop = Desktop(), shown = ParseSize(WindowSize(window));
  EXPECT_LE(shown.width, desktop.width);
  EXPECT_LE(shown.height, desktop.height);

  ConsoleLine(window, "stoptime = 100000");
  ASSERT_TRUE(e2e::WaitUntil([&] { return LogHas("stoptime=1000"); }, 10s)) << Log();
  ASSERT_TRUE(EndsOnSignal(game, 6s)) << "a frame delay above a second";

  const std::string config = Config();
  const std::size_t at = config.find("mode=\"");
  ASSERT_NE(at, std::string::npos) << config;
  const std::string mode = config.substr(at + 6, config.find('"', at + 6) - at - 6);
  EXPECT_TRUE(LogHas("Mode " + mode)) << mode << " is not a listed mode:\n" << Log();
}

// "splash" entries of the user's own configuration add their screens; they
// come before the program's own.
TEST_F(GameLifecycle, SplashScreensOfTheUsersConfigurationAreShown) {
  fs::create_directories(UserFolder());
  testing_support::WriteFile(
      UserFolder() / "config.yml",
      "<config>\n<video fullscreen=\"0\">\n<window width=\"800\" height=\"500\">\n"
      "<splash bgshader=\"splash_background\" bgcolor=\"FF00FF\" width=\"1\" height=\"1\"/>\n"
      "</config>\n");
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr() << Log();
  const std::string shot = tmp.File("splash.png");
  double share = 0;
  e2e::WaitUntil(
      [&] {
        if (!Screenshot(window, shot)) return false;
        const auto image = platform::LoadImageFile(shot);
        share = image ? MagentaShare(*image) : 0;
        return share > 0.9;
      },
      8s);
  EXPECT_GT(share, 0.9) << "the user's splash screen was not shown: " << shot;
  EXPECT_TRUE(EndsOnSignal(game, 10s)) << game.Stderr();
}

// Ten megabytes of "<" once took 38 s to start and wrote a log of 629 MB:
// the reader gives up on such a file quickly and logs a few lines, and the
// saved configuration is a good one again.
TEST_F(GameLifecycle, AConfigurationOfGarbageStartsQuicklyWithASmallLog) {
  fs::create_directories(UserFolder());
  testing_support::WriteFile(UserFolder() / "config.yml", std::string(10 << 20, '<'));
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  ASSERT_FALSE(WaitForWindow().empty()) << game.Stderr() << Log().substr(0, 2000);
  EXPECT_LT(fs::file_size(UserFolder() / "log.txt"), 64u << 10);
  EXPECT_TRUE(LogHas("more parser errors in")) << Log().substr(0, 2000);
  ASSERT_TRUE(EndsOnSignal(game, 10s)) << game.Stderr();
  EXPECT_LT(Config().size(), 1000u);
  EXPECT_NE(Config().find("<window "), std::string::npos) << Config();
}

// A named pipe where the program expects a font table or a music track would
// hold the start or the exit until someone wrote into it: both are refused.
TEST_F(GameLifecycle, NamedPipesInTheProgramFolderHoldNeitherTheStartNorTheExit) {
  const fs::path program = fs::path(QV_GAME_EXE).parent_path(), copy = tmp.Path() / "game";
  fs::create_directories(copy);
  for (const char* part : {"data", "fonts", "music", "players", "save", "sound", "splash", "textures", "ui"})
    fs::copy(program / part, copy / part, fs::copy_options::recursive);
  fs::copy_file(QV_GAME_EXE, copy / "QuennelVarrick");
  for (const char* pipe : {"fonts/mainfont.dat", "music/00_menu.ogg"}) {
    fs::remove(copy / pipe);
    ASSERT_EQ(mkfifo((copy / pipe).c_str(), 0600), 0) << pipe;
  }
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, {(copy / "QuennelVarrick").string(), ""});
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << "the start waited on a pipe\n" << game.Stderr() << Log();
  EXPECT_TRUE(LogHas("Load font data error, file fonts\\mainfont.dat")) << Log();
  PressKey(window, "Escape");
  EXPECT_TRUE(e2e::WaitUntil([&] { return LogHas("Open OGG stream music\\01_panel.ogg"); }, 10s)) << Log();
  ToggleConsole(window);
  ConsoleLine(window, "exit");
  const auto code = game.Wait(10s);
  ASSERT_TRUE(code.has_value()) << "the exit waited on a pipe";
  EXPECT_EQ(*code, 0);
}

}  // namespace
