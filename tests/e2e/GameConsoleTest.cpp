// A player's first minute: the splash screens, skipped; the console opened
// with Ctrl+Alt and the key left of 1; the frame rate switched on; "exit";
// the state changes on the way, in the log.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Image.h"
#include "tests/e2e/GameFixture.h"

using namespace std::chrono_literals;

namespace {

class GameConsole : public e2e::GameFixture {};

// Texels of the screenshot that are nearly white (text) in the given rows.
int BrightTexels(const platform::Image& image, int fromRow, int toRow) {
  int count = 0;
  for (int y = fromRow; y < toRow && y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const auto* p = &image.bgra[static_cast<std::size_t>((y * image.width + x) * 4)];
      if (p[0] > 200 && p[1] > 200 && p[2] > 200) ++count;
    }
  return count;
}

// Texels of the cursor's gold (red high, blue low) near a point.
int CursorTexels(const platform::Image& image, int cx, int cy) {
  int count = 0;
  for (int y = cy; y < cy + 40 && y < image.height; ++y)
    for (int x = cx; x < cx + 40 && x < image.width; ++x) {
      const auto* p = &image.bgra[static_cast<std::size_t>((y * image.width + x) * 4)];
      if (p[2] > 180 && p[1] > 120 && p[0] < 110) ++count;
    }
  return count;
}

TEST_F(GameConsole, SplashIsSkippedConsoleSetsFpsAndExitSavesTheConfiguration) {
  WriteWindowedConfig(800, 500);
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr() << Log();

  ASSERT_TRUE(SkipSplash(window)) << Log();
  e2e::Shell("DISPLAY=" + e2e::Display() + " xdotool mousemove --window " + window + " 400 250");
  ToggleConsole(window);
  ConsoleLine(window, "fps = 1");

  // The console slides down at its own pace: wait for its text on screen.
  const std::string shot = tmp.File("console.png");
  int text = 0, cursor = 0;
  e2e::WaitUntil(
      [&] {
        const auto image = Screenshot(window, shot) ? platform::LoadImageFile(shot) : std::nullopt;
        if (!image) return false;
        text = BrightTexels(*image, 0, image->height / 2);
        cursor = CursorTexels(*image, 400, 250);
        return text > 50 && cursor > 20;
      },
      10s);
  EXPECT_GT(text, 50) << "no console text in " << shot;
  EXPECT_GT(cursor, 20) << "no cursor in " << shot;

  ConsoleLine(window, "exit");
  const auto code = game.Wait(10s);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0) << game.Stderr();
  const std::string config = testing_support::ReadFile(UserFolder() / "config.yml");
  EXPECT_NE(config.find("fps=\"1\""), std::string::npos) << config;
  // Each change of the screen state is in the log: the splash, then the menu.
  EXPECT_TRUE(LogHas("State 0x4 -> 0x6")) << Log();
  EXPECT_TRUE(LogHas("State 0x6 -> 0x4")) << Log();
}

// The drawn cursor goes with the pointer when it leaves the window (a whole
// one stayed at the left edge) and comes back with it.
TEST_F(GameConsole, TheDrawnCursorLeavesTheWindowWithThePointerAndComesBackWithIt) {
  WriteWindowedConfig(800, 500);
  e2e::GameProcess game(tmp.Str(), e2e::Display());
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << game.Stderr() << Log();
  ASSERT_TRUE(SkipSplash(window)) << Log();
  const auto xdotool = [&](const std::string& args) {
    e2e::Shell("DISPLAY=" + e2e::Display() + " xdotool " + args);
  };
  const std::string shot = tmp.File("cursor.png");
  // Waits until the cursor's gold shows (or is gone) in the square at x, y.
  const auto shows = [&](int x, int y, bool shown) {
    return e2e::WaitUntil(
        [&] {
          const auto image = Screenshot(window, shot) ? platform::LoadImageFile(shot) : std::nullopt;
          return image && (CursorTexels(*image, x, y) > 20) == shown;
        },
        5s);
  };
  xdotool("windowmove " + window + " 200 200");
  xdotool("mousemove --window " + window + " 2 250");
  ASSERT_TRUE(shows(0, 250, true)) << shot;
  xdotool("mousemove 100 450");  // out on the left
  EXPECT_TRUE(shows(0, 250, false)) << "a cursor stayed at the left edge: " << shot;
  xdotool("mousemove --window " + window + " 400 250");
  EXPECT_TRUE(shows(400, 250, true)) << "the cursor did not come back: " << shot;
}

}  // namespace
