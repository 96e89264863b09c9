// The scroll bar: ranges held to what is possible, the arrows, the thumb.
#include "ui/UIScrollBar.h"

#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UISpeedButton.h"

namespace {

using UIScrollBarTest = widget_test::WidgetTest;

TEST_F(UIScrollBarTest, RangesAreHeldToWhatIsPossible) {
  const struct {
    int position, total, visible;
    int wantPosition, wantTotal, wantVisible;
  } cases[] = {
      {7, 10, 5, 5, 10, 5},  {3, 4, 9, 0, 4, 4},   {-2, 10, 5, 0, 10, 5}, {2, -3, 1, 0, 0, 0},
      {4, 10, -5, 4, 10, 0}, {0, 0, 0, 0, 0, 0},   {9, 10, 10, 0, 10, 10},
  };
  UIScrollBar bar(YRect(0, 0, 20, 200), "bar", nullptr, nullptr, nullptr, nullptr);
  for (const auto& c : cases) {
    bar.SetRange(c.position, c.total, c.visible);
    EXPECT_EQ(bar.GetPos(), c.wantPosition) << c.position << " " << c.total << " " << c.visible;
    EXPECT_EQ(bar.Total(), c.wantTotal);
    EXPECT_EQ(bar.Visible(), c.wantVisible);
  }
}

// Clicks on the arrows step the position within the range, silently.
TEST_F(UIScrollBarTest, ArrowsStepThePositionWithinTheRange) {
  auto* bar = static_cast<UIScrollBar*>(
      screen.AddChild(std::make_unique<UIScrollBar>(YRect(100, 0, 20, 200), "bar", nullptr, nullptr, nullptr, nullptr)));
  bar->SetRange(4, 10, 5);
  auto click = [&](float y) {
    screen.MouseMove(110, y);
    screen.MouseDown(1, 110, y);
    screen.MouseUp(1, 110, y);
  };
  click(190);
  click(190);  // already at the end
  EXPECT_EQ(bar->GetPos(), 5);
  click(10);
  EXPECT_EQ(bar->GetPos(), 4);
  click(100);  // the track does nothing
  EXPECT_EQ(bar->GetPos(), 4);
  EXPECT_TRUE(events.events.empty());
}

// A 20 x 200 bar: a track of 160 between the arrows, a thumb of at least 16.
TEST_F(UIScrollBarTest, ThumbShowsTheVisiblePartAndNeverDividesByZero) {
  const struct {
    int position, total, visible;
    float top, length;
  } cases[] = {
      {5, 10, 5, 100, 80},  // half the lines: half the track, at its bottom
      {0, 10, 5, 20, 80},
      {3, 5, 5, 20, 160},   // every line visible: the whole track, at the top
      {0, 0, 0, 20, 16},    // no lines: the shortest thumb, at the top
      {99, 100, 1, 164, 16},
  };
  UIScrollBar bar(YRect(0, 0, 20, 200), "bar", GetShader("scroll test"), nullptr, nullptr, nullptr);
  for (const auto& c : cases) {
    bar.SetRange(c.position, c.total, c.visible);
    EXPECT_FLOAT_EQ(bar.ThumbTop(), c.top) << c.total << " " << c.visible;
    EXPECT_FLOAT_EQ(bar.ThumbLength(), c.length) << c.total << " " << c.visible;
    render.ClearCalls();
    bar.Paint();  // the thumb's bands are the last built
    EXPECT_EQ(render.Count("DrawStrip28 6"), 2u);
    widget_test::ExpectNear(widget_test::Positions(), {0, c.top, 20, c.top, 0, c.top + 5, 20, c.top + 5, 0,
                                                       c.top + c.length - 5, 20, c.top + c.length - 5, 0,
                                                       c.top + c.length, 20, c.top + c.length});
    EXPECT_EQ(widget_test::TexCoords(1), (std::vector<float>{0.5f, 0}));
  }
}

}  // namespace
