// A message box of the desktop over the game (a damaged layout's, at the
// start): a request to end the game ends the box with it at once, and the
// box never outlives the game, however the game ends.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/GameFixture.h"
#include "tests/e2e/WindowClose.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Alive, and not merely waiting to be reaped.
bool Running(pid_t pid) {
  const std::string stat = testing_support::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t end = stat.rfind(')');
  return end != std::string::npos && end + 2 < stat.size() && stat[end + 2] != 'Z';
}

class DesktopBox : public e2e::GameFixture {
 protected:
  // A copy of the game with a layout cut short, which a box names at the
  // start; boxes show on the display.
  e2e::Launch DamagedCopy() const {
    const fs::path copy = tmp.Path() / "game";
    const std::string exe = e2e::CopyProgramFolder(QV_GAME_EXE, copy, {"ui"});
    testing_support::WriteFile(copy / "ui" / "english" / "sg_computer.yml", "<!--\n  A game");
    return e2e::Launch{exe, "", true};
  }
  bool BoxShows() const {
    return !e2e::ShellOutput("DISPLAY=" + e2e::Display() + " xwininfo -root -tree | grep '\"ERROR\": '").empty();
  }
  // The processes under the game: the box and what it started.
  static std::vector<pid_t> Descendants(pid_t pid) {
    std::vector<pid_t> found;
    std::istringstream children(e2e::ShellOutput("pgrep -P " + std::to_string(pid)));
    for (pid_t child = 0; children >> child;) {
      found.push_back(child);
      for (const pid_t below : Descendants(child)) found.push_back(below);
    }
    return found;
  }
  // The box's processes once it shows; none when it never does.
  std::vector<pid_t> WaitForBox(const e2e::GameProcess& game) const {
    std::vector<pid_t> box;
    if (e2e::WaitUntil([&] { return !(box = Descendants(game.Pid())).empty() && BoxShows(); }, 30s)) return box;
    return {};
  }
  // By the processes, not the window: other tests may show boxes of their
  // own on the display meanwhile.
  static bool AllGone(const std::vector<pid_t>& box) {
    return std::none_of(box.begin(), box.end(), Running);
  }
  // The game ended at once and the usual way, its box with it.
  void ExpectEndedWithItsBox(e2e::GameProcess& game, const std::vector<pid_t>& box) const {
    EXPECT_EQ(game.Wait(5s), std::optional<int>(0)) << "the game waited on its box";
    EXPECT_TRUE(e2e::WaitUntil([&] { return AllGone(box); }, 2s)) << "the box outlived its game";
    EXPECT_NE(game.Stderr().find("ui/english/sg_computer.yml"), std::string::npos) << game.Stderr();
    EXPECT_TRUE(fs::exists(UserFolder() / "config.yml"));
  }
};

TEST_F(DesktopBox, ARequestToEndEndsTheGameAndItsBoxAtOnce) {
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, DamagedCopy());
  const std::vector<pid_t> box = WaitForBox(game);
  ASSERT_FALSE(box.empty()) << game.Stderr() << Log();

  game.Signal(SIGTERM);
  ExpectEndedWithItsBox(game, box);
}

TEST_F(DesktopBox, TheWindowsCloseEndsTheGameAndItsBoxAtOnce) {
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, DamagedCopy());
  const std::vector<pid_t> box = WaitForBox(game);
  ASSERT_FALSE(box.empty()) << game.Stderr() << Log();
  const std::string window = e2e::FindGameWindow(e2e::Display());
  ASSERT_FALSE(window.empty());

  ASSERT_TRUE(e2e::RequestWindowClose(e2e::Display(), window));
  ExpectEndedWithItsBox(game, box);
}

TEST_F(DesktopBox, ABoxDiesWithAGameKilledOutright) {
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, DamagedCopy());
  const std::vector<pid_t> box = WaitForBox(game);
  ASSERT_FALSE(box.empty()) << game.Stderr() << Log();

  game.Signal(SIGKILL);
  ASSERT_TRUE(game.Wait(5s).has_value());
  EXPECT_TRUE(e2e::WaitUntil([&] { return AllGone(box); }, 3s)) << "the box outlived its game";
}

// Without its box program the game logs why and shows the box itself, as
// it did before there was one, rather than only writing its text out; the
// player's Return closes it and the game goes on.
TEST_F(DesktopBox, WithoutItsBoxProgramTheGameLogsWhyAndShowsTheBoxItself) {
  const e2e::Launch launch = DamagedCopy();
  fs::remove(tmp.Path() / "game" / "QuennelVarrickBox");
  e2e::GameProcess game(tmp.Str(), e2e::Display(), {}, launch);
  ASSERT_TRUE(e2e::WaitUntil([&] { return BoxShows(); }, 30s)) << game.Stderr() << Log();
  // The desktop's box may draw in a process forked from the game's, which
  // would outlive a game killed under it.
  const std::vector<pid_t> drawing = Descendants(game.Pid());
  const std::string x = "DISPLAY=" + e2e::Display();
  const std::string box =
      e2e::ShellOutput(x + " xwininfo -root -tree | grep '\"ERROR\": ' | awk '{print $1}'");
  e2e::Shell(x + " xdotool key --window " + box + " Return");
  const bool closed = e2e::WaitUntil([&] { return !BoxShows(); }, 10s);
  for (const pid_t pid : drawing) kill(pid, SIGKILL);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(LogHas("The message box program cannot be started")) << Log();
  game.Signal(SIGTERM);
  EXPECT_EQ(game.Wait(10s), std::optional<int>(0));
  EXPECT_EQ(game.Stderr().find("sg_computer.yml"), std::string::npos) << game.Stderr();
}

}  // namespace
