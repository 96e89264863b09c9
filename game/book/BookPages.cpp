#include "game/book/BookPages.h"

#include <string>

#include "framework/FileUtils.h"
#include "game/book/HelpPageBuilder.h"
#include "game/book/YBook.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"
#include "ui/UIRoot.h"

namespace {
constexpr std::uint32_t kHelpOpen = 0x40000;
constexpr std::uint32_t kSceneBits = 7;
}  // namespace

void BookPages::ReadPage(PageList& list, const std::string& file) {
  if (std::unique_ptr<UIControl> page = UIParser::LoadLayout(file)) list.push_back(std::move(page));
}

BookPages::BookPages(YBook& book) : book_(book) {}

BookPages::~BookPages() {
  Free();
}

bool BookPages::OpenIntro(std::string_view folder, UIRoot& ui) {
  if (introPages.empty()) {
    for (int n = 1; n <= kIntroPages; ++n)
      ReadPage(introPages, std::string(folder) + "intro\\page" + std::to_string(n) + ".yml");
  }
  if (introPages.empty()) return false;
  ui.SetScreen(book_.SetPages(View(introPages)));
  return true;
}

bool BookPages::OpenHelp(bool fromStart, std::uint32_t state, std::string_view folder,
                         HelpPageBuilder& builder, UIRoot& ui) {
  if (fromStart) helpStartPage = 0;
  if ((state & kHelpOpen) != 0 || (state & kSceneBits) == 0) return false;
  if (helpPages.empty()) LoadHelp(folder, builder);
  bookReturnScreen = ui.CurrentScreen();
  ui.SetScreen(book_.SetPages(View(helpPages)));
  book_.Reset(helpStartPage);
  return true;
}

void BookPages::LoadHelp(std::string_view folder, HelpPageBuilder& builder) {
  const std::string help = std::string(folder) + "help\\";
  for (const std::string& name : ListDirectory(help + "page*.yml")) ReadPage(helpPages, help + name);
  const HelpPageBuilder::Sections sections = builder.Append(helpPages);
  helpSpellsPage = sections.spells;
  helpSpecialSpellsPage = sections.specialSpells;
  helpArtifactsPage = sections.artifacts;
  std::unique_ptr<UIControl> about = UIParser::LoadLayout(help + "about.yml");
  if (!about) return;
  // On a left-hand page it leads back, as the generated left pages do.
  if (helpPages.size() % 2 == 0) {
    about->rect = HelpPageBuilder::LeftPage();
    builder.AddBackLinks(*about);
  }
  helpPages.push_back(std::move(about));
}

// The change to the book hid the screen it replaced: it shows again.
void BookPages::CloseHelp(UIRoot& ui) {
  ui.SetCurrentScreen(bookReturnScreen);
  if (bookReturnScreen != nullptr) bookReturnScreen->Show();
  ui.RestoreModalStack();
  ui.RefreshMouse();
  helpStartPage = book_.ShownPage();
}

void BookPages::Free() {
  if (BookShows(introPages) || BookShows(helpPages)) book_.SetPages({});
  introPages.clear();
  helpPages.clear();
}

std::vector<UIControl*> BookPages::View(const PageList& list) {
  std::vector<UIControl*> view;
  view.reserve(list.size());
  for (const std::unique_ptr<UIControl>& page : list) view.push_back(page.get());
  return view;
}

bool BookPages::BookShows(const PageList& list) const {
  for (const std::unique_ptr<UIControl>& page : list)
    if (page.get() == book_.Page(0)) return true;
  return false;
}
