#include "draw/PanelSlots.h"

namespace panel {

namespace {
constexpr int kUnitSlots = 18;
constexpr int kUnitColumns = 9;
constexpr float kUnitLeft = 10, kUnitStep = 110, kUnitSide = 100;
constexpr float kArmyLowerRowTop = 430;  // slots 0-8; 9-17 one row up
constexpr float kShopUpperRowTop = 310;  // slots 0-8; 9-17 one row down
constexpr float kShopRowStep = 120;
constexpr float kColumnLeft = 20, kListTop = 310, kListStep = 47;
constexpr float kGridLeft = 430, kGridColumnStep = 270;
constexpr float kListWidth = 250, kListHeight = 40;
}  // namespace

int SlotCount(int tab) {
  switch (tab) {
    case kArmyTab:
    case kShopTab:
      return kUnitSlots;
    case kSpellsTab:
    case kArtifactsTab:
      return kListSlots;
    default:
      return 0;
  }
}

YRect SlotRect(int tab, int slot) {
  if (slot < 0 || slot >= SlotCount(tab)) return YRect();
  const float column = static_cast<float>(slot % kUnitColumns), row = static_cast<float>(slot / kUnitColumns);
  if (tab == kArmyTab)
    return YRect(kUnitLeft + kUnitStep * column, kArmyLowerRowTop - kUnitStep * row, kUnitSide, kUnitSide);
  if (tab == kShopTab)
    return YRect(kUnitLeft + kUnitStep * column, kShopUpperRowTop + kShopRowStep * row, kUnitSide, kUnitSide);
  if (slot < kListColumnSlots)
    return YRect(kColumnLeft, kListTop + kListStep * static_cast<float>(slot), kListWidth, kListHeight);
  const int k = slot - kListColumnSlots;
  return YRect(kGridLeft + kGridColumnStep * static_cast<float>(k % kGridColumns),
               kListTop + kListStep * static_cast<float>(k / kGridColumns), kListWidth, kListHeight);
}

int HitSlot(int tab, float x, float y) {
  for (int slot = 0; slot < SlotCount(tab); ++slot) {
    const YRect r = SlotRect(tab, slot);
    if (x >= r.x && x <= r.x + r.width && y >= r.y && y <= r.y + r.height) return slot;
  }
  return -1;
}

YVector2 ViewToPanel(float viewX, float viewY) {
  return YVector2((viewX + 1) * 500, (625 - 1000 * viewY) / 2);
}

}  // namespace panel
