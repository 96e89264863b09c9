// The control panel's own drawing, in the order the frame shows it: the
// background, the tab boxes, the header, the skill glow, the current tab's
// slots and the information card.
#include "draw/CardDrawing.h"
#include "draw/ImageDrawing.h"
#include "draw/PanelListMoves.h"
#include "draw/PanelStyle.h"
#include "draw/TextDrawing.h"
#include "draw/YControlPanel.h"
#include "framework/IntToString.h"
#include "framework/YLocale.h"
#include "players/YMonsterShop.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "ui/UIHotLine.h"
#include "ui/UISpeedButton.h"

using namespace panel;

namespace {

const YColor kOtherTab(0.8f, 0.8f, 0.8f, 1);
const YColor kEmptySlot(1, 1, 1, 0.5f);
const YColor kEmptyBox(1, 1, 1, 0.25f);
constexpr float kCardX = 635, kCardY = 50;
constexpr float kInfoX = 610, kInfoY = 50, kInfoWidth = 330;
constexpr float kCostX = 730, kCostY = 210, kNoSlotY = 235, kCostSize = 20;
constexpr float kHeaderSize = 25;
// The hero's name in the header ends before the skill button.
constexpr float kNameLeft = 220;
constexpr float kNameRight = 395;
constexpr float kSkillGlow = 20;  // the glow reaches this far beyond the skill button

YShader* Shader(int which) {
  static std::array<YShader*, YControlPanel::kShaderNames.size()> shaders{};
  auto& shader = shaders[static_cast<std::size_t>(which)];
  if (shader == nullptr) shader = GetShader(YControlPanel::kShaderNames[static_cast<std::size_t>(which)]);
  return shader;
}
enum ShaderIndex { kBackground, kListBack, kImage, kBar, kSelection, kStarEffect };

YTextureBase* SlotTexture() {
  static YTextureBase* const texture = GetTexture(YControlPanel::kSlotTexture);
  return texture;
}

void DrawEmptySlot(const YRect& r) {
  DrawImageRect(r.x, r.y, r.width, r.height, SlotTexture(), nullptr, kImageUpright, kEmptySlot);
}

}  // namespace

void YControlPanel::Draw() {
  if (g_render == nullptr) return;
  DrawBackground();
  if (player == nullptr || window == nullptr) return;
  DrawTabBoxes();
  DrawHeader();
  if (player->points > 0) {
    const YRect& r = skillButton->rect;
    DrawImageRect(r.x - kSkillGlow, r.y - kSkillGlow, r.width + 2 * kSkillGlow, r.height + 2 * kSkillGlow, nullptr,
                  Shader(kStarEffect), kImageUpright, kShaderColour);
  }
  if (tab == kArmyTab || tab == kShopTab)
    DrawUnitSlots();
  else
    DrawListSlots();
}

void YControlPanel::DrawBackground() const {
  DrawImageQuad(YRect(0, 0, kPanelWidth, kPanelHeight), YRect(0, 0, 1, 0.625f), nullptr, Shader(kBackground));
  if (tab == kSpellsTab || tab == kArtifactsTab)
    DrawImageQuad(YRect(270, 296, 165, 272), YRect(0, 0, 1, 1), nullptr, Shader(kListBack));
}

// The current tab's box last, larger and in full light.
void YControlPanel::DrawTabBoxes() const {
  static std::array<YTextureBase*, 4> textures{};
  for (std::size_t t = 0; t < textures.size(); ++t)
    if (textures[t] == nullptr) textures[t] = GetTexture(kTabBoxTextures[t]);
  for (std::size_t t = 0; t < tabLinks.size(); ++t) {
    if (static_cast<int>(t) == tab) continue;
    const YRect& link = tabLinks[t]->rect;
    DrawItemBox(YRect(link.x - 12, 245, link.width + 25, 50), textures[t], nullptr, kOtherTab);
  }
  const auto current = static_cast<std::size_t>(tab);
  const YRect& link = tabLinks[current]->rect;
  DrawItemBox(YRect(link.x - 15, 240, link.width + 30, 55), textures[current], nullptr, kWhite);
}

void YControlPanel::DrawHeader() const {
  static YTextureBase* const star = GetTexture(kStarTexture);
  static YTextureBase* const gold = GetTexture(kGoldTexture);
  DrawPortrait(YRect(24, 33, 147, 147), player, false);
  DrawTextShadow(kNameLeft, 55, kHeaderSize, kPanelDarkRed,
                 GetMainFont()->StartWithin(player->name, kHeaderSize, kNameRight - kNameLeft));
  DrawTextAlignedF(215, 100, kHeaderSize, kPanelBlack, kAlignLeft, GetLocale().GetText("cp_level"), player->level + 1);
  DrawImageRect(215, 115, 30, 30, star, nullptr, kImageUpright, kShaderColour);
  DrawTextAligned(250, 140, kHeaderSize, kPanelBlack, kAlignLeft, IntToString(player->experience));
  DrawImageRect(215, 155, 30, 30, gold, nullptr, kImageUpright, kShaderColour);
  DrawTextAligned(250, 180, kHeaderSize, kPanelBlack, kAlignLeft, IntToString(player->gold));
}

void YControlPanel::DrawUnitSlots() {
  const bool shopTab = tab == kShopTab;
  for (int slot = 0; slot < SlotCount(tab); ++slot) {
    const YRect r = SlotRect(tab, slot);
    YPlayer* unit = shopTab ? (shop != nullptr ? shop->Offer(slot) : nullptr)
                            : player->slots[static_cast<std::size_t>(slot)];
    if (unit == nullptr) {
      DrawEmptySlot(r);
      continue;
    }
    DrawPortrait(r, unit, false);
    if (!shopTab) continue;
    const std::int32_t price = shop->GetPrice(slot);
    DrawTextAligned(r.x + 50, r.y + 118, 18, price > player->gold ? kPanelGrey : kPanelDarkRed, kAlignCentre,
                    IntToString(price));
  }
  const int shown = selectedSlot >= 0 ? selectedSlot : hoverSlot;
  if (shopTab)
    DrawBuyCost(shown);
  else if (shown >= 0 && shown < SlotCount(tab))
    DrawItemCost(player->slots[static_cast<std::size_t>(shown)]);
  DrawSelectionFrame();
}

void YControlPanel::DrawListSlots() {
  const int row = ScrollRow();
  const bool spells = tab == kSpellsTab;
  const int columnCount = spells ? static_cast<int>(player->spells.size()) : (player->artifact ? 1 : 0);
  const int spareCount = static_cast<int>(spells ? player->spareSpells.size() : player->artifacts.size());
  for (int slot = 0; slot < kListSlots; ++slot) {
    const YRect r = SlotRect(tab, slot);
    if (spells) {
      DrawSpellItem(r.x, r.y, SpellAt(player->spells, player->spareSpells, slot, row), kPanelBlack);
    } else if (slot == 0) {
      DrawArtifactCard(r.x, r.y, player->artifact, 300, kPanelBlack);
    } else {
      DrawArtifactItem(r.x, r.y, ArtifactAt(player->artifact, player->artifacts, slot, row), kPanelBlack);
    }
  }
  DrawListBoxes(columnCount, spareCount);
  const int shown = selectedSlot >= 0 ? selectedSlot : hoverSlot;
  if (spells)
    DrawSpellInfo(shown);
  else
    DrawArtifactInfo(shown);
  DrawSelectionFrame();
}

// The empty boxes that take a moved entry: after the last active spell
// while fewer than five are active (in use: when none is), and after the
// last spare entry when it falls within the ten grid slots shown.
void YControlPanel::DrawListBoxes(int columnCount, int spareCount) const {
  static YTextureBase* const box = SlotTexture();
  const int columnRoom = tab == kSpellsTab ? static_cast<int>(kMaxActiveSpells) : 1;
  if (columnCount < columnRoom) DrawItemBox(SlotRect(tab, columnCount), box, nullptr, kEmptyBox);
  const int gridIndex = spareCount - kGridColumns * ScrollRow();
  if (gridIndex >= 0 && gridIndex < kListGridSlots)
    DrawItemBox(SlotRect(tab, kListColumnSlots + gridIndex), box, nullptr, kEmptyBox);
}

void YControlPanel::DrawSelectionFrame() const {
  if (selectedSlot < 0 || selectedSlot >= SlotCount(tab)) return;
  const YRect r = SlotRect(tab, selectedSlot);
  if (tab == kArmyTab || tab == kShopTab)
    DrawImageRect(r.x, r.y, r.width, r.height, SlotTexture(), Shader(kSelection), kImageUpright, kShaderColour);
  else
    DrawItemBox(r, SlotTexture(), Shader(kSelection), kShaderColour);
}

void YControlPanel::DrawItemCost(YPlayer* unit) {
  if (unit == nullptr) return;
  const ValueBlock block = MaximumBlock(*unit);
  DrawCard(kCardX, kCardY, unit, block, block, kPanelDarkRed, kPanelBlack);
  const auto* monster = dynamic_cast<const YPlayerMonster*>(unit);
  if (unit == player || monster == nullptr || shop == nullptr) return;
  DrawTextAlignedF(kCostX, kCostY, kCostSize, kPanelBlack, kAlignCentre, GetLocale().GetText("cp_cost"),
                   shop->GetSellPrice(*monster));
}

void YControlPanel::DrawBuyCost(int offer) {
  YPlayerMonster* unit = shop != nullptr ? shop->Offer(offer) : nullptr;
  if (unit == nullptr) return;
  const ValueBlock block = MaximumBlock(*unit);
  DrawCard(kCardX, kCardY, unit, block, block, kPanelDarkRed, kPanelBlack);
  const std::int32_t price = shop->GetPrice(offer);
  const bool affordable = price <= player->gold;
  DrawTextAlignedF(kCostX, kCostY, kCostSize, affordable ? kPanelBlack : kPanelGrey, kAlignCentre,
                   GetLocale().GetText("cp_cost"), price);
  if (affordable && freeSlots <= 0)
    DrawTextAligned(kCostX, kNoSlotY, kCostSize, kPanelRed, kAlignCentre, GetLocale().GetText("cp_no_free_slots"));
}

void YControlPanel::DrawSpellInfo(int slot) {
  if (player == nullptr) return;
  DrawSpellCard(kInfoX, kInfoY, SpellAt(player->spells, player->spareSpells, slot, ScrollRow()));
}

void YControlPanel::DrawArtifactInfo(int slot) {
  if (player == nullptr) return;
  DrawArtifactCard(kInfoX, kInfoY, ArtifactAt(player->artifact, player->artifacts, slot, ScrollRow()), kInfoWidth,
                   kPanelDarkRed);
}
