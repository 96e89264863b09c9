// The whole program as a player starts it: window, log, configuration, the
// single-instance rule and the refusal without a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/e2e/GameProcess.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ReadFile;
using testing_support::ScopedTempDir;

namespace {

std::string Display() {
  const char* d = std::getenv("DISPLAY");
  return d ? d : "";
}

bool HasXdotool() { return e2e::Shell("command -v xdotool >/dev/null 2>&1") == 0; }

class GameStart : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Display().empty()) GTEST_SKIP() << "needs an X display";
    if (!HasXdotool()) GTEST_SKIP() << "needs xdotool";
  }
  fs::path UserFolder() const { return tmp.Path() / "QuennelVarrick"; }
  std::string Log() const { return ReadFile(UserFolder() / "log.txt"); }
  // The game's window once it is up and its device is ready for input.
  std::string WaitForWindow() const {
    std::string id;
    e2e::WaitUntil([&] { return !(id = e2e::FindGameWindow(Display())).empty(); }, 15s);
    e2e::WaitUntil([&] { return Log().find("OpenGL device created.") != std::string::npos; }, 15s);
    return id;
  }
  void PressKey(const std::string& window, const std::string& key) const {
    e2e::Shell("DISPLAY=" + Display() + " xdotool key --window " + window + " " + key);
  }
  std::string WindowSize(const std::string& window) const {
    return e2e::ShellOutput("DISPLAY=" + Display() + " xdotool getwindowgeometry " + window +
                            " | sed -n 's/.*Geometry: //p'");
  }
  ScopedTempDir tmp;
};

TEST_F(GameStart, FirstRunOpensWindowWritesLogAndQuitsOnF10) {
  e2e::GameProcess game(tmp.Str(), Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr();

  const std::string log = Log();
  EXPECT_NE(log.find("Quennel Varrick v1.0"), std::string::npos) << log;
  EXPECT_NE(log.find("OpenGL v"), std::string::npos) << log;

  PressKey(window, "F10");
  const auto code = game.Wait(10s);
  ASSERT_TRUE(code.has_value()) << "the game did not quit on F10";
  EXPECT_EQ(*code, 0) << game.Stderr();

  const std::string config = ReadFile(UserFolder() / "config.yml");
  for (const char* section : {"<video ", "<window ", "<sound ", "<render ", "<interface "})
    EXPECT_NE(config.find(section), std::string::npos) << section << " missing in\n" << config;
  EXPECT_TRUE(fs::is_directory(UserFolder() / "players"));
  EXPECT_TRUE(fs::is_directory(UserFolder() / "save"));
}

TEST_F(GameStart, WindowKeepsItsRatioWhenResizedAndRemembersItsSize) {
  fs::create_directories(UserFolder());
  testing_support::WriteFile(UserFolder() / "config.yml",
                             "<config>\n  <video fullscreen=\"0\">\n  <window width=\"800\" height=\"500\">\n</config>\n");
  e2e::GameProcess game(tmp.Str(), Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr();

  // Both sides change: the height rules, the width follows at 1.6.
  e2e::Shell("DISPLAY=" + Display() + " xdotool windowsize " + window + " 900 700");
  EXPECT_TRUE(e2e::WaitUntil([&] { return WindowSize(window) == "1120x700"; }, 5s)) << WindowSize(window);

  PressKey(window, "F10");
  ASSERT_TRUE(game.Wait(10s).has_value());
  const std::string config = ReadFile(UserFolder() / "config.yml");
  EXPECT_NE(config.find("width=\"1120\" height=\"700\""), std::string::npos) << config;
  EXPECT_NE(config.find("fullscreen=\"0\""), std::string::npos) << config;
}

TEST_F(GameStart, SecondInstanceIsRefusedAndLeavesTheLogAlone) {
  e2e::GameProcess first(tmp.Str(), Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << first.Stderr();
  const std::string logBefore = Log();

  e2e::GameProcess second(tmp.Str(), Display());
  const auto code = second.Wait(10s);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0);
  EXPECT_EQ(Log(), logBefore);

  PressKey(window, "F10");
  EXPECT_TRUE(first.Wait(10s).has_value());
}

// Without a display there is no OpenGL: the start is refused with a clear
// message and a failing exit code.
TEST(GameStartHeadless, RefusesWithoutOpenGL) {
  ScopedTempDir tmp;
  e2e::GameProcess game(tmp.Str(), "");
  const auto code = game.Wait(20s);
  ASSERT_TRUE(code.has_value());
  EXPECT_NE(*code, 0);
  EXPECT_NE(game.Stderr().find("OpenGL not installed."), std::string::npos) << game.Stderr();
  const std::string log = ReadFile(tmp.Path() / "QuennelVarrick" / "log.txt");
  EXPECT_NE(log.find("OpenGL not installed."), std::string::npos) << log;
}

}  // namespace
