// The control panel in a real window (its developer view, a seed profile's
// hero and monster set): xdotool clicks each tab's slots and buttons; the
// last frame of each tab is kept in <build>/screenshots/panel_tab<N>.png.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/GameFixture.h"

namespace {

using namespace std::chrono_literals;

class PanelView : public e2e::GameFixture {
 protected:
  // Runs the view on a tab, lets `drive` click, returns the last frame.
  template <typename Drive>
  platform::Image RunTab(int tab, Drive drive) {
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    const std::string shot = std::string(QV_SCREENSHOT_DIR) + "/panel_tab" + std::to_string(tab) + ".png";
    e2e::GameProcess view(tmp.Str(), e2e::Display(), {"--tab", std::to_string(tab), "--screenshot", shot},
                          {QV_PANELVIEW_EXE, ""});
    const std::string window = FindWindowTitled("Panel view");
    EXPECT_FALSE(window.empty()) << view.Stderr();
    EXPECT_TRUE(e2e::WaitUntil([&] { return Has(view, "screen shown"); }, 10s)) << view.Stderr();
    drive(window, view);
    PressKey(window, "Escape");
    const auto code = view.Wait(10s);
    EXPECT_EQ(code, std::optional<int>(0)) << view.Stderr();
    return platform::LoadImageFile(shot).value_or(platform::Image{});
  }
  static bool Has(const e2e::GameProcess& view, const std::string& line) {
    return view.Stderr().find(line + "\n") != std::string::npos;
  }
};

const auto kButtonBlue = [](int r, int g, int b) { return b > 120 && b > r + 40 && b > g + 10; };
const auto kDarkRed = [](int r, int g, int b) { return r > 110 && g < 70 && b < 70; };

TEST_F(PanelView, EachTabAnswersTheMouseAndIsKeptForReview) {
  // Spells: a spare spell's card; the skill button and Continue reach the screens.
  auto image = RunTab(0, [&](const std::string& window, const e2e::GameProcess& view) {
    Point(window, 550, 330, false);
    Point(window, 420, 42);
    Point(window, 900, 595);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Has(view, "screen continue"); }, 5s)) << view.Stderr();
    EXPECT_TRUE(Has(view, "screen skill")) << view.Stderr();
    Point(window, 550, 330, false);
  });
  ASSERT_EQ(image.width, 1000);
  EXPECT_GT(e2e::CountPixels(image, 660, 50, 900, 80, kDarkRed), 100);  // the spell's name on the card
  // Artifacts: a carried artifact selected offers "Use".
  image = RunTab(1, [&](const std::string& window, const e2e::GameProcess&) { Point(window, 550, 330); });
  EXPECT_GT(e2e::CountPixels(image, 650, 215, 810, 245, kButtonBlue), 800);
  // Army: a monster selected offers "Sell" and shows its card.
  image = RunTab(2, [&](const std::string& window, const e2e::GameProcess&) { Point(window, 390, 480); });
  EXPECT_GT(e2e::CountPixels(image, 650, 215, 810, 245, kButtonBlue), 800);
  EXPECT_GT(e2e::CountPixels(image, 740, 140, 830, 160, kDarkRed), 200);  // the health bar
  // Shop: an offer the hero can pay offers "Buy".
  image = RunTab(3, [&](const std::string& window, const e2e::GameProcess&) { Point(window, 60, 360); });
  EXPECT_GT(e2e::CountPixels(image, 650, 215, 810, 245, kButtonBlue), 800);
}

}  // namespace
