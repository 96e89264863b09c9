// Where the control panel's slots lie in the 1000 x 625 UI space: the 18
// army slots, the 18 shop offers and the 15 list slots of the spells and
// artifacts tabs (a left column of five, then a grid of five rows of two),
// and which slot a point hits. The tab numbers are the panel's.
#pragma once

#include "framework/YRect.h"
#include "framework/YVector2.h"

namespace panel {

enum Tab : int { kSpellsTab = 0, kArtifactsTab = 1, kArmyTab = 2, kShopTab = 3 };

inline constexpr int kListColumnSlots = 5;  // list slots 0-4: the left column
inline constexpr int kListGridSlots = 10;   // list slots 5-14: the right-hand grid
inline constexpr int kListSlots = kListColumnSlots + kListGridSlots;
inline constexpr int kGridColumns = 2;
inline constexpr int kGridRows = kListGridSlots / kGridColumns;

// The number of slots of a tab's layout (0 for a tab outside 0-3).
int SlotCount(int tab);
// The rectangle of slot `slot` of the tab's layout; an empty rectangle for
// a slot the layout does not have.
YRect SlotRect(int tab, int slot);
// The first slot, in index order, whose rectangle holds the point (edges
// included); -1 when none does.
int HitSlot(int tab, float x, float y);

// A view position (x -1 at the left to 1 at the right, y 0.625 at the top
// to -0.625 at the bottom) in UI units.
YVector2 ViewToPanel(float viewX, float viewY);

// Whether a list slot is in the right-hand grid, and the list entry a grid
// slot stands for while the grid shows the list from row `scrollRow` on.
inline bool IsGridSlot(int slot) { return slot >= kListColumnSlots && slot < kListSlots; }
inline int GridEntry(int slot, int scrollRow) { return slot - kListColumnSlots + kGridColumns * scrollRow; }

}  // namespace panel
