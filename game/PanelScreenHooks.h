// What the control panel's buttons ask of the game screens: the hero-skill
// screen for the panel's hero and the way back to the game or the menu.
// An operation left empty logs the request and does nothing. Main thread
// only.
#pragma once

#include <functional>

#include "draw/YControlPanel.h"

class PanelScreenHooks final : public PanelScreens {
 public:
  using SkillHook = std::function<void(YPlayerHero*)>;
  using BackHook = std::function<void()>;

  PanelScreenHooks(SkillHook showSkill, BackHook backToMenu);

  void ShowHeroSkill(YPlayerHero* player) override;
  void BackToMenu() override;

 private:
  SkillHook showSkill_;
  BackHook backToMenu_;
};
