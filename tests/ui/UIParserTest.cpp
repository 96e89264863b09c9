// The layout reader: what each tag builds, styles, the font and align stacks,
// text, the root it returns, and the error lines it logs.
#include "ui/UIParser.h"

#include "framework/XMLParser.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UIButton.h"
#include "ui/UICombobox.h"
#include "ui/UIComboboxList.h"
#include "ui/UICustomDraw.h"
#include "ui/UIEdit.h"
#include "ui/UIHotImage.h"
#include "ui/UIHotLine.h"
#include "ui/UIImage.h"
#include "ui/UIScrollBar.h"
#include "ui/UIText.h"
#include "ui/UITracker.h"
#include "ui/UIWindow.h"

namespace {

class UIParserTest : public widget_test::WidgetTest {
 protected:
  // Writes the layout to a file of that name and reads it.
  std::unique_ptr<UIControl> Load(const std::string& name, const std::string& layout) {
    testing_support::WriteFile(dir.File(name), layout);
    return UIParser::LoadLayout(dir.File(name));
  }
  // The error line the reader logs for a message at a line of a file.
  std::string Error(const std::string& message, const std::string& name, int line) const {
    return "Layout parser error, " + message + ", file: " + dir.File(name) + ", line: " + std::to_string(line) + " ";
  }
  // The logged error messages, without the "Expected '<'." of each character
  // skipped after an error; every line must name the file.
  Lines Messages(const std::string& name) const {
    const std::string prefix = "Layout parser error, ", file = ", file: " + dir.File(name) + ", line: ";
    Lines messages;
    for (const std::string& line : log.Lines()) {
      const std::size_t at = line.find(file);
      EXPECT_TRUE(line.starts_with(prefix) && at != std::string::npos && line.ends_with(" ")) << line;
      if (at == std::string::npos) continue;
      std::string message = line.substr(prefix.size(), at - prefix.size());
      if (message != "Expected '<'.") messages.push_back(message);
    }
    return messages;
  }
  template <typename T>
  T* Find(const UIControl& root, std::string_view name) const {
    auto* found = dynamic_cast<T*>(root.FindControl(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static std::vector<std::string> RunTexts(const UIText& text) {
    std::vector<std::string> runs;
    for (const UIText::Run& run : text.Runs()) runs.push_back(run.text + "@" + std::to_string(int(run.x)));
    return runs;
  }

  testing_support::ScopedTempDir dir;
  LogCapture log;
};

// Containers, windows and images hold what is nested in them, the others not.
TEST_F(UIParserTest, EachTagBuildsItsWidgetFromItsAttributes) {
  const auto root = Load("all.yml", R"(
<window name="win" bounds="[10,20,600,500]" shader="w" aspect="2" tl1="0.25" tl2="0.75">
  <container name="box" bounds="[5,5,300,300]">
    <image name="pic" bounds="[1,2,3,4]" coord="[0,0.5,1,0.5]" color="ff000080" texture="t.tga">
      <draw name="area"/>
    </image>
    <edit name="ed" maxlength="8" margin="3" maxWidth="50"/>
    <speedbutton name="sb" enabled="0"/>
    <hotimage name="hi"/>
    <scrollbar name="bar" bounds="[0,0,20,100]"/>
    <tracker name="tr" tw="0.5" hotcolor="00ff00"/>
    <combobox name="cb" margin="4" topmargin="2"><item>a</item><item> b  c </item></combobox>
    <button name="bt" enabled="0"><edit name="inner"/>Go</button>
  </container>
</window>)");
  ASSERT_NE(root, nullptr);
  auto* window = dynamic_cast<UIWindow*>(root.get());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->name == "win" && window->rect.x == 10 && window->rect.height == 500 && window->aspect == 2 &&
              window->tl2 == 0.75f && window->shader == GetShader("w"));
  auto* image = Find<UIImage>(*root, "pic");
  EXPECT_TRUE(image->texRect.y == 0.5f && image->colour.r == 1 && image->texture != nullptr);
  EXPECT_EQ(Find<UICustomDraw>(*root, "area")->Parent(), image);
  auto* edit = Find<UIEdit>(*root, "ed");
  EXPECT_EQ(edit->MaxWidth(), 50);
  EXPECT_EQ(Find<UISpeedButton>(*root, "sb")->State(), UIPressable::kDisabled);
  EXPECT_EQ(Find<UIHotImage>(*root, "hi")->State(), UIPressable::kNormal);
  EXPECT_EQ(Find<UIScrollBar>(*root, "bar")->downArrow->rect.y, 80);
  EXPECT_EQ(Find<UITracker>(*root, "tr")->ThumbWidth(), 15);
  auto* combo = Find<UICombobox>(*root, "cb");
  EXPECT_EQ(combo->List()->Items(), (Lines{"a", "b c"}));
  EXPECT_EQ(combo->List()->margin, 4);
  auto* button = Find<UIButton>(*root, "bt");
  EXPECT_EQ(button->caption, "Go");
  EXPECT_EQ(button->State(), UIPressable::kDisabled);
  EXPECT_NEAR(button->styles[UIButton::kDisabledStyle].colour.r, 0x77 / 255.0f, 1e-6);  // no disablefontcolor: grey
  EXPECT_EQ(Find<UIEdit>(*root, "inner")->Parent()->name, "box");  // the nearest container holds it
  EXPECT_TRUE(log.Lines().empty()) << log.Lines().front();
}

// A style fills what a tag of its kind leaves out; redefined, it replaces only
// the kinds it names; unknown style names are silent.
TEST_F(UIParserTest, StylesFillOmittedValuesPerTagKind) {
  Load("styles.yml", R"(<style name="big">
  <button bounds="[0,0,150,40]" hotfontsize="20" lrFactor="0.5">
  <edit maxlength="4">
</style>)");
  Load("more.yml", R"(<style name="big"><edit maxlength="6"></style>)");
  const auto root = Load("screen.yml", R"(<container>
  <button name="a" style="big"/>
  <button name="b" style="big" hotfontsize="12" bounds="[5,5,10,10]"/>
  <edit name="c" style="big"/>
  <button name="d" style="nothing like it"/>
</container>)");
  ASSERT_NE(root, nullptr);
  auto* a = Find<UIButton>(*root, "a");
  EXPECT_TRUE(a->rect.width == 150 && a->rect.height == 40 && a->lrFactor == 0.5f);
  EXPECT_EQ(a->styles[UIButton::kHotStyle].size, 20);
  auto* b = Find<UIButton>(*root, "b");
  EXPECT_EQ(b->rect.width, 10);
  EXPECT_EQ(b->styles[UIButton::kHotStyle].size, 12);
  EXPECT_EQ(b->lrFactor, 0.5f);
  auto* c = Find<UIEdit>(*root, "c");
  c->SetFocus();
  for (const char ch : std::string("abcdefgh")) c->OnChar(ch);
  EXPECT_EQ(c->GetLength(), 6);
  EXPECT_EQ(Find<UIButton>(*root, "d")->rect.width, 120);  // the tag's defaults
  ASSERT_NE(UIParser::FindStyle("big"), nullptr);
  EXPECT_EQ(UIParser::FindStyle("big")->entries.size(), 2u);
  EXPECT_TRUE(log.Lines().empty());
}

// Self-closing tags in a style record their values, then meet the closing
// rules, which log where nothing is open; nothing is built or popped.
TEST_F(UIParserTest, ClosingTagsInsideAStyleOnlyReport) {
  const auto root = Load("closing.yml", R"(<style name="closing">
<button/><text/><a/><div/><item/><combobox/><font/>
<container/><window/><image/>
<edit/><draw/><speedbutton/><scrollbar/><tracker/><hotimage/><br/>
</style>)");
  EXPECT_EQ(root, nullptr);
  EXPECT_EQ(Messages("closing.yml"), (Lines{"tag </button>", "tag </text>", "tag </a>", "tag </div>", "tag </item>",
                                            "tag </combobox>", "tag </font>", "close tag", "close tag", "close tag"}));
  EXPECT_EQ(UIParser::FindStyle("closing")->entries.size(), 17u);
  // A style inside a container leaves the container open.
  const auto kept = Load("inside.yml", R"(<container name="outer"><style name="x"><container/></style>
<edit name="e"/></container>)");
  ASSERT_NE(kept, nullptr);
  EXPECT_NE(kept->FindChild("e"), nullptr);
}

TEST_F(UIParserTest, TextFollowsTheFontAndAlignStacks) {
  const auto root = Load("text.yml", "<container><text name=\"t\" bounds=\"[0,0,200,0]\">  one\n\t two  "
                                     "<font color=\"ff0000\">red</font><br/>"
                                     "<div align=\"right\">ab<a name=\"go\" hotcolor=\"00ff00\">cd</a></div>"
                                     "<font size=\"40\" name=\"other\">big</font></text></container>");
  ASSERT_NE(root, nullptr);
  auto* text = Find<UIText>(*root, "t");
  EXPECT_EQ(RunTexts(*text), (Lines{"one two@0", "red@70", "ab@155", "big@0"}));
  const auto& runs = text->Runs();
  EXPECT_EQ(runs[1].style.colour.g, 0);
  EXPECT_TRUE(runs[1].style.font == runs[0].style.font && runs[1].style.size == 20);  // only the colour
  EXPECT_TRUE(runs[3].style.size == 40 && runs[3].style.font == YFont::Find("other"));
  ASSERT_EQ(text->Children().size(), 1u);
  auto* link = dynamic_cast<UIHotLine*>(text->Children()[0].get());
  EXPECT_TRUE(link->name == "go" && link->text == "cd" && link->rect.x == 180 && link->hotColour.g == 1);
  EXPECT_EQ(UIParser::NormalizeText("  one\n\t two  "), "one two");
  EXPECT_EQ(UIParser::NormalizeText(" \r\n "), "");
  EXPECT_TRUE(log.Lines().empty());
}

// A stray closing div or text neither pops the align stack's base nor reads
// an empty stack (after each error the text up to the next '<' is lost).
TEST_F(UIParserTest, StrayClosingTagsKeepTheAlignStackWhole) {
  const auto root = Load("stray.yml", R"(<container>
<text name="a" align="right" bounds="[0,0,100,0]">ab</div></text></text></div>
<text name="b" bounds="[0,0,100,0]"><div align="center">x</div></div></text>
<text name="c" bounds="[0,0,100,0]">z</text>
</container>)");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(RunTexts(*Find<UIText>(*root, "a")), Lines{"ab@80"});
  EXPECT_EQ(RunTexts(*Find<UIText>(*root, "b")), (Lines{"x@45"}));
  EXPECT_EQ(RunTexts(*Find<UIText>(*root, "c")), Lines{"z@0"});
  EXPECT_EQ(Messages("stray.yml"), (Lines{"tag </div>", "tag </text>", "tag </div>", "tag </div>"}));
}

TEST_F(UIParserTest, AButtonsCaptionIsTheFirstTextThatReachesIt) {
  const auto root = Load("caption.yml", R"(<container>
<button name="a">  Play <font color="ff0000">now</font></button>
<button name="b"><text name="t">Body</text>Later</button>
<button name="c" hotfontcolor="00ff00" disablefontcolor="102030"/>
</container>)");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Find<UIButton>(*root, "a")->caption, "Play");
  EXPECT_EQ(Find<UIButton>(*root, "b")->caption, "Body");
  auto* c = Find<UIButton>(*root, "c");
  EXPECT_TRUE(c->caption.empty() && c->styles[UIButton::kHotStyle].colour.g == 1);
  EXPECT_NEAR(c->styles[UIButton::kDisabledStyle].colour.b, 0x30 / 255.0f, 1e-6);
}

// Only the first top-level container is returned (the rest are freed); nesting
// stops at 100 levels.
TEST_F(UIParserTest, OnlyTheFirstTopLevelContainerIsReturned) {
  const auto root = Load("two.yml", R"(<edit name="loose"/><draw name="nothing"/>
<container name="first"><button name="in"/></container>
<container name="second"><button name="lost"/></container>)");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "first");
  EXPECT_EQ(root->Parent(), nullptr);
  EXPECT_EQ(root->Children().size(), 1u);
  EXPECT_EQ(Load("none.yml", "<edit/><font/>"), nullptr);
  std::string deep;
  for (int i = 0; i < 150; ++i) deep += "<container name=\"" + std::to_string(i) + "\">";
  const auto capped = Load("deep.yml", deep + "\n");
  ASSERT_NE(capped, nullptr);
  EXPECT_NE(capped->FindControl("99"), nullptr);
  EXPECT_EQ(capped->FindControl("100"), nullptr);
  EXPECT_EQ(Messages("deep.yml").size(), 50u);
  EXPECT_EQ(UIParser::LoadLayout(dir.File("missing.yml")), nullptr);
}

TEST_F(UIParserTest, EveryMisplacedTagOrBadValueLogsAndReadingGoesOn) {
  const auto root = Load("bad.yml", R"(<container name="c">
<a/><div/><br/><item/><text>x</a></text>
<style name="s"><style name="t"></style>
</style>
<image color="12"/>
</font>
<edit name="still"/>
</container></container>)");
  ASSERT_NE(root, nullptr);
  EXPECT_NE(root->FindChild("still"), nullptr);
  EXPECT_EQ(Messages("bad.yml"),
            (Lines{"<a> outside <text>", "<div> outside <text>", "<br> outside <text>", "<item> outside <combobox>",
                   "<style> in <style>", "tag </style>", "Error color format.", "tag </font>", "close tag"}));
}

// The exact line, its trailing blank included; the first line is line 0.
TEST_F(UIParserTest, ErrorLinesNameTheMessageTheFileAndTheLine) {
  Load("align.yml", "<container>\n<text align=\"middle\"></text><edit/></container>");
  const Lines lines = log.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], Error("Unknown align: middle", "align.yml", 1));
  EXPECT_EQ(lines[1], Error("tag </text>", "align.yml", 1));
}

}  // namespace
