// The book without a window: which spread it shows, how long a turn takes,
// and that the pages stay with their list.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/book/YBook.h"
#include "ui/UIControl.h"

namespace {

using Names = std::vector<std::string>;

struct PageList {
  explicit PageList(int count) {
    for (int i = 0; i < count; ++i)
      owned.push_back(std::make_unique<UIControl>(YRect(), "p" + std::to_string(i), nullptr));
    for (const auto& page : owned) view.push_back(page.get());
  }
  std::vector<std::unique_ptr<UIControl>> owned;
  std::vector<UIControl*> view;
};

// The window's pages in order (the back link left out).
Names Shown(const YBook& book) {
  Names names;
  for (const auto& child : book.Window()->Children())
    if (child->name != "back") names.push_back(child->name);
  return names;
}

void FinishTurn(YBook& book) {
  for (int i = 0; i < 100 && !book.AtRest(); ++i) book.Step(0.05f);
}

TEST(YBook, SpreadsAreEvenAndClampedToTheList) {
  PageList list(5);
  YBook book;
  EXPECT_EQ(book.SetPages(list.view), book.Window());
  EXPECT_EQ(Shown(book), (Names{"p0", "p1"}));
  book.SetPage(3);
  EXPECT_EQ(book.TargetPage(), 2);
  FinishTurn(book);
  EXPECT_EQ(Shown(book), (Names{"p2", "p3"}));
  book.GotoPage();
  FinishTurn(book);
  EXPECT_EQ(book.ShownPage(), 4);
  EXPECT_EQ(Shown(book), Names{"p4"});
  book.SetPage(40);  // the spread on show: no turn
  EXPECT_TRUE(book.AtRest());
  EXPECT_EQ(book.TurnGoal(), 0);
  book.SetPage(-3);
  EXPECT_EQ(book.TargetPage(), 0);
  FinishTurn(book);
  book.Reset(3);  // not rounded, no turn
  EXPECT_TRUE(book.AtRest());
  EXPECT_EQ(Shown(book), (Names{"p3", "p4"}));
}

// A remembered help page can outlive the pages it was taken from.
TEST(YBook, ResetClampsAPageBeyondTheList) {
  PageList list(5);
  YBook book;
  book.SetPages(list.view);
  book.Reset(9);
  EXPECT_EQ(book.ShownPage(), 4);
  EXPECT_EQ(Shown(book), Names{"p4"});
  book.Reset(-2);
  EXPECT_EQ(Shown(book), (Names{"p0", "p1"}));
}

TEST(YBook, ATurnRisesAndFallsInTwoOverTwoAndAQuarterSecondsIgnoringClicks) {
  PageList list(6);
  YBook book;
  book.SetPages(list.view);
  book.NextPage();
  const float step = 0.001f;
  float rising = 0, total = 0;
  while (!book.AtRest() && total < 5) {
    book.SetPage(4);  // ignored meanwhile
    book.Step(step);
    total += step;
    if (book.TurnGoal() == 1) rising = total;
    if (!book.AtRest()) {
      EXPECT_EQ(Shown(book), (Names{"p0", "p1"}));
    }
  }
  EXPECT_NEAR(rising, 1 / YBook::kTurnRate, 0.003f);
  EXPECT_NEAR(total, 2 / YBook::kTurnRate, 0.003f);
  EXPECT_EQ(book.ShownPage(), 2);
  EXPECT_EQ(book.TurnPos(), 0);
  EXPECT_EQ(Shown(book), (Names{"p2", "p3"}));
}

TEST(YBook, PagesStayWithTheirListAndTheBackLinkIsMadeOnce) {
  PageList list(4), other(2);
  {
    YBook book;
    book.SetPages(list.view);
    const UIControl* back = book.Window()->FindChild("back");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->rect.x, 260);
    EXPECT_EQ(back->rect.y, 527);
    book.Reset(2);
    book.SetPages(other.view);
    EXPECT_EQ(book.Window()->FindChild("back"), back);
    EXPECT_EQ(book.Window()->Children().size(), 3u);
    EXPECT_EQ(list.view[2]->Parent(), nullptr) << "let go by the rebuild";
    EXPECT_EQ(other.view[0]->Parent(), book.Window());
  }
  // The book is gone; its pages are not.
  EXPECT_EQ(other.view[0]->Parent(), nullptr);
  EXPECT_EQ(other.owned[1]->name, "p1");
}

}  // namespace
