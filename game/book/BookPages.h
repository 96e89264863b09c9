// The page lists the book shows: the introduction and the help, each read
// once from the interface folder and held until the language changes; the
// help's section start pages, the page it opens at next and the screen it
// returns to when it closes. The lists own their pages; the book only shows
// them. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class HelpPageBuilder;
class UIControl;
class UIRoot;
class YBook;

class BookPages {
 public:
  using PageList = std::vector<std::unique_ptr<UIControl>>;
  static constexpr int kIntroPages = 8;

  // `book` outlives this object.
  explicit BookPages(YBook& book);
  // Frees both lists (the book lets go of them first).
  ~BookPages();
  BookPages(const BookPages&) = delete;
  BookPages& operator=(const BookPages&) = delete;

  YBook& Book() const { return book_; }

  // The introduction: folder + "intro\page1.yml" to "page8.yml", read once
  // (a file that yields no control adds no page), shown from the first
  // spread; the change to the book's window starts. False when no page
  // could be read: nothing changes.
  bool OpenIntro(std::string_view folder, UIRoot& ui);
  // The help over the current screen, unless it is open already (bit
  // 0x40000 of `state`) or the state's low three bits are 0. `fromStart`
  // opens it at its first page, else at helpStartPage. Read once: the
  // folder's "help\page*.yml" files in name order, the pages `builder`
  // generates, then "help\about.yml". False when ignored.
  bool OpenHelp(bool fromStart, std::uint32_t state, std::string_view folder, HelpPageBuilder& builder,
                UIRoot& ui);
  // The help has closed: the screen it hid comes back (without a fade),
  // with its modals, and the help opens at the shown page next time.
  void CloseHelp(UIRoot& ui);
  // Lets go of the introduction and help pages (the next opening reads
  // the files of the language then chosen).
  void Free();

  // The pages of a list as the book takes them.
  static std::vector<UIControl*> View(const PageList& list);
  // Appends the page the layout file reads to; a file that yields no
  // control adds no page.
  static void ReadPage(PageList& list, const std::string& file);

  PageList introPages;
  PageList helpPages;
  int helpStartPage = 0;
  int helpSpellsPage = 0;
  int helpSpecialSpellsPage = 0;
  int helpArtifactsPage = 0;
  // The screen that was current when the help opened.
  UIControl* bookReturnScreen = nullptr;

 private:
  void LoadHelp(std::string_view folder, HelpPageBuilder& builder);
  // Whether the book shows a page of `list`.
  bool BookShows(const PageList& list) const;

  YBook& book_;
};
