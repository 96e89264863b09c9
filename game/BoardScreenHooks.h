// What the board screen's buttons ask of the game screens: the hero-skill
// screen, the control panel and the question whether to abort the game,
// which is asked only where Escape would ask it. Main thread only.
#pragma once

#include <functional>
#include <utility>

#include "board/YTessor.h"

class BoardScreenHooks final : public YTessorScreenHooks {
 public:
  // `askAbort` asks, as Escape does, whether to abort the game;
  // `openPanel` shows the control panel for a record.
  BoardScreenHooks(std::function<void()> askAbort, std::function<void(YPlayer*)> openPanel)
      : askAbort_(std::move(askAbort)), openPanel_(std::move(openPanel)) {}

  void ShowSkill(YPlayer* record) override;
  void OpenControlPanel(YPlayer* record) override;
  void AskAbort() override;

 private:
  std::function<void()> askAbort_;
  std::function<void(YPlayer*)> openPanel_;
};
