// The tracker: values held to [0, 1] and reported on change, presses, drags,
// keys, focus, and its geometry, also when no wider than its thumb.
#include "ui/UITracker.h"

#include <cmath>

#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UIEdit.h"

namespace {

// A 200 x 20 tracker with a square thumb at (100, 100) in the screen.
class UITrackerTest : public widget_test::WidgetTest {
 protected:
  UITrackerTest() {
    tracker = static_cast<UITracker*>(screen.AddChild(std::make_unique<UITracker>(
        YRect(100, 100, 200, 20), "tracker", GetShader("track"), GetShader("thumb"), YColor(1, 0.5f, 0, 1), 1)));
  }
  UITracker* tracker;
};

TEST_F(UITrackerTest, ValuesAreHeldToTheRangeAndReportedOnlyOnChange) {
  const struct {
    float set, want;
    bool reported;
  } cases[] = {{1.7f, 1, true}, {1.2f, 1, false}, {-0.5f, 0, true}, {0, 0, false}, {0.25f, 0.25f, true},
               {NAN, 0, true}};
  for (const auto& c : cases) {
    events.events.clear();
    tracker->SetValue(c.set);
    EXPECT_EQ(tracker->GetValue(), c.want) << c.set;
    const Events want = c.reported ? Events{{0, tracker}} : Events{};
    EXPECT_EQ(events.events, want) << c.set;
  }
}

TEST_F(UITrackerTest, PressesAndDragsFollowThePointerUntilReleaseOrLeave) {
  screen.MouseMove(101, 110);
  screen.MouseDown(1, 101, 110);
  EXPECT_EQ(tracker->GetValue(), 0);
  screen.MouseMove(200, 110);
  EXPECT_EQ(tracker->GetValue(), 0.5f);
  screen.MouseUp(1, 290, 110);
  EXPECT_EQ(tracker->GetValue(), 1.0f);
  screen.MouseMove(200, 110);  // released: no drag
  EXPECT_EQ(tracker->GetValue(), 1.0f);
  screen.MouseDown(2, 200, 110);  // any button presses
  EXPECT_TRUE(tracker->Dragging());
  screen.MouseMove(500, 500);  // leaving ends the drag
  EXPECT_FALSE(tracker->Dragging());
  screen.MouseMove(200, 110);
  screen.MouseDown(1, 200, 110);
  tracker->KillFocus();  // so does losing the focus
  EXPECT_FALSE(tracker->Dragging());
}

TEST_F(UITrackerTest, ArrowKeysStepByATenthAndReachTheEndsExactly) {
  int reports = 0;
  for (int i = 0; i < 15; ++i) {
    tracker->OnKeyDown(39);
    reports = static_cast<int>(events.events.size());
  }
  EXPECT_EQ(tracker->GetValue(), 1.0f);
  EXPECT_LE(reports, 11);
  for (int i = 0; i < 15; ++i) tracker->OnKeyDown(0x200 + 37);
  EXPECT_EQ(tracker->GetValue(), 0.0f);
  events.events.clear();
  tracker->OnKeyDown(37);
  tracker->OnKeyDown(45);  // Insert is not a tracker key
  EXPECT_TRUE(events.events.empty());
}

TEST_F(UITrackerTest, HoveringTakesTheFocus) {
  auto* edit = static_cast<UIEdit*>(screen.AddChild(
      std::make_unique<UIEdit>(YRect(0, 0, 100, 22), "edit", style, nullptr, 0, 1, 0, -1)));
  edit->SetFocus();
  events.events.clear();
  screen.MouseMove(150, 110);
  EXPECT_EQ(UIControl::Focused(), tracker);
  EXPECT_EQ(events.events, (Events{{3, edit}, {2, tracker}}));
}

// The thumb at (w - thumb) x value; hot-coloured while focused.
TEST_F(UITrackerTest, ThumbSitsAtItsShareOfTheTravel) {
  tracker->SetValue(0.5f);
  Draw(*tracker);
  EXPECT_EQ(widget_test::Positions(4), (std::vector<float>{90, 0, 110, 0, 110, 20, 90, 20}));
  EXPECT_EQ(render.Count("DrawQuad28"), 2u);
  tracker->SetFocus();
  Draw(*tracker);
  const auto materials = render.CallsMatching("ApplyMaterial");
  ASSERT_FALSE(materials.empty());
  EXPECT_EQ(widget_test::MaterialColour(materials.back()), (std::vector<float>{1, 0.5f, 0, 1}));
}

TEST_F(UITrackerTest, TrackerNoWiderThanItsThumbStaysFinite) {
  for (const float width : {30.0f, 20.0f}) {
    UITracker narrow(YRect(0, 0, width, 30), "n", GetShader("track"), GetShader("thumb"), YColor(1, 1, 1, 1), 1);
    narrow.SetValue(0.7f);
    for (const float x : {0.0f, 15.0f, 30.0f}) {
      narrow.OnMouseDown(1, x, 10);
      EXPECT_EQ(narrow.GetValue(), 0.0f) << width << " " << x;
    }
    narrow.SetValue(1);
    Draw(narrow);
    EXPECT_EQ(UIQuadVertices[0].x, 0.0f);
    EXPECT_TRUE(std::isfinite(UIQuadVertices[1].x));
  }
}

}  // namespace
