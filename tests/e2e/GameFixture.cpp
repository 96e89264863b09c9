#include "tests/e2e/GameFixture.h"

#include <chrono>

namespace e2e {

using namespace std::chrono_literals;

namespace {
std::string Xdotool(const std::string& args) { return "DISPLAY=" + Display() + " xdotool " + args; }
}  // namespace

void GameFixture::WriteWindowedConfig(int width, int height) const {
  std::filesystem::create_directories(UserFolder());
  testing_support::WriteFile(UserFolder() / "config.yml",
                             "<config>\n  <video fullscreen=\"0\">\n  <window width=\"" + std::to_string(width) +
                                 "\" height=\"" + std::to_string(height) + "\">\n</config>\n");
}

std::string GameFixture::WaitForWindow() const {
  std::string id;
  WaitUntil([&] { return !(id = FindGameWindow(Display())).empty(); }, 15s);
  WaitUntil([&] { return LogHas("OpenGL device created."); }, 15s);
  return id;
}

bool GameFixture::SkipSplash(const std::string& window) const {
  // A key pressed before the splash screens begin is not theirs to take.
  WaitUntil([&] { return LogHas("State 0x4 -> 0x6"); }, 15s);
  PressKey(window, "Escape");
  return WaitUntil([&] { return LogHas("Open OGG stream music\\00_menu.ogg"); }, 20s);
}

void GameFixture::PressKey(const std::string& window, const std::string& keys) const {
  Shell(Xdotool("key --window " + window + " " + keys));
}

void GameFixture::TypeText(const std::string& window, const std::string& text) const {
  Shell(Xdotool("type --window " + window + " --delay 20 '" + text + "'"));
}

void GameFixture::ConsoleLine(const std::string& window, const std::string& line) const {
  TypeText(window, line);
  PressKey(window, "Return");
}

std::string GameFixture::WindowSize(const std::string& window) const {
  return ShellOutput(Xdotool("getwindowgeometry " + window + " | sed -n 's/.*Geometry: //p'"));
}

std::string GameFixture::FindWindowTitled(const std::string& title) const {
  std::string id;
  WaitUntil([&] {
    id = ShellOutput(Xdotool("search --onlyvisible --name '^" + title + "$' 2>/dev/null"));
    return !id.empty();
  }, 15s);
  return id.substr(0, id.find('\n'));
}

void GameFixture::Point(const std::string& window, int x, int y, bool click) const {
  // The server queues the motion before the press, and the programs handle
  // input in the order it came, so nothing needs to wait in between.
  Shell(Xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
                (click ? " click 1" : "")));
}

bool GameFixture::Screenshot(const std::string& window, const std::string& path) const {
  // import holds the whole display while it reads the window: a read that
  // never ends would stall every client of the display, so it has a limit.
  return Shell("DISPLAY=" + Display() + " timeout 30 import -window " + window + " '" + path + "' 2>/dev/null") == 0;
}

}  // namespace e2e
