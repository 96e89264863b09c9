#include "game/PanelScreenHooks.h"

#include <utility>

#include "framework/Log.h"

PanelScreenHooks::PanelScreenHooks(SkillHook showSkill, BackHook backToMenu)
    : showSkill_(std::move(showSkill)), backToMenu_(std::move(backToMenu)) {}

void PanelScreenHooks::ShowHeroSkill(YPlayerHero* player) {
  if (showSkill_)
    showSkill_(player);
  else
    Log::Printf("Control panel: no skill screen to show%s", "");
}

void PanelScreenHooks::BackToMenu() {
  if (backToMenu_)
    backToMenu_();
  else
    Log::Printf("Control panel: no screen to go back to%s", "");
}
