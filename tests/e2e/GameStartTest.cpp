// The whole program as a player starts it: window, log, configuration, the
// single-instance rule and the refusal without a display.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/e2e/GameFixture.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ReadFile;

namespace {

class GameStart : public e2e::GameFixture {};

TEST_F(GameStart, FirstRunWritesLogAndConfigurationAndQuitsFromTheConsole) {
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr() << Log();
  EXPECT_TRUE(LogHas("Quennel Varrick v1.0")) << Log();
  EXPECT_TRUE(LogHas("OpenGL v")) << Log();

  // F10 belongs to the framework's own default; the game keeps running.
  PressKey(window, "F10");
  EXPECT_FALSE(game.Wait(1s).has_value());

  ASSERT_TRUE(SkipSplash(window)) << Log();
  ToggleConsole(window);
  ConsoleLine(window, "exit");
  const auto code = game.Wait(10s);
  ASSERT_TRUE(code.has_value()) << "the game did not quit";
  EXPECT_EQ(*code, 0) << game.Stderr();

  const std::string config = ReadFile(UserFolder() / "config.yml");
  for (const char* section : {"<video ", "<window ", "<sound ", "<render ", "<interface "})
    EXPECT_NE(config.find(section), std::string::npos) << section << " missing in\n" << config;
  EXPECT_TRUE(fs::is_directory(UserFolder() / "players"));
  EXPECT_TRUE(fs::is_directory(UserFolder() / "save"));
}

TEST_F(GameStart, WindowShowsTheGamesIconKeepsItsRatioWhenResizedAndRemembersItsSize) {
  WriteWindowedConfig(800, 500);
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr() << Log();
  const std::string icon = e2e::ShellOutput("DISPLAY=" + e2e::Display() + " xprop -id " + window + " _NET_WM_ICON");
  EXPECT_NE(icon.find("Icon (64 x 64)"), std::string::npos) << icon;

  // Both sides change: the height rules, the width follows at 1.6.
  e2e::Shell("DISPLAY=" + e2e::Display() + " xdotool windowsize " + window + " 900 700");
  EXPECT_TRUE(e2e::WaitUntil([&] { return WindowSize(window) == "1120x700"; }, 5s)) << WindowSize(window);

  ASSERT_TRUE(SkipSplash(window)) << Log();
  ToggleConsole(window);
  ConsoleLine(window, "exit");
  ASSERT_TRUE(game.Wait(10s).has_value());
  const std::string config = ReadFile(UserFolder() / "config.yml");
  EXPECT_NE(config.find("width=\"1120\" height=\"700\""), std::string::npos) << config;
  EXPECT_NE(config.find("fullscreen=\"0\""), std::string::npos) << config;
}

TEST_F(GameStart, SecondInstanceIsRefusedAndLeavesTheLogAlone) {
  WriteWindowedConfig(800, 500);
  e2e::GameProcess first(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << first.Stderr() << Log();
  const std::string logBefore = Log();

  e2e::GameProcess second(tmp.Str(), e2e::Display());
  const auto code = second.Wait(10s);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0);
  EXPECT_EQ(Log().substr(0, logBefore.size()), logBefore);
  EXPECT_EQ(Log().find("Quennel Varrick v1.0"), Log().rfind("Quennel Varrick v1.0"));
}

// A main menu that cannot be made (its layout cut short, in a copy of the
// program folder) ends the start with a message naming the file and a
// failing exit code, rather than a black window that answers nothing.
TEST_F(GameStart, AMainMenuThatCannotBeMadeEndsTheGameSayingWhy) {
  const fs::path copy = tmp.Path() / "game";
  const std::string exe = e2e::CopyProgramFolder(QV_GAME_EXE, copy, {"ui"});
  testing_support::WriteFile(copy / "ui" / "english" / "mainMenu.yml",
                             "<container name=\"mainMenu\" bounds=\"[0,0,1000,625]\">\n<button name=\"new\" st");
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, e2e::Launch{exe, ""});
  const auto code = game.Wait(30s);
  ASSERT_TRUE(code.has_value()) << "the game went on without its menu";
  EXPECT_EQ(*code, 1);
  EXPECT_NE(game.Stderr().find("main menu cannot be made from ui/english/mainMenu.yml"), std::string::npos)
      << game.Stderr();

  // Beside a running copy, the message names the log this copy writes.
  e2e::GameProcess first(tmp.Str(), e2e::Display());
  ASSERT_TRUE(e2e::WaitUntil([&] { return LogHas("OpenGL device created."); }, 20s)) << first.Stderr();
  e2e::GameProcess beside(tmp.Str(), e2e::Display(), {"-2"}, e2e::Launch{exe, ""});
  EXPECT_EQ(beside.Wait(30s), std::optional<int>(1));
  EXPECT_NE(beside.Stderr().find("See log2.txt in the user folder"), std::string::npos) << beside.Stderr();
  first.Signal(SIGTERM);
  EXPECT_TRUE(first.Wait(10s).has_value());
}

// The first copy removes what cut writes left. A copy started with "-2"
// writes its own log, and the copies share the guard: with the first gone,
// a start without "-2" is still refused and leaves the ".tmp" files of the
// copy that runs alone.
TEST_F(GameStart, ACopyBesideAnotherKeepsItsOwnLogAndTheGuardOutlivesTheFirst) {
  WriteWindowedConfig(800, 500);
  const fs::path leftover = UserFolder() / "stats.dat.tmp";
  testing_support::WriteFile(leftover, "cut short");
  e2e::GameProcess first(tmp.Str(), e2e::Display());
  ASSERT_FALSE(WaitForWindow().empty()) << first.Stderr() << Log();
  EXPECT_FALSE(fs::exists(leftover));
  const std::string logBefore = Log();
  e2e::GameProcess second(tmp.Str(), e2e::Display(), {"-2"});
  const fs::path secondLog = UserFolder() / "log2.txt";
  ASSERT_TRUE(e2e::WaitUntil(
      [&] { return ReadFile(secondLog).find("OpenGL device created.") != std::string::npos; }, 15s))
      << second.Stderr();
  EXPECT_EQ(Log().substr(0, logBefore.size()), logBefore);
  EXPECT_EQ(Log().find('\0'), std::string::npos);

  const fs::path writing = UserFolder() / "save" / "00000.yml.tmp";
  fs::create_directories(writing.parent_path());
  testing_support::WriteFile(writing, "under way");
  first.Signal(SIGTERM);
  ASSERT_TRUE(first.Wait(10s).has_value());
  e2e::GameProcess third(tmp.Str(), e2e::Display());
  ASSERT_EQ(third.Wait(10s), std::optional<int>(0));
  EXPECT_NE(third.Stderr().find("is already running"), std::string::npos) << third.Stderr();
  EXPECT_TRUE(fs::exists(writing));
}

// Only a copy sure that it runs alone fills a new user folder or removes a
// ".tmp" file. A copy started with "-2" before the first has written its
// configuration (it does when it ends) brings back none of the profiles
// the player deleted; copies that cannot take the guard say so, run as
// such copies do, and each keeps a log of its own.
TEST_F(GameStart, CopiesNotSureToRunAloneLeaveTheUserFolderAsItIs) {
  const auto started = [&](const char* log) {
    return e2e::WaitUntil(
        [&] { return ReadFile(UserFolder() / log).find("OpenGL device created.") != std::string::npos; }, 20s);
  };
  e2e::GameProcess first(tmp.Str(), e2e::Display());
  ASSERT_TRUE(started("log.txt")) << first.Stderr() << Log();
  const fs::path players = UserFolder() / "players";
  ASSERT_TRUE(fs::exists(players / "00000.yml")) << "the first run's profiles";
  for (const char* name : {"00000.yml", "00001.yml"}) {
    fs::remove(players / name);
    testing_support::WriteFile(players / (std::string(name) + ".tmp"), "under way");
  }
  e2e::GameProcess beside(tmp.Str(), e2e::Display(), {"-2"});
  ASSERT_TRUE(started("log2.txt")) << beside.Stderr();
  EXPECT_FALSE(fs::exists(players / "00000.yml") || fs::exists(players / "00001.yml"));
  EXPECT_TRUE(fs::exists(players / "00000.yml.tmp") && fs::exists(players / "00001.yml.tmp"));
  beside.Signal(SIGTERM);
  first.Signal(SIGTERM);
  ASSERT_TRUE(beside.Wait(10s).has_value() && first.Wait(10s).has_value());

  const fs::path lock = UserFolder() / "QuennelVarrickMutex.lock";
  fs::remove(lock);
  fs::create_directory(lock);
  fs::remove(UserFolder() / "log.txt");
  fs::remove(UserFolder() / "log2.txt");
  e2e::GameProcess one(tmp.Str(), e2e::Display());
  ASSERT_TRUE(started("log.txt")) << one.Stderr();
  const fs::path writing = UserFolder() / "save" / "00000.yml.tmp";
  testing_support::WriteFile(writing, "under way");
  const std::string logBefore = Log();
  e2e::GameProcess other(tmp.Str(), e2e::Display());
  ASSERT_TRUE(started("log2.txt")) << other.Stderr();
  EXPECT_EQ(Log().substr(0, logBefore.size()), logBefore);
  EXPECT_TRUE(fs::exists(writing));
  for (const e2e::GameProcess* copy : {&one, &other})
    EXPECT_NE(copy->Stderr().find("The single-instance guard cannot be taken"), std::string::npos) << copy->Stderr();
  EXPECT_NE(ReadFile(UserFolder() / "log2.txt").find("QuennelVarrickMutex.lock cannot be opened"), std::string::npos);
  other.Signal(SIGTERM);
  one.Signal(SIGTERM);
  EXPECT_TRUE(other.Wait(10s).has_value() && one.Wait(10s).has_value());
}

// Without a display there is no OpenGL: the start is refused with a clear
// message and a failing exit code.
TEST(GameStartHeadless, RefusesWithoutOpenGL) {
  testing_support::ScopedTempDir tmp;
  e2e::GameProcess game(tmp.Str(), "");
  const auto code = game.Wait(20s);
  ASSERT_TRUE(code.has_value());
  EXPECT_NE(*code, 0);
  EXPECT_NE(game.Stderr().find("OpenGL not installed."), std::string::npos) << game.Stderr();
  const std::string log = ReadFile(tmp.Path() / "QuennelVarrick" / "log.txt");
  EXPECT_NE(log.find("OpenGL not installed."), std::string::npos) << log;
}

}  // namespace
