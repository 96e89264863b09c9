// The help's generated pages without a window: how entries fill pages, the
// sides and links of the pages and where each section starts. Texts are
// laid out in a test font whose every character is half the size wide.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/book/HelpPageBuilder.h"
#include "players/YArtifact.h"
#include "players/YTileKind.h"
#include "players/YTileSpell.h"
#include "render/YFont.h"
#include "ui/UIControl.h"
#include "ui/UIHotLine.h"
#include "ui/UIText.h"

namespace {

using Names = std::vector<std::string>;

// A description of `lines` lines: the two characters "\n" end each.
std::string Lines(int lines) {
  std::string text = "line";
  for (int i = 1; i < lines; ++i) text += "\\nline";
  return text;
}

struct HelpPageBuilderTest : ::testing::Test {
  HelpPageBuilderTest() { font.widths.fill(0.5f); }

  HelpPageBuilder::Sources Sources() {
    HelpPageBuilder::Sources sources;
    sources.kinds = &kinds;
    sources.spells = &spells;
    sources.artifacts = &artifacts;
    sources.font = &font;
    sources.spellsTitle = "Tiles";
    sources.specialSpellsTitle = "Pairs";
    sources.artifactsTitle = "Items";
    return sources;
  }
  void AddKinds(int count, int lines) {
    for (int i = 0; i < count; ++i)
      kinds.push_back(YTileKind{.id = 0, .name = "kind", .descr = Lines(lines)});
  }
  void AddArtifact(const std::string& name) {
    artifacts.push_back(std::make_unique<YArtifact>());
    artifacts.back()->name = name;
    artifacts.back()->descr = Lines(1);
  }

  YFont font{"help test font"};
  std::vector<YTileKind> kinds;
  std::vector<std::unique_ptr<YTileSpell>> spells;
  std::vector<std::unique_ptr<YArtifact>> artifacts;
  HelpPageBuilder::PageList pages;
};

// The names of the links anywhere on a page.
Names Links(const UIControl& control) {
  Names names;
  for (const auto& child : control.Children()) {
    if (dynamic_cast<const UIHotLine*>(child.get())) names.push_back(child->name);
    for (const std::string& name : Links(*child)) names.push_back(name);
  }
  return names;
}

std::string Words(const UIControl& control) {
  std::string words;
  if (const auto* text = dynamic_cast<const UIText*>(&control))
    for (const UIText::Run& run : text->Runs()) words += run.text + " ";
  return words;
}

// The words of every text directly on a page.
std::string PageWords(const UIControl& page) {
  std::string words;
  for (const auto& child : page.Children()) words += Words(*child);
  return words;
}

// Texts on a page other than the top line and the links: name and
// description per entry.
int Entries(const UIControl& page) {
  int texts = 0;
  for (const auto& child : page.Children())
    if (dynamic_cast<const UIText*>(child.get()) && child->rect.y > 0 && Links(*child).empty()) ++texts;
  return texts / 2;
}

// An entry of three lines ends 53 + 3 x 17 below its top, the next 10
// lower: three fit between 30 and 427. An artifact of one line ends 42 + 17
// below: five fit.
TEST_F(HelpPageBuilderTest, EntriesFillPagesThatAlternateSidesWithTheirLinks) {
  AddKinds(10, 3);
  spells.push_back(std::make_unique<YTileSpell>());
  for (const char* name : {"hidden", "a1", "a2", "a3", "a4", "a5", "a6"}) AddArtifact(name);
  for (int i = 0; i < 3; ++i) pages.push_back(std::make_unique<UIControl>(YRect(), "file", nullptr));

  const HelpPageBuilder::Sections sections = HelpPageBuilder(Sources()).Append(pages);
  EXPECT_EQ(sections.spells, 3);
  EXPECT_EQ(sections.specialSpells, 7);
  EXPECT_EQ(sections.artifacts, 8);
  ASSERT_EQ(pages.size(), 10u);
  const std::vector<int> entries = {3, 3, 3, 1, 1, 5, 1};
  for (std::size_t i = 3; i < pages.size(); ++i) {
    const UIControl& page = *pages[i];
    const bool left = i % 2 == 0;
    EXPECT_EQ(page.rect.x, left ? 180 : 550) << i;
    EXPECT_EQ(Links(page), left ? (Names{"page0", "prevPage"}) : Names{"nextPage"}) << i;
    EXPECT_EQ(Entries(page), entries[i - 3]) << i;
    const std::string top = Words(*page.Children()[0]);
    EXPECT_NE(top.find(std::to_string(i)), std::string::npos) << top;
  }
  EXPECT_NE(PageWords(*pages[4]).find("Tiles"), std::string::npos);
  EXPECT_NE(PageWords(*pages[7]).find("Pairs"), std::string::npos);
  EXPECT_NE(PageWords(*pages[8]).find("Items"), std::string::npos);
  EXPECT_EQ(PageWords(*pages[8]).find("hidden"), std::string::npos)
      << "the catalogue's first entry is left out";
  EXPECT_NE(PageWords(*pages[8]).find("a1"), std::string::npos);
  EXPECT_NE(PageWords(*pages[9]).find("a6"), std::string::npos);
}

// A name too long for one line pushes its description down by its second
// line: the description keeps the gap it has under a name of one line.
TEST_F(HelpPageBuilderTest, ANameOfTwoLinesPushesItsDescriptionDown) {
  for (const char* name : {"hidden", "Key", "Key of the keeper of the first gate"}) AddArtifact(name);
  HelpPageBuilder(Sources()).Append(pages);
  std::vector<float> gaps;
  for (const auto& child : pages.back()->Children()) {
    if (Words(*child).find("Key") == 0) gaps.push_back(-(child->rect.y + child->rect.height));
    if (Words(*child).find("line") == 0) gaps.back() += child->rect.y;
  }
  ASSERT_EQ(gaps.size(), 2u);
  EXPECT_GT(gaps[0], 0);
  EXPECT_FLOAT_EQ(gaps[1], gaps[0]);
}

// Thirty lines end below the page's bottom even on an empty page: the
// entry stays there rather than leaving an empty page behind.
TEST_F(HelpPageBuilderTest, AnEntryTallerThanAPageFillsOnePage) {
  AddKinds(1, 30);
  AddKinds(1, 1);
  HelpPageBuilder(Sources()).Append(pages);
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(Entries(*pages[0]), 1);
  EXPECT_EQ(Entries(*pages[1]), 1);
}

}  // namespace
