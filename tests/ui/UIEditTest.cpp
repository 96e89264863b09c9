// The edit box: what typing and pasting accept, its keys and codes, the caret.
#include "ui/UIEdit.h"

#include "framework/YFramework.h"
#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"

namespace {

using widget_test::Style;

class UIEditTest : public widget_test::WidgetTest {
 protected:
  ~UIEditTest() override { UIEdit::SetClipboardReader({}); }
  static void Type(UIEdit& edit, std::string_view text) {
    for (const char c : text) edit.OnChar(static_cast<unsigned char>(c));
  }
  YFramework app;  // the key table Shift and Ctrl are read from
};

TEST_F(UIEditTest, LengthLimitStopsTypingUntilACharacterIsDeleted) {
  UIEdit edit(YRect(0, 0, 500, 22), "e", style, nullptr, 3, 1, 0, -1);
  Type(edit, "abcd");
  EXPECT_STREQ(edit.GetText(), "abc");
  edit.OnKeyDown(8);
  Type(edit, "xy");
  EXPECT_STREQ(edit.GetText(), "abx");
  edit.SetText("longer than three");  // screen code is not limited
  EXPECT_EQ(edit.GetLength(), 17);
}

// The text, the next character and the caret bar stay under the limit (110).
TEST_F(UIEditTest, WidthLimitKeepsRoomForTheCaret) {
  UIEdit edit(YRect(0, 0, 120, 22), "e", style, nullptr, 0, 1, 5, -1);
  Type(edit, "abcdefghijkl");
  EXPECT_STREQ(edit.GetText(), "abcdefghi");  // 9 characters and the bar make 100; a tenth would make 110
  Type(edit, " ");                            // the width counts, not the characters: 90 + 5 + 10 fits
  EXPECT_EQ(edit.GetLength(), 10);
  const struct {
    float width, margin, maxWidth, want;
  } limits[] = {{120, 0, 300, 120}, {120, 0, 50, 50}, {120, 5, -1, 110}, {120, 10, 200, 100}};
  for (const auto& l : limits)
    EXPECT_EQ(UIEdit(YRect(0, 0, l.width, 22), "e", style, nullptr, 0, 1, l.margin, l.maxWidth).MaxWidth(), l.want);
}

TEST_F(UIEditTest, OnlyBytesFrom32AreTyped) {
  UIEdit edit(YRect(0, 0, 4000, 22), "e", Style(1), nullptr, 0, 1, 0, -1);
  for (int c = 0; c < 256; ++c) {
    const int before = edit.GetLength();
    edit.OnChar(c);
    EXPECT_EQ(edit.GetLength() - before, c >= 32 ? 1 : 0) << c;
  }
  EXPECT_EQ(static_cast<unsigned char>(edit.GetText()[edit.GetLength() - 1]), 255);
}

TEST_F(UIEditTest, KeysDeleteFromTheEndAndReportEnterAndEscape) {
  UIEdit edit(YRect(0, 0, 500, 22), "e", style, nullptr, 0, 1, 0, -1);
  edit.listener = &events;
  edit.OnKeyDown(37);  // Left and Backspace on an empty text do nothing
  edit.OnKeyDown(8);
  Type(edit, "abc");
  edit.OnKeyDown(37);
  EXPECT_STREQ(edit.GetText(), "ab");
  edit.OnKeyDown(13);
  edit.OnKeyDown(0x100 + 27);  // only the low byte counts
  edit.OnKeyDown(39);          // Right: nothing
  EXPECT_STREQ(edit.GetText(), "ab");
  EXPECT_EQ(events.events, (Events{{0, &edit}, {5, &edit}}));
}

// Pasted bytes pass the same tests as typed ones.
TEST_F(UIEditTest, ShiftInsertAndCtrlVPasteTheClipboard) {
  UIEdit::SetClipboardReader([] { return std::string("x\r\ny\x01\xE9"); });
  UIEdit edit(YRect(0, 0, 500, 22), "e", style, nullptr, 0, 1, 0, -1);
  edit.OnKeyDown(45);
  edit.OnKeyDown(86);
  EXPECT_STREQ(edit.GetText(), "");
  app.keys[16] = 1;
  edit.OnKeyDown(45);
  edit.OnKeyDown(86);
  EXPECT_STREQ(edit.GetText(), "xy\xE9");
  app.keys[16] = 0;
  app.keys[17] = 1;
  edit.OnKeyDown(86);
  EXPECT_STREQ(edit.GetText(), "xy\xE9xy\xE9");
  UIEdit::SetClipboardReader([] { return std::string(); });
  edit.OnKeyDown(86);  // an empty clipboard changes nothing
  EXPECT_EQ(edit.GetLength(), 6);
}

// The caret blinks every 0.2 s while focused, drawn after the text; a blink
// is reported up the tree.
TEST_F(UIEditTest, CaretBlinksOnlyWithTheFocusAndFollowsTheText) {
  auto* edit = static_cast<UIEdit*>(
      screen.AddChild(std::make_unique<UIEdit>(YRect(10, 10, 200, 30), "e", style, nullptr, 0, 1, 4, -1)));
  edit->SetText("ab");
  EXPECT_FALSE(screen.Animate(0.3f));  // no look changed with the time
  EXPECT_FALSE(edit->CaretVisible());
  screen.MouseMove(20, 20);
  screen.MouseDown(2, 20, 20);
  EXPECT_NE(UIControl::Focused(), edit);  // only the left button focuses
  screen.MouseDown(1, 20, 20);
  ASSERT_EQ(UIControl::Focused(), edit);
  EXPECT_FALSE(screen.Animate(0.2f));
  EXPECT_FALSE(edit->CaretVisible());  // 0.2 s is not more than 0.2 s
  EXPECT_TRUE(screen.Animate(0.05f));  // the blink is told, for the frame to show it
  EXPECT_TRUE(edit->CaretVisible());
  Draw(*edit);
  EXPECT_EQ(render.Count("DrawStrip28"), 0u);
  EXPECT_EQ(widget_test::GlyphCorners(render),
            (std::vector<std::pair<float, float>>{{4, 24}, {14, 24}, {24, 24}}));  // a, b, then the bar
  screen.MouseMove(900, 600);
  screen.MouseDown(1, 900, 600);
  Draw(*edit);
  EXPECT_EQ(widget_test::GlyphCorners(render).size(), 2u);
}

}  // namespace
