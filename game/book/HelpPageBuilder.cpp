#include "game/book/HelpPageBuilder.h"

#include <algorithm>
#include <string>

#include "draw/ImageDrawing.h"
#include "draw/TileAtlas.h"
#include "players/YArtifact.h"
#include "players/YTileKind.h"
#include "players/YTileSpell.h"
#include "ui/UIControl.h"
#include "ui/UIImage.h"
#include "ui/UIText.h"

namespace {
// Dark ink on the pages; names in a deep red; links brown, lit red.
const YColor kInk(0.16f, 0.11f, 0.06f, 1);
const YColor kNameInk(0.45f, 0.09f, 0.04f, 1);
const YColor kLinkInk(0.30f, 0.18f, 0.08f, 1);
const YColor kLinkHot(0.80f, 0.22f, 0.05f, 1);

constexpr float kTextSize = 17;
constexpr float kTopLineSize = 15;
constexpr float kKindNameSize = 22;
constexpr float kArtifactNameSize = 23;
constexpr float kNameX = 60;
constexpr float kNameWidth = 220;
constexpr float kSpellNameX = 100;  // right of the two tile pictures
constexpr float kSpellNameWidth = 170;
constexpr float kPictureX = 10;
constexpr float kTileWidth = 40;
constexpr float kTileHeight = 51;
constexpr float kIconSide = 40;
constexpr float kKindTextY = 53;
constexpr float kArtifactTextY = 42;
constexpr float kTextX = 10;

constexpr char kPrevGlyph = '\xAA';
constexpr char kFirstGlyph = '\xAB';
constexpr char kNextGlyph = '\xAC';

void MoveDown(UIControl& control, float dy) {
  control.SetPosition(control.rect.x, control.rect.y + dy);
}
}  // namespace

HelpPageBuilder::HelpPageBuilder(Sources sources) : sources_(std::move(sources)) {}

HelpPageBuilder::Sections HelpPageBuilder::Append(PageList& pages) {
  pages_ = &pages;
  Sections sections;
  sections.spells = static_cast<int>(pages.size());
  BeginSection(sources_.spellsTitle);
  if (sources_.kinds != nullptr)
    for (const YTileKind& kind : *sources_.kinds) Place(KindEntry(kind));
  ClosePage();
  sections.specialSpells = static_cast<int>(pages.size());
  BeginSection(sources_.specialSpellsTitle);
  if (sources_.spells != nullptr)
    for (const auto& spell : *sources_.spells) Place(SpellEntry(*spell));
  ClosePage();
  sections.artifacts = static_cast<int>(pages.size());
  BeginSection(sources_.artifactsTitle);
  if (sources_.artifacts != nullptr)
    for (std::size_t i = 1; i < sources_.artifacts->size(); ++i)
      Place(ArtifactEntry(*(*sources_.artifacts)[i]));
  ClosePage();
  pages_ = nullptr;
  return sections;
}

void HelpPageBuilder::BeginSection(const std::string& title) {
  title_ = title;
  OpenPage();
}

void HelpPageBuilder::OpenPage() {
  const int index = static_cast<int>(pages_->size());
  page_ = std::make_unique<UIControl>(index % 2 == 0 ? LeftPage() : RightPage(), "", nullptr);
  page_->AddChild(std::make_unique<UIText>(YRect(0, 0, kPageWidth, 20), "", Style(kTopLineSize, kInk),
                                           UIText::kCentre, std::to_string(index) + " - " + title_));
  y_ = kFirstEntryY;
  pageEmpty_ = true;
}

void HelpPageBuilder::ClosePage() {
  if (!page_) return;
  if (pages_->size() % 2 == 0)
    AddBackLinks(*page_);
  else
    AddForwardLink(*page_);
  pages_->push_back(std::move(page_));
}

void HelpPageBuilder::Place(Entry entry) {
  if (!pageEmpty_ && y_ + entry.bottom + kEntryGap > kPageBottom) {
    ClosePage();
    OpenPage();
  }
  for (std::unique_ptr<UIControl>& part : entry.parts) {
    MoveDown(*part, y_);
    page_->AddChild(std::move(part));
  }
  y_ += entry.bottom + kEntryGap;
  pageEmpty_ = false;
}

HelpPageBuilder::Entry HelpPageBuilder::KindEntry(const YTileKind& kind) const {
  Entry entry;
  if (sources_.tileFace) {
    if (YTextureBase* face = sources_.tileFace(kind.tex))
      AddPicture(entry, kPictureX, 0, kTileWidth, kTileHeight, face, YRect(0, 0, kTileFaceU, 1));
  }
  const float below = AddName(entry, kNameX, kNameWidth, kKindNameSize, kind.name);
  AddDescription(entry, kKindTextY + below, kind.descr);
  return entry;
}

HelpPageBuilder::Entry HelpPageBuilder::SpellEntry(const YTileSpell& spell) const {
  Entry entry;
  AddKindPicture(entry, spell.first, kPictureX);
  AddKindPicture(entry, spell.second, kPictureX + kTileWidth);
  const float below = AddName(entry, kSpellNameX, kSpellNameWidth, kKindNameSize, spell.name);
  AddDescription(entry, kKindTextY + below, spell.descr);
  return entry;
}

HelpPageBuilder::Entry HelpPageBuilder::ArtifactEntry(const YArtifact& artifact) const {
  Entry entry;
  if (artifact.texture != nullptr)
    AddPicture(entry, kPictureX, 0, kIconSide, kIconSide, artifact.texture, YRect(0, 0, 1, 1));
  const float below = AddName(entry, kNameX, kNameWidth, kArtifactNameSize, artifact.name);
  AddDescription(entry, kArtifactTextY + below, artifact.descr);
  return entry;
}

void HelpPageBuilder::AddKindPicture(Entry& entry, int kindIndex, float x) const {
  const auto* kinds = sources_.kinds;
  if (!sources_.tileFace || kinds == nullptr || kindIndex < 0 ||
      static_cast<std::size_t>(kindIndex) >= kinds->size())
    return;
  if (YTextureBase* face = sources_.tileFace((*kinds)[static_cast<std::size_t>(kindIndex)].tex))
    AddPicture(entry, x, 0, kTileWidth, kTileHeight, face, YRect(0, 0, kTileFaceU, 1));
}

void HelpPageBuilder::AddPicture(Entry& entry, float x, float y, float w, float h, YTextureBase* texture,
                                 const YRect& texRect) const {
  entry.parts.push_back(
      std::make_unique<UIImage>(YRect(x, y, w, h), "", GetImageStd(), texture, texRect, YColor()));
}

float HelpPageBuilder::AddName(Entry& entry, float x, float width, float size, std::string_view name) const {
  auto text = std::make_unique<UIText>(YRect(x, 0, width, 60), "", Style(size, kNameInk), UIText::kLeft, name);
  const float below = std::max(text->rect.height - size, 0.0f);
  entry.parts.push_back(std::move(text));
  return below;
}

// The two characters "\n" end a line: each piece is a line of its own.
void HelpPageBuilder::AddDescription(Entry& entry, float y, std::string_view text) const {
  auto description = std::make_unique<UIText>(YRect(kTextX, y, kPageWidth, 0), "");
  const UITextStyle style = Style(kTextSize, kInk);
  for (std::size_t at = 0;;) {
    const std::size_t end = text.find("\\n", at);
    description->AppendText(style, UIText::kLeft, text.substr(at, end - at));
    if (end == std::string_view::npos) break;
    description->EndLine(style);
    at = end + 2;
  }
  entry.bottom = y + description->rect.height;
  entry.parts.push_back(std::move(description));
}

UITextStyle HelpPageBuilder::Style(float size, const YColor& colour) const {
  return UITextStyle{sources_.font, size, colour};
}

void HelpPageBuilder::AddBackLinks(UIControl& page) const {
  AddLink(page, YRect(110, 412, 60, 0), UIText::kCentre, 30, kFirstGlyph, "page0");
  AddLink(page, YRect(10, 407, 50, 0), UIText::kLeft, 40, kPrevGlyph, "prevPage");
}

void HelpPageBuilder::AddForwardLink(UIControl& page) const {
  AddLink(page, YRect(0, 407, kPageWidth, 0), UIText::kRight, 40, kNextGlyph, "nextPage");
}

void HelpPageBuilder::AddLink(UIControl& page, const YRect& strip, int align, float size, char glyph,
                              std::string_view name) const {
  auto text = std::make_unique<UIText>(strip, "");
  text->AppendLink(Style(size, kLinkInk), kLinkHot, align, std::string(1, glyph), name);
  page.AddChild(std::move(text));
}
