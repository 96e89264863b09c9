// A fixture for driving the built game on the test display: its own user
// folder, waiting for the window and the device, keys and text typed with
// xdotool, the window's size, and screenshots.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Image.h"
#include "tests/e2e/GameProcess.h"
#include "tests/support/TestSupport.h"

namespace e2e {

inline std::string Display() {
  const char* d = std::getenv("DISPLAY");
  return d ? d : "";
}

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Display().empty()) GTEST_SKIP() << "needs an X display";
    if (Shell("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "needs xdotool";
  }
  std::filesystem::path UserFolder() const { return tmp.Path() / "QuennelVarrick"; }
  std::string Log() const { return testing_support::ReadFile(UserFolder() / "log.txt"); }
  bool LogHas(const std::string& text) const { return Log().find(text) != std::string::npos; }
  // Starts with a configuration that opens a window of the given size.
  void WriteWindowedConfig(int width, int height) const;
  // The game's window once it is up and its device is ready for input.
  std::string WaitForWindow() const;
  void PressKey(const std::string& window, const std::string& keys) const;
  void TypeText(const std::string& window, const std::string& text) const;
  // Escape skips every splash screen; returns once the menu's music has
  // started, that is once the splash state is over.
  bool SkipSplash(const std::string& window) const;
  // Ctrl+Alt and the key left of 1: opens or closes the console.
  void ToggleConsole(const std::string& window) const { PressKey(window, "ctrl+alt+grave"); }
  // Types a line into the open console and presses Enter.
  void ConsoleLine(const std::string& window, const std::string& line) const;
  std::string WindowSize(const std::string& window) const;
  // The visible window of exactly that title (a developer view's), waiting
  // up to 15 s; empty when none appears.
  std::string FindWindowTitled(const std::string& title) const;
  // Moves the pointer to a point of the window (one pixel a UI unit in a
  // 1000 x 625 window), then clicks when asked.
  void Point(const std::string& window, int x, int y, bool click = true) const;
  // A PNG of the window's contents; false when it could not be taken.
  bool Screenshot(const std::string& window, const std::string& path) const;
  testing_support::ScopedTempDir tmp;
};

// The test programs' runs: a 1000 x 625 window, pictures kept in the build's
// screenshots folder, and the lines the program prints.
class ProgramRunFixture : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    WriteWindowedConfig(1000, 625);
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
  }
  static std::string Shot(const std::string& name) { return std::string(QV_SCREENSHOT_DIR) + "/" + name; }
  // True once the program printed this whole line.
  static bool Has(const GameProcess& run, const std::string& line) {
    return run.Stderr().find(line + "\n") != std::string::npos;
  }
};

// The pixels of the rectangle [x0, x1) x [y0, y1) whose colour (red, green,
// blue) passes the test.
template <typename Test>
int CountPixels(const platform::Image& image, int x0, int y0, int x1, int y1, Test test) {
  int count = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, image.height); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, image.width); ++x) {
      const std::uint8_t* p = &image.bgra[(static_cast<std::size_t>(y) * image.width + x) * 4];
      count += test(p[2], p[1], p[0]) ? 1 : 0;
    }
  return count;
}

}  // namespace e2e
