// The panel's slot layouts: edges belong to their slot, the gaps to none,
// and the view frame maps onto the 1000 x 625 UI space.
#include "draw/PanelSlots.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace panel;

TEST(PanelSlots, EdgesAreInsideGapsAreOutsideAndTheViewMapsOntoTheSpace) {
  struct Case {
    int tab;
    float x, y;
    int slot;
  };
  const Case cases[] = {
      {kArmyTab, 10, 430, 0},     {kArmyTab, 110, 530, 0},     {kArmyTab, 110.1f, 480, -1},
      {kArmyTab, 120, 430, 1},    {kArmyTab, 10, 320, 9},      {kArmyTab, 990, 420, 17},
      {kArmyTab, 50, 425, -1},    {kShopTab, 10, 310, 0},      {kShopTab, 10, 430, 9},
      {kShopTab, 50, 425, -1},    {kShopTab, 990, 530, 17},    {kSpellsTab, 20, 310, 0},
      {kSpellsTab, 270, 350, 0},  {kSpellsTab, 20, 498, 4},    {kSpellsTab, 430, 310, 5},
      {kSpellsTab, 700, 310, 6},  {kSpellsTab, 950, 538, 14},  {kArtifactsTab, 960, 400, -1},
      {kArtifactsTab, 300, 330, -1}, {kArtifactsTab, 20, 351, -1}, {7, 20, 310, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(HitSlot(c.tab, c.x, c.y), c.slot) << c.tab << " " << c.x << "," << c.y;
  // Over the whole space a point lies in at most one slot, the one HitSlot names.
  for (int tab = 0; tab < 4; ++tab)
    for (float y = 300; y <= 560; y += 2.5f)
      for (float x = 0; x <= 1000; x += 2.5f) {
        int holders = 0, first = -1;
        for (int slot = 0; slot < SlotCount(tab); ++slot) {
          const YRect r = SlotRect(tab, slot);
          if (x < r.x || x > r.x + r.width || y < r.y || y > r.y + r.height) continue;
          if (holders++ == 0) first = slot;
        }
        ASSERT_LE(holders, 1);
        ASSERT_EQ(HitSlot(tab, x, y), first);
      }
  // The view frame's corners and middle.
  for (const auto& [vx, vy, x, y] : {std::array<float, 4>{-1, 0.625f, 0, 0}, {1, -0.625f, 1000, 625}, {0, 0, 500, 312.5f}})
    EXPECT_TRUE(ViewToPanel(vx, vy).x == x && ViewToPanel(vx, vy).y == y) << vx << "," << vy;
}

}  // namespace
