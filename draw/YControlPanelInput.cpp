// The control panel's mouse: the slot under the pointer and what a click on
// a slot does in each tab.
#include <utility>

#include "draw/PanelListMoves.h"
#include "draw/YControlPanel.h"
#include "players/YMonsterShop.h"
#include "players/YPlayerHero.h"
#include "ui/UIButton.h"

using namespace panel;

void YControlPanel::OnMouseMove(float x, float y) {
  const YVector2 at = ViewToPanel(x, y);
  hoverSlot = HitSlot(tab, at.x, at.y);
}

// The button under the point handles its own click.
bool YControlPanel::OnVisibleActionButton(float x, float y) const {
  for (const UIButton* button : {sellButton, buyButton, selectButton, unselectButton})
    if (button != nullptr && button->IsVisible() && button->HitTest(x, y)) return true;
  return false;
}

// The slot is taken from the click's own position, so a click needs no
// move before it.
void YControlPanel::OnMouseDown(int, float x, float y) {
  const YVector2 at = ViewToPanel(x, y);
  if (window == nullptr || player == nullptr || OnVisibleActionButton(at.x, at.y)) return;
  hoverSlot = HitSlot(tab, at.x, at.y);
  switch (tab) {
    case kArmyTab:
      return ClickArmy();
    case kShopTab:
      return ClickShop();
    case kSpellsTab:
      return ClickSpells();
    default:
      return ClickArtifacts();
  }
}

void YControlPanel::OnMouseUp(int, float, float) {}

// A second slot swaps with the selected one, an empty slot too (the unit
// moves there). The hero may be moved but is never offered for sale.
void YControlPanel::ClickArmy() {
  auto& slots = player->slots;
  if (selectedSlot >= 0) {
    if (hoverSlot >= 0)
      std::swap(slots[static_cast<std::size_t>(selectedSlot)], slots[static_cast<std::size_t>(hoverSlot)]);
    ClearSelection();
    return;
  }
  if (hoverSlot < 0) return;
  YPlayer* unit = slots[static_cast<std::size_t>(hoverSlot)];
  if (unit == nullptr) return;
  selectedSlot = hoverSlot;
  if (unit != player && shop != nullptr) sellButton->Show();
}

// The buy button only for an offer the hero can pay and place; a second
// click on the selected offer drops the selection.
void YControlPanel::ClickShop() {
  const bool filled = shop != nullptr && shop->Offer(hoverSlot) != nullptr;
  if (!filled || hoverSlot == selectedSlot) {
    ClearSelection();
    return;
  }
  selectedSlot = hoverSlot;
  if (freeSlots > 0 && shop->GetPrice(hoverSlot) <= player->gold)
    buyButton->Show();
  else
    buyButton->Hide();
}

void YControlPanel::ClickSpells() {
  if (selectedSlot >= 0) {
    const MoveResult moved = MoveSpell(player->spells, player->spareSpells, selectedSlot, hoverSlot, ScrollRow());
    ClearSelection();
    if (moved == MoveResult::kMoved) RefreshScrollBar();
    return;
  }
  if (SpellAt(player->spells, player->spareSpells, hoverSlot, ScrollRow()) == nullptr) return;
  selectedSlot = hoverSlot;
  if (hoverSlot < kListColumnSlots)
    unselectButton->Show();
  else if (player->spells.size() < kMaxActiveSpells)
    selectButton->Show();
}

void YControlPanel::ClickArtifacts() {
  if (selectedSlot >= 0) {
    const MoveResult moved = MoveArtifact(player->artifact, player->artifacts, selectedSlot, hoverSlot, ScrollRow());
    ClearSelection();
    if (moved == MoveResult::kMoved) RefreshScrollBar();
    return;
  }
  if (ArtifactAt(player->artifact, player->artifacts, hoverSlot, ScrollRow()) == nullptr) return;
  selectedSlot = hoverSlot;
  if (hoverSlot == 0)
    unselectButton->Show();
  else
    selectButton->Show();
}
