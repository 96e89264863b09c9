// The interface toolkit in a real window: the developer view shows the
// layout that uses every tag, xdotool clicks and types into it, the events
// the controls report come out on the view's standard error, and the last
// frame's screenshot shows the state the input left.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/GameFixture.h"

namespace {

using namespace std::chrono_literals;

class UIView : public e2e::GameFixture {
 protected:
  std::string FindWindow() const { return FindWindowTitled("UI view"); }
};

TEST_F(UIView, EveryTagAnswersTheMouseAndTheKeyboard) {
  const std::string shot = tmp.File("widgets.png");
  e2e::GameProcess view(tmp.Str(), e2e::Display(),
                        {"--layout", "ui\\english\\widgets.yml", "--screenshot", shot}, {QV_UIVIEW_EXE, ""});
  const std::string window = FindWindow();
  ASSERT_FALSE(window.empty()) << view.Stderr();
  const auto has = [&](const std::string& line) {
    return view.Stderr().find(line + "\n") != std::string::npos;
  };
  ASSERT_TRUE(e2e::WaitUntil([&] { return has("screen shown"); }, 10s)) << view.Stderr();

  Point(window, 300, 113);  // Play
  Point(window, 300, 161);  // Locked: disabled
  Point(window, 520, 112);  // the edit box takes the focus
  PressKey(window, "shift+q");
  TypeText(window, "uennel");
  Point(window, 520, 160);  // the combo box opens its list...
  Point(window, 520, 200, false);
  Point(window, 520, 248);         // ...and Water is chosen
  Point(window, 750, 113, false);  // hovering the tracker takes the focus
  Point(window, 300, 349);         // the link
  Point(window, 889, 53);          // the close button
  Point(window, 520, 160);         // the list again, Earth lit
  Point(window, 520, 228, false);
  ASSERT_TRUE(e2e::WaitUntil([&] { return has("event 0 close"); }, 5s)) << view.Stderr();
  const std::string events = view.Stderr();
  std::string order;
  for (std::size_t at = events.find("event "); at != std::string::npos; at = events.find("event ", at + 1))
    order += events.substr(at, events.find('\n', at) - at) + "|";
  EXPECT_EQ(order,
            "event 6 widgets|event 0 play|event 2 hero_name|event 3 hero_name|event 4 element|event 2 volume|"
            "event 3 volume|event 0 help_elements|event 0 close|");

  PressKey(window, "Escape");
  const auto code = view.Wait(10s);
  ASSERT_TRUE(code.has_value()) << view.Stderr();
  EXPECT_EQ(*code, 0) << view.Stderr();
  const auto image = platform::LoadImageFile(shot);
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, 1000);
  const auto light = [](int r, int g, int b) { return r > 190 && g > 190 && b > 190; };
  const auto gold = [](int r, int g, int b) { return r > 200 && g > 160 && b < 130; };
  EXPECT_GT(e2e::CountPixels(*image, 435, 100, 645, 126, light), 60);  // the name typed into the edit box
  EXPECT_GT(e2e::CountPixels(*image, 435, 220, 540, 240, gold), 60);   // the lit row of the open list
  EXPECT_GT(e2e::CountPixels(*image, 435, 240, 540, 260, light), 60);  // "Water" below it, unlit
  EXPECT_GT(e2e::CountPixels(*image, 40, 200, 48, 400, gold), 400);    // the window's gold rim
}

}  // namespace
