// The board screen's menu button asks to abort only where Escape would:
// with the whole state word showing the panel, the board or a duel, and no
// modal open. A word that carries a fade's bits (a fight's 0x102, a
// restart's 0x402) must not gain the asking bit.
#include <gtest/gtest.h>

#include "game/BoardScreenHooks.h"
#include "game/screens/ScreenEvents.h"
#include "players/YPlayer.h"

TEST(BoardScreenHooks, TheMenuButtonAsksOnlyOnAPlainPanelBoardOrDuelWithoutAModal) {
  for (std::uint32_t state : {1u, 2u, 3u}) {
    EXPECT_TRUE(ScreenEvents::MayAskAbort(state, false)) << state;
    EXPECT_FALSE(ScreenEvents::MayAskAbort(state, true)) << state;
  }
  for (std::uint32_t state : {0u, 4u, 0x102u, 0x402u, 0xAu})
    EXPECT_FALSE(ScreenEvents::MayAskAbort(state, false)) << state;
  int asked = 0;
  YPlayer* opened = nullptr;
  BoardScreenHooks hooks([&] { ++asked; }, [&](YPlayer* record) { opened = record; });
  hooks.AskAbort();
  EXPECT_EQ(asked, 1);
  YPlayer record;
  hooks.OpenControlPanel(&record);
  EXPECT_EQ(opened, &record);
}
