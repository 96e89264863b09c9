// What the board screen's buttons ask of the game screens: the hero-skill
// screen, the control panel and the question whether to abort the game.
// The menu button is taken only where Escape would be: with the board, the
// panel or a duel showing (the whole state word 1, 2 or 3) and no modal open.
// Main thread only.
#pragma once

#include <cstdint>

#include "board/YTessor.h"

class UIRoot;

class BoardScreenHooks final : public YTessorScreenHooks {
 public:
  // `state` and `ui` belong to the application object and outlive the hooks.
  BoardScreenHooks(const std::uint32_t& state, UIRoot& ui) : state_(state), ui_(ui) {}

  void ShowSkill(YPlayer* record) override;
  void OpenControlPanel(YPlayer* record) override;
  void AskAbort() override;

  // True when the menu button may act on the state word as it is now.
  static bool MayAskAbort(std::uint32_t state, bool modalOpen);

 private:
  const std::uint32_t& state_;
  UIRoot& ui_;
};
