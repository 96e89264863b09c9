// The introduction and help page lists read from a small interface folder
// of their own: what is read, once, where the about page stands, when the
// help opens and where it opens again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/book/BookPages.h"
#include "game/book/HelpPageBuilder.h"
#include "game/book/YBook.h"
#include "tests/support/TestSupport.h"
#include "ui/UIControl.h"
#include "ui/UIHotLine.h"
#include "ui/UIRoot.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

struct BookPagesTest : ::testing::Test {
  BookPagesTest() {
    fs::create_directories(dir.Path() / "ui" / "t" / "help");
    fs::create_directories(dir.Path() / "ui" / "t" / "intro");
  }

  // A page file whose root is a container named `name`; empty: no control.
  void Page(const std::string& file, const std::string& name) {
    testing_support::WriteFile(
        dir.Path() / "ui" / "t" / file,
        name.empty() ? "<!-- nothing -->"
                     : "<container name=\"" + name + "\" bounds=\"[550,45,270,467]\"></container>");
  }
  bool OpenHelp(bool fromStart, std::uint32_t state) {
    HelpPageBuilder builder({});
    return pages.OpenHelp(fromStart, state, "ui\\t\\", builder, ui);
  }
  Names HelpNames() const {
    Names names;
    for (const auto& page : pages.helpPages) names.push_back(page->name);
    return names;
  }

  testing_support::ScopedTempDir dir;
  testing_support::ScopedCwd cwd{dir.Path()};
  UIRoot ui{1000, 625, nullptr};
  UIControl menu{YRect(0, 0, 1000, 625), "menu", nullptr};
  YBook book;
  BookPages pages{book};
};

Names LinkNames(const UIControl& control) {
  Names names;
  for (const auto& child : control.Children()) {
    if (dynamic_cast<const UIHotLine*>(child.get())) names.push_back(child->name);
    for (const std::string& name : LinkNames(*child)) names.push_back(name);
  }
  return names;
}

// Two page files and three generated pages (one per empty section) put the
// about page on a right-hand page as it stands; a third page file moves it
// to the left with the back links.
TEST_F(BookPagesTest, TheHelpReadsItsFilesInNameOrderAndPlacesTheAboutPage) {
  Page("help/page02.yml", "second");
  Page("help/page01.yml", "first");
  Page("help/page03.yml", "");  // no control: no page
  Page("help/about.yml", "about");
  ui.SetCurrentScreen(&menu);
  EXPECT_TRUE(OpenHelp(true, 4));
  EXPECT_EQ(HelpNames(), (Names{"first", "second", "", "", "", "about"}));
  EXPECT_EQ(pages.helpSpellsPage, 2);
  EXPECT_EQ(pages.helpSpecialSpellsPage, 3);
  EXPECT_EQ(pages.helpArtifactsPage, 4);
  EXPECT_EQ(pages.helpPages.back()->rect.x, 550);
  EXPECT_TRUE(LinkNames(*pages.helpPages.back()).empty());
  EXPECT_EQ(pages.bookReturnScreen, &menu);
  EXPECT_EQ(ui.PendingScreen(), book.Window());
  EXPECT_EQ(book.PageCount(), 6);

  pages.Free();
  EXPECT_EQ(book.PageCount(), 0) << "the book lets go of freed pages";
  Page("help/page03.yml", "third");
  OpenHelp(true, 4);
  EXPECT_EQ(pages.helpPages.size(), 7u);
  EXPECT_EQ(pages.helpPages.back()->rect.x, 180);
  EXPECT_EQ(LinkNames(*pages.helpPages.back()), (Names{"page0", "prevPage"}));
}

TEST_F(BookPagesTest, TheHelpOpensOnceAtTheRememberedPageWithoutReadingAgain) {
  Page("help/page01.yml", "first");
  EXPECT_FALSE(OpenHelp(true, 0)) << "no scene";
  EXPECT_FALSE(OpenHelp(true, 0x40001)) << "open already";
  EXPECT_TRUE(pages.helpPages.empty());
  ui.SetCurrentScreen(&menu);
  OpenHelp(true, 1);
  ASSERT_EQ(pages.helpPages.size(), 4u) << "no about page";
  book.Reset(3);
  ui.SetCurrentScreen(book.Window());
  pages.CloseHelp(ui);
  EXPECT_EQ(pages.helpStartPage, 3);
  EXPECT_EQ(ui.CurrentScreen(), &menu);

  fs::remove_all(dir.Path() / "ui");
  OpenHelp(false, 1);
  EXPECT_EQ(pages.helpPages.size(), 4u);
  EXPECT_EQ(book.ShownPage(), 3);
  OpenHelp(true, 1);
  EXPECT_EQ(book.ShownPage(), 0);
}

TEST_F(BookPagesTest, TheIntroductionKeepsThePagesThatLoad) {
  EXPECT_FALSE(pages.OpenIntro("ui\\t\\", ui));
  EXPECT_EQ(ui.PendingScreen(), nullptr);
  Page("intro/page1.yml", "one");
  Page("intro/page2.yml", "");
  Page("intro/page8.yml", "eight");
  EXPECT_TRUE(pages.OpenIntro("ui\\t\\", ui));
  ASSERT_EQ(pages.introPages.size(), 2u);
  EXPECT_EQ(pages.introPages[1]->name, "eight");
  EXPECT_EQ(book.Page(1), pages.introPages[1].get());
  EXPECT_EQ(ui.PendingScreen(), book.Window());
}

}  // namespace
