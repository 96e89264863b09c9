// What the control panel's buttons ask of the game screens: the hero-skill
// screen for the panel's hero and the way back from the panel. Main thread
// only.
#pragma once

#include <functional>

#include "draw/YControlPanel.h"

class PanelScreenHooks final : public PanelScreens {
 public:
  // `showSkill` opens the skill screen for a hero; `backToMenu` leaves the
  // panel (empty: the click is only logged).
  PanelScreenHooks(std::function<void(YPlayerHero*)> showSkill, std::function<void()> backToMenu);

  void ShowHeroSkill(YPlayerHero* player) override;
  void BackToMenu() override;

 private:
  std::function<void(YPlayerHero*)> showSkill_;
  std::function<void()> backToMenu_;
};
