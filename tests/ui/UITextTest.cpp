// Rich text: runs, lines, wrapping, alignment, line ends, links that light
// together, each text's own layout. At size 20 "abc" is 30 wide, a blank 5.
#include "ui/UIText.h"

#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UIHotLine.h"

namespace {

using widget_test::Style;

// Each run as "text@x,y".
std::vector<std::string> Runs(const UIText& text) {
  std::vector<std::string> runs;
  for (const UIText::Run& run : text.Runs())
    runs.push_back(run.text + "@" + std::to_string(int(run.x)) + "," + std::to_string(int(run.y)));
  return runs;
}

// Each link piece as "name:text@x,y (w x h)".
std::vector<std::string> Pieces(const UIText& text) {
  std::vector<std::string> pieces;
  for (const auto& child : text.Children()) {
    const auto* p = dynamic_cast<const UIHotLine*>(child.get());
    const YRect& r = p->rect;
    pieces.push_back(p->name + ":" + p->text + "@" + std::to_string(int(r.x)) + "," + std::to_string(int(r.y)) +
                     " (" + std::to_string(int(r.width)) + "x" + std::to_string(int(r.height)) + ")");
  }
  return pieces;
}

class UITextTest : public widget_test::WidgetTest {
 protected:
  UITextTest() { text.listener = &events; }
  UIText& text = *static_cast<UIText*>(screen.AddChild(std::make_unique<UIText>(YRect(0, 0, 100, 50), "t")));
};

TEST_F(UITextTest, WordsOfOneStyleMergeIntoOneRunPerLineAndWrapAtTheWidth) {
  text.AppendText(style, UIText::kLeft, "  ab \t c\n d   e ");
  EXPECT_EQ(Runs(text), Lines{"ab c d e@0,20"});
  EXPECT_EQ(text.rect.height, 20);
  UIText wrapped(YRect(0, 0, 100, 0), "w");
  wrapped.AppendText(style, UIText::kLeft, "abc abc abc abc");  // 30, 65, 100; a fourth needs 135
  EXPECT_EQ(Runs(wrapped), (Lines{"abc abc abc@0,20", "abc@0,40"}));
  EXPECT_EQ(wrapped.rect.height, 40);
  UIText narrow(YRect(0, 0, 20, 0), "n");
  narrow.AppendText(style, UIText::kLeft, "abcdef g");  // too wide: alone on its line, sticking out
  EXPECT_EQ(Runs(narrow), (Lines{"abcdef@0,20", "g@0,40"}));
  EXPECT_EQ(text.rect.y, 0);  // the height is the text's; the width and place stay
}

TEST_F(UITextTest, ALargerSizeMovesTheLineDownAndGrowsTheText) {
  text.AppendText(style, UIText::kLeft, "ab");
  text.AppendText(Style(30), UIText::kLeft, "c");
  EXPECT_EQ(Runs(text), (Lines{"ab@0,30", "c@27,30"}));  // 20 + a blank of 7.5
  EXPECT_EQ(text.rect.height, 30);
  text.AppendText(Style(20, YColor(1, 0, 0, 1)), UIText::kLeft, "d");
  EXPECT_EQ(Runs(text).back(), "d@47,30");  // a new colour is a run of its own
}

TEST_F(UITextTest, RightAndCentreLinesMoveByWhatTheirContentAdds) {
  text.AppendText(style, UIText::kRight, "abc abc");  // 65 wide
  EXPECT_EQ(Runs(text), Lines{"abc abc@35,20"});
  text.AppendText(style, UIText::kRight, "ab");  // 90 wide
  EXPECT_EQ(Runs(text), Lines{"abc abc ab@10,20"});
  text.AppendText(style, UIText::kCentre, "ab");  // a new alignment starts a line
  EXPECT_EQ(Runs(text).back(), "ab@40,40");
  text.AppendText(style, UIText::kRight, "");  // no words: the new (empty) line is not aligned
  text.AppendText(style, UIText::kRight, "abc");
  EXPECT_EQ(Runs(text).back(), "abc@70,60");
}

TEST_F(UITextTest, LineEndsStackLinesOfTheirStylesSize) {
  text.EndLine(style);
  text.AppendText(style, UIText::kLeft, "a");
  text.EndLine(Style(10));
  text.EndLine(Style(10));
  text.AppendText(Style(10), UIText::kLeft, "b");
  EXPECT_EQ(Runs(text), (Lines{"a@0,40", "b@0,60"}));
  EXPECT_EQ(text.rect.height, 60);
}

TEST_F(UITextTest, EachTextKeepsItsOwnLayout) {
  UIText other(YRect(0, 0, 100, 0), "o");
  text.AppendText(style, UIText::kLeft, "ab");
  other.AppendText(style, UIText::kRight, "abc");
  text.AppendText(style, UIText::kLeft, "cd");
  other.AppendText(style, UIText::kRight, "a");
  EXPECT_EQ(Runs(text), Lines{"ab cd@0,20"});
  EXPECT_EQ(Runs(other), Lines{"abc a@55,20"});
  text.SetText(UIText::kLeft, "x");  // clears and starts afresh in the first run's style
  EXPECT_EQ(Runs(text), Lines{"x@0,20"});
  UIText empty(YRect(0, 0, 100, 0), "e");
  empty.SetText(UIText::kLeft, "ignored");
  EXPECT_TRUE(empty.Runs().empty());
}

TEST_F(UITextTest, LinksWrapIntoPiecesThatLightTogether) {
  const YColor hot(1, 0, 0, 1);
  text.AppendLink(style, hot, UIText::kLeft, "abc abc abc abc", "one");
  text.AppendLink(style, hot, UIText::kLeft, "ab", "two");
  text.AppendText(style, UIText::kLeft, "c");
  text.AppendLink(style, hot, UIText::kLeft, "d", "two");
  EXPECT_EQ(Pieces(text), (Lines{"one:abc abc abc@0,0 (100x20)", "one:abc@0,20 (30x20)", "two:ab@35,20 (20x20)",
                                 "two:d@75,20 (10x20)"}));
  EXPECT_EQ(Runs(text), Lines{"c@60,40"});
  auto piece = [&](std::size_t i) { return static_cast<UIHotLine*>(text.Children()[i].get()); };
  EXPECT_EQ(piece(3)->Next(), piece(3));  // a plain run between them separates the two "two" pieces
  UIHotLine *first = piece(0), *second = piece(1);
  EXPECT_EQ(first->Next(), second);
  screen.MouseMove(5, 30);  // over the second line's piece
  EXPECT_TRUE(first->State() == UIHotLine::kHot && second->State() == UIHotLine::kHot);
  screen.MouseDown(1, 5, 30);
  screen.MouseMove(500, 500);
  EXPECT_TRUE(first->State() == UIHotLine::kNormal && second->State() == UIHotLine::kNormal);
  second->SetEnabled(false);  // only that piece: it stays grey and silent
  screen.MouseMove(5, 5);
  EXPECT_TRUE(first->State() == UIHotLine::kHot && second->State() == UIHotLine::kDisabled);
  screen.MouseDown(1, 5, 5);
  screen.MouseMove(5, 30);
  screen.MouseDown(1, 5, 30);
  EXPECT_EQ(events.events, (Events{{0, second}, {0, first}}));
}

TEST_F(UITextTest, RunsAndPiecesDrawWhereTheyWereLaidOut) {
  text.AppendText(style, UIText::kRight, "ab");
  text.EndLine(style);
  text.AppendLink(style, YColor(1, 0, 0, 1), UIText::kLeft, "c", "link");
  static_cast<UIHotLine*>(text.Children()[0].get())->SetEnabled(false);
  Draw(text);
  const auto glyphs = widget_test::GlyphCorners(render);
  EXPECT_EQ(glyphs, (std::vector<std::pair<float, float>>{{80, 20}, {90, 20}, {0, 20}}));  // the piece's own
  EXPECT_EQ(text.Children()[0]->rect.y, 20);
  const auto materials = render.CallsMatching("ApplyMaterial");
  EXPECT_EQ(widget_test::MaterialColour(materials.back()), (std::vector<float>{0, 0, 0, 0.25f}));
}

TEST_F(UITextTest, ClearDeletesRunsAndLinks) {
  text.AppendText(style, UIText::kLeft, "ab");
  text.AppendLink(style, YColor(1, 0, 0, 1), UIText::kLeft, "cd", "link");
  text.Clear();
  EXPECT_TRUE(text.Runs().empty() && text.Children().empty());
  EXPECT_EQ(text.rect.height, 0);
  text.SetTextStyled(Style(10), UIText::kLeft, "e");
  EXPECT_EQ(Runs(text), Lines{"e@0,10"});
}

}  // namespace
