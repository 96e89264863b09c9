#include "draw/YControlPanel.h"

#include <algorithm>

#include "draw/CardDrawing.h"
#include "draw/ImageDrawing.h"
#include "draw/PanelListMoves.h"
#include "draw/PanelStyle.h"
#include "draw/TextDrawing.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterShop.h"
#include "players/YPlayerHero.h"
#include "render/YFont.h"
#include "render/YShader.h"
#include "sound/SoundEntry.h"
#include "ui/UIButton.h"
#include "ui/UIHotLine.h"
#include "ui/UIRoot.h"
#include "ui/UIScrollBar.h"
#include "ui/UISpeedButton.h"

using namespace panel;

namespace {

constexpr float kTabLinkLeft = 25, kTabLinkSize = 25;
constexpr float kTabTop = 260, kCurrentTabTop = 255;
constexpr float kActionX = 730, kActionY = 215, kActionSize = 20;
constexpr float kContinueX = 965, kContinueY = 577, kContinueSize = 25;
constexpr int kVisibleRows = 5;
constexpr float kSpellNameRoom = 170, kArtifactNameRoom = 200, kLargestListText = 25;
const YColor kButtonText(1, 1, 1, 1);
const YColor kButtonHot(1, 1, 0.7f, 1);
const YColor kButtonDisabled(0.6f, 0.6f, 0.6f, 1);

void SetVisible(UIControl* control, bool visible) {
  if (control == nullptr) return;
  if (visible)
    control->Show();
  else
    control->Hide();
}

void PlayNamed(const char* name) {
  if (SoundEntry* sound = FindSound(name)) sound->Play(YVector3(0, 0, 0), -1.0f, YVector3(0, 0, 0));
}

// A list's length as an int for the scroll arithmetic, held far below
// overflow (a list read from a file may be long).
int Count(std::size_t size) {
  return static_cast<int>(std::min<std::size_t>(size, 1u << 20));
}

}  // namespace

std::unique_ptr<UIButton> MakePanelButton(std::string_view name, float x, float y, float size, int align,
                                          std::string_view text) {
  const float height = 1.5f * size;
  const float width = GetMainFont()->GetTextWidth(text) * size * 1.1f + 3 * height;
  const UITextStyle normal{GetMainFont(), 1.1f * size, kButtonText};
  const UITextStyle hot{GetMainFont(), 1.1f * size, kButtonHot};
  const YRect rect(AlignedTextStart(x, width, align), y, width, height);
  return std::make_unique<UIButton>(rect, name, GetShader("button"), nullptr, normal, hot, text, 1.0f,
                                    kButtonDisabled);
}

YControlPanel::YControlPanel() = default;
YControlPanel::~YControlPanel() = default;

void YControlPanel::Build() {
  hoverSlot = selectedSlot = -1;
  window.reset();
  window = std::make_unique<UIControl>(YRect(0, 0, kPanelWidth, kPanelHeight), "controlPanel", this);
  BuildTabLinks();
  BuildButtons();
  scrollBar = static_cast<UIScrollBar*>(window->AddChild(std::make_unique<UIScrollBar>(
      YRect(960, 310, 25, 230), "cp_scroll", GetImageStd(), GetTexture(kUpTexture), GetTexture(kDownTexture),
      GetTexture(kTrackTexture))));
  skillButton = static_cast<UISpeedButton*>(window->AddChild(
      std::make_unique<UISpeedButton>(YRect(398, 20, 45, 45), "cp_skill", GetImageStd(), GetTexture(kSkillTexture))));
  HideActionButtons();
  scrollBar->Hide();
  if (player != nullptr) SetTab(kSpellsTab);
  MeasureListNames();
  for (std::size_t kind = 0; kind < moveKindTexts.size(); ++kind)
    moveKindTexts[kind] = GetLocale().GetText(kMoveKindKeys[kind]);
}

void YControlPanel::BuildTabLinks() {
  const UITextStyle style{GetMainFont(), kTabLinkSize, kPanelBlack};
  float x = kTabLinkLeft;
  for (std::size_t t = 0; t < tabLinks.size(); ++t) {
    const std::string text = GetLocale().GetText(kTabKeys[t]);
    tabLinks[t] = static_cast<UIHotLine*>(window->AddChild(
        std::make_unique<UIHotLine>(x, kTabTop + kTabLinkSize, kTabKeys[t], style, kPanelDarkRed, text)));
    x += (GetMainFont()->GetTextWidth(text) + 1) * kTabLinkSize;
  }
}

void YControlPanel::BuildButtons() {
  YLocale& locale = GetLocale();
  const auto add = [this](std::unique_ptr<UIButton> button) {
    return static_cast<UIButton*>(window->AddChild(std::move(button)));
  };
  continueButton = add(MakePanelButton("cp_continue", kContinueX, kContinueY, kContinueSize, kAlignRight,
                                       locale.GetText("cp_continue")));
  sellButton = add(MakePanelButton("cp_sell", kActionX, kActionY, kActionSize, kAlignCentre,
                                   locale.GetText("cp_sell")));
  buyButton = add(MakePanelButton("cp_buy", kActionX, kActionY, kActionSize, kAlignCentre,
                                  locale.GetText("cp_buy")));
  selectButton = add(MakePanelButton("cp_select", kActionX, kActionY, kActionSize, kAlignCentre,
                                     locale.GetText("cp_select")));
  unselectButton = add(MakePanelButton("cp_unselect", kActionX, kActionY, kActionSize, kAlignCentre,
                                       locale.GetText("cp_unselect")));
}

// The list names shrink together so that the widest spell name fits 170
// units and the widest artifact name (the catalogue's first entry, a
// placeholder, left out) 200.
void YControlPanel::MeasureListNames() {
  const YFont* font = GetMainFont();
  float size = kLargestListText;
  for (const auto& spell : GetTileTables().Spells()) {
    const float width = font->GetTextWidth(spell->name);
    if (width > 0) size = std::min(size, kSpellNameRoom / width);
  }
  const auto& artifacts = Artifacts();
  for (std::size_t i = 1; i < artifacts.size(); ++i) {
    const float width = font->GetTextWidth(artifacts[i]->name);
    if (width > 0) size = std::min(size, kArtifactNameRoom / width);
  }
  cpListTextSize = size;
}

void YControlPanel::SetPlayer(YPlayerHero* player_, YMonsterShop* shop_, int wanted) {
  player = player_;
  shop = shop_;
  const bool withShop = shop != nullptr;
  if (window != nullptr) {
    tabLinks[kArmyTab]->SetEnabled(withShop);
    tabLinks[kShopTab]->SetEnabled(withShop);
  }
  if (withShop)
    SetTab(wanted >= kSpellsTab && wanted <= kShopTab ? wanted : tab);
  else
    SetTab(wanted == kSpellsTab || wanted == kArtifactsTab ? wanted : kSpellsTab);
  if (window != nullptr && UIRoot::Instance() != nullptr) UIRoot::Instance()->SetScreen(window.get());
}

void YControlPanel::Release() {
  player = nullptr;
  shop = nullptr;
  freeSlots = 0;
  ClearSelection();
  hoverSlot = -1;
}

void YControlPanel::SetTab(int t) {
  if (t < kSpellsTab || t > kShopTab) return;
  tab = t;
  hoverSlot = selectedSlot = -1;
  freeSlots = CountFreeSlots();
  if (window == nullptr) return;
  for (UIHotLine* link : tabLinks) {
    link->rect.y = kTabTop;
    link->style.colour = kPanelBlack;
  }
  tabLinks[static_cast<std::size_t>(t)]->rect.y = kCurrentTabTop;
  tabLinks[static_cast<std::size_t>(t)]->style.colour = kPanelDarkRed;
  HideActionButtons();
  scrollBar->Hide();
  if (player == nullptr || t > kArtifactsTab) return;
  const int entries = Count(t == kSpellsTab ? player->spareSpells.size() : player->artifacts.size());
  SetGridEntries(entries + 1);
}

void YControlPanel::RefreshScrollBar() {
  if (window == nullptr) return;
  int count = 0;
  if (player != nullptr && tab == kSpellsTab)
    count = Count(player->spareSpells.size()) + (player->spells.empty() ? 0 : 1);
  if (player != nullptr && tab == kArtifactsTab)
    count = Count(player->artifacts.size()) + (player->artifact != nullptr ? 1 : 0);
  SetGridEntries(count);
}

void YControlPanel::SetGridEntries(int entries) {
  if (entries > kListGridSlots) {
    scrollBar->SetRange(0, (entries + 1) / kGridColumns, kVisibleRows);
    scrollBar->Show();
    return;
  }
  scrollBar->SetPos(0);
  scrollBar->Hide();
}

int YControlPanel::CountFreeSlots() const {
  if (player == nullptr) return 0;
  const auto filled = std::count_if(player->slots.begin(), player->slots.end(), [](YPlayer* p) { return p; });
  return static_cast<int>(player->slots.size()) - static_cast<int>(filled);
}

int YControlPanel::ScrollRow() const {
  return scrollBar != nullptr ? scrollBar->GetPos() : 0;
}

void YControlPanel::HideActionButtons() {
  for (UIButton* button : {sellButton, buyButton, selectButton, unselectButton}) SetVisible(button, false);
}

void YControlPanel::ClearSelection() {
  selectedSlot = -1;
  HideActionButtons();
}

void YControlPanel::Update(float) {}

void YControlPanel::OnEvent(int code, UIControl* sender) {
  if (code != ui_event::kClick || sender == nullptr) return;
  for (std::size_t t = 0; t < tabLinks.size(); ++t)
    if (sender == tabLinks[t]) return SetTab(static_cast<int>(t));
  if (sender == skillButton) {
    if (screens_ == nullptr) return Log::Printf("Control panel: no skill screen to show");
    return screens_->ShowHeroSkill(player);
  }
  if (sender == continueButton) {
    if (screens_ == nullptr) return Log::Printf("Control panel: no screen to go back to");
    return screens_->BackToMenu();
  }
  if (sender == sellButton || sender == buyButton) return Trade(sender == buyButton);
  if (sender == selectButton || sender == unselectButton) return SelectOrUnselect(sender == selectButton);
}

// A failed trade still ends the selection and sounds; only the count of
// free army slots stays.
void YControlPanel::Trade(bool buy) {
  if (shop != nullptr && selectedSlot >= 0) {
    if (buy && shop->Buy(selectedSlot)) --freeSlots;
    if (!buy && shop->Sell(selectedSlot)) ++freeSlots;
  }
  ClearSelection();
  PlayNamed(buy ? "buy" : "sell");
}

void YControlPanel::SelectOrUnselect(bool select) {
  if (player != nullptr && tab == kSpellsTab) {
    if (select)
      SelectSpell(player->spells, player->spareSpells, selectedSlot, ScrollRow());
    else
      UnselectSpell(player->spells, player->spareSpells, selectedSlot);
  }
  if (player != nullptr && tab == kArtifactsTab) {
    if (select)
      SelectArtifact(player->artifact, player->artifacts, selectedSlot, ScrollRow());
    else
      UnselectArtifact(player->artifact, player->artifacts);
  }
  ClearSelection();
  RefreshScrollBar();
}

YControlPanel& GetControlPanel() {
  static YControlPanel panel;
  return panel;
}
