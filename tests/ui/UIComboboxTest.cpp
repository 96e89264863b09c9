// The combo box and its list: opening as the capture, the lit rows, choosing,
// closing, disabling, deleting the box while open, and drawing.
#include "ui/UICombobox.h"

#include <algorithm>

#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UIComboboxList.h"

namespace {

// A 200 x 30 box at (50, 50) in a panel; three items of size 20 and a top
// margin of 5 make the list 70 high, at y 80.
class UIComboboxTest : public widget_test::WidgetTest {
 protected:
  UIComboboxTest() {
    panel = screen.AddChild(std::make_unique<UIControl>(YRect(0, 0, 500, 400), "panel", &events));
    box = static_cast<UICombobox*>(panel->AddChild(std::make_unique<UICombobox>(
        YRect(50, 50, 200, 30), "box", GetShader("combo"), nullptr, GetShader("list"), style,
        YColor(1, 0, 0, 1), YColor(0.5f, 0.5f, 0.5f, 1), 8, 5, 6, 0, 1)));
    for (const char* item : {"one", "two", "three"}) box->AddItem(item);
  }
  void Click(float x, float y, int button = 1) {
    screen.MouseMove(x, y);
    screen.MouseDown(button, x, y);
    screen.MouseUp(button, x, y);
  }
  UIComboboxList* OpenList() const { return static_cast<UIComboboxList*>(UIControl::Capture()); }

  UIControl* panel;
  UICombobox* box;
};

TEST_F(UIComboboxTest, ListOpensBelowAsTheCaptureAndLightsTheRowUnderThePointer) {
  EXPECT_EQ(box->List()->rect.height, 70);
  Click(100, 60);
  ASSERT_TRUE(box->IsOpen());
  UIComboboxList* list = OpenList();
  EXPECT_EQ(list, box->List());
  EXPECT_EQ(panel->Children().back().get(), list);  // over its siblings
  EXPECT_EQ(UIControl::CaptureOwner(), box);
  EXPECT_EQ(list->rect.y, 80);
  const struct {
    float y;  // within the list
    int row;
  } rows[] = {{24, 0}, {25, 1}, {2, 0}, {64, 2}, {66, -1}};
  for (const auto& r : rows) {
    screen.MouseMove(100, 80 + r.y);
    EXPECT_EQ(list->Hovered(), r.row) << r.y;
  }
  screen.MouseMove(100, 60);  // back over the box: nothing else becomes hot
  EXPECT_EQ(list->Hovered(), -1);
}

// Choosing reports code 4 also for the item already current.
TEST_F(UIComboboxTest, ChoosingReportsEveryTimeAndClosesTheList) {
  Click(100, 60);
  Click(100, 80 + 30);  // "two"
  EXPECT_FALSE(box->IsOpen());
  EXPECT_EQ(UIControl::Capture(), nullptr);
  EXPECT_EQ(box->GetCurrent(), 1);
  Click(100, 60);
  Click(100, 80 + 30);
  Click(100, 60);
  Click(100, 80 + 2);  // the top margin lights the first item
  EXPECT_EQ(box->GetCurrent(), 0);
  EXPECT_EQ(events.events, (Events{{4, box}, {4, box}, {4, box}}));
  box->SetCurrent(7);  // screen code: any index, reported too
  EXPECT_EQ(events.events.size(), 4u);
}

TEST_F(UIComboboxTest, ClicksOnTheBoxOrElsewhereCloseWithoutChoosing) {
  Click(100, 60);
  Click(100, 60);
  EXPECT_FALSE(box->IsOpen());
  Click(100, 60);
  screen.MouseMove(100, 100);
  Click(100, 60);  // the pointer left the box: the panel closes the list
  EXPECT_FALSE(box->IsOpen());
  Click(100, 60);
  Click(800, 500);  // outside the panel
  EXPECT_FALSE(box->IsOpen());
  ASSERT_NE(box->List(), nullptr);
  Click(100, 60);
  EXPECT_TRUE(box->IsOpen());
  Click(100, 80 + 50);
  EXPECT_EQ(events.events, (Events{{4, box}}));
  EXPECT_EQ(box->GetCurrent(), 2);
}

TEST_F(UIComboboxTest, DisablingClosesTheListAndIgnoresClicks) {
  Click(100, 60);
  box->SetEnabled(false);
  EXPECT_FALSE(box->IsOpen());
  EXPECT_EQ(UIControl::Capture(), nullptr);  // the rest of the screen is live again
  Click(100, 60);
  EXPECT_FALSE(box->IsOpen());
  EXPECT_EQ(box->State(), UICombobox::kDisabled);
  box->SetEnabled(true);
  EXPECT_EQ(box->State(), UICombobox::kNormal);
}

TEST_F(UIComboboxTest, ItemTextIsHeldToTheList) {
  EXPECT_EQ(box->GetItemText(5), "three");
  EXPECT_EQ(box->GetItemText(-2), "one");
  box->Clear();
  EXPECT_EQ(box->GetItemText(0), "");
  EXPECT_EQ(box->List()->rect.height, 30);  // one line and the margins
}

TEST_F(UIComboboxTest, DeletingTheBoxWhileOpenTakesTheListAlong) {
  Click(100, 60);
  panel->RemoveChild(box).reset();
  EXPECT_TRUE(panel->Children().empty());
  EXPECT_EQ(UIControl::Capture(), nullptr);
  EXPECT_EQ(UIControl::CaptureOwner(), nullptr);
  Click(100, 100);
}

// Frame halves by look; the current item plain, greyed or hot, none when out of
// range; the list's bands run from v 1 at its top to v 0 at its bottom.
TEST_F(UIComboboxTest, DrawsTheFrameHalfAndTheCurrentItemInItsLook) {
  const auto last = [&] { return widget_test::MaterialColour(render.CallsMatching("ApplyMaterial").back()); };
  Draw(*box);
  EXPECT_EQ(widget_test::TexCoords(1), (std::vector<float>{0, 0.01f}));
  EXPECT_EQ(widget_test::GlyphCorners(render).front(), (std::pair<float, float>{8, 25}));
  EXPECT_EQ(last(), (std::vector<float>{1, 1, 1, 1}));
  box->SetEnabled(false);
  Draw(*box);
  EXPECT_EQ(last(), (std::vector<float>{0.5f, 0.5f, 0.5f, 1}));
  box->SetEnabled(true);
  Click(100, 60);
  Draw(*box);
  EXPECT_EQ(widget_test::TexCoords(1), (std::vector<float>{0, 0.51f}));
  EXPECT_EQ(last(), (std::vector<float>{1, 0, 0, 1}));
  screen.MouseMove(100, 80 + 30);
  Draw(*OpenList());
  EXPECT_EQ(render.Count("DrawStrip28 6"), 3u);
  EXPECT_EQ(widget_test::TexCoords(2), (std::vector<float>{0, 0.25f, 0, 0}));  // the bottom band
  EXPECT_EQ(widget_test::GlyphCorners(render).size(), 11u);                    // one two three
  box->SetCurrent(3);
  Draw(*box);
  EXPECT_TRUE(widget_test::GlyphCorners(render).empty());
}

// A control after the box's container (a heading further down the screen)
// must not cover the open list: the list is drawn after the whole tree, at
// its own place, and the world matrix is left as the tree found it.
TEST_F(UIComboboxTest, AnOpenListIsDrawnAfterEveryOtherControlOfTheScreen) {
  panel->rect = YRect(20, 10, 500, 400);
  auto* heading =
      static_cast<Probe*>(screen.AddChild(std::make_unique<Probe>("heading", YRect(0, 100, 600, 40))));
  heading->paintColour = YColor(1, 1, 1, 1);
  Click(120, 70);
  ASSERT_TRUE(box->IsOpen());
  Draw(screen);
  std::vector<std::string> order;  // what each draw call drew, with the translation before it
  float x = 0, y = 0;
  for (const auto& call : render.calls) {
    if (call.text == "SetWorldTransform") x = call.floats[12], y = call.floats[13];
    if (call.text.starts_with("DrawQuad28") || call.text.starts_with("DrawStrip28"))
      order.push_back(call.text + " at " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  }
  const auto headingDrawn = std::find(order.begin(), order.end(), "DrawQuad28 at 0,100");
  ASSERT_NE(headingDrawn, order.end());
  EXPECT_EQ(std::count(order.begin(), order.end(), "DrawStrip28 6 at 70,90"), 3);  // the list's bands
  EXPECT_EQ(std::count(headingDrawn, order.end(), "DrawStrip28 6 at 70,90"), 3);   // all after the heading
  EXPECT_EQ(render.calls.back().text, "SetWorldTransform");
  EXPECT_EQ(render.calls.back().floats[12], 0);
}

}  // namespace
