// The help book's generated pages: one entry per tile kind, per spell and
// per artifact, stacked down pages that alternate between the book's left
// and right side, each page with a top line (its index and its section's
// title) and the links of its side. Built from the tables the game has
// loaded, so it runs without a window. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YColor.h"
#include "framework/YRect.h"
#include "render/UITextStyle.h"

class UIControl;
class UIText;
class YFont;
class YTextureBase;
struct YArtifact;
struct YTileKind;
struct YTileSpell;

class HelpPageBuilder {
 public:
  using PageList = std::vector<std::unique_ptr<UIControl>>;

  // What the pages show; the tables are read, never kept past Append.
  struct Sources {
    const std::vector<YTileKind>* kinds = nullptr;
    const std::vector<std::unique_ptr<YTileSpell>>* spells = nullptr;
    // The catalogue; its first entry is not listed.
    const std::vector<std::unique_ptr<YArtifact>>* artifacts = nullptr;
    YFont* font = nullptr;  // every text and link glyph
    // The sections' titles: spells (the tile kinds), special spells, artifacts.
    std::string spellsTitle, specialSpellsTitle, artifactsTitle;
    // The picture of a kind's atlas frame; null (or no function): no picture.
    std::function<YTextureBase*(int frame)> tileFace;
  };
  // The index of each section's first page in the list.
  struct Sections {
    int spells = 0;
    int specialSpells = 0;
    int artifacts = 0;
  };

  // The page sides and the limits of the stacking, in the 1000 x 625 space
  // and in page coordinates.
  static constexpr float kPageWidth = 270;
  static constexpr float kPageHeight = 467;
  static constexpr float kFirstEntryY = 30;
  static constexpr float kEntryGap = 10;
  static constexpr float kPageBottom = 427;
  static YRect LeftPage() { return YRect(180, 45, kPageWidth, kPageHeight); }
  static YRect RightPage() { return YRect(550, 45, kPageWidth, kPageHeight); }

  explicit HelpPageBuilder(Sources sources);

  // Appends the three sections to `pages`: the first page on the side that
  // follows from the pages already there (an odd count: right).
  Sections Append(PageList& pages);
  // A left-hand page's links: "page0" (the first page) and "prevPage".
  void AddBackLinks(UIControl& page) const;
  // A right-hand page's link: "nextPage".
  void AddForwardLink(UIControl& page) const;

 private:
  // The parts of one entry, laid out from y = 0, and where its description ends.
  struct Entry {
    std::vector<std::unique_ptr<UIControl>> parts;
    float bottom = 0;
  };

  void BeginSection(const std::string& title);
  // Places the entry below the last one, or on a new page when it would
  // end below the page's bottom (an entry taller than an empty page stays
  // on that page).
  void Place(Entry entry);
  void OpenPage();
  void ClosePage();
  void AddPicture(Entry& entry, float x, float y, float w, float h, YTextureBase* texture,
                  const YRect& texRect) const;
  void AddKindPicture(Entry& entry, int kindIndex, float x) const;
  // The entry's name in its box; returns how far its lines past the first
  // reach down, which moves the description down as far.
  float AddName(Entry& entry, float x, float width, float size, std::string_view name) const;
  void AddDescription(Entry& entry, float y, std::string_view text) const;
  Entry KindEntry(const YTileKind& kind) const;
  Entry SpellEntry(const YTileSpell& spell) const;
  Entry ArtifactEntry(const YArtifact& artifact) const;
  UITextStyle Style(float size, const YColor& colour) const;
  void AddLink(UIControl& page, const YRect& strip, int align, float size, char glyph,
               std::string_view name) const;

  Sources sources_;
  PageList* pages_ = nullptr;
  std::unique_ptr<UIControl> page_;  // the page being filled
  std::string title_;
  float y_ = kFirstEntryY;
  bool pageEmpty_ = true;
};
