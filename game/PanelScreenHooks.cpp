#include "game/PanelScreenHooks.h"

#include <utility>

#include "framework/Log.h"

PanelScreenHooks::PanelScreenHooks(std::function<void(YPlayerHero*)> showSkill,
                                   std::function<void()> backToMenu)
    : showSkill_(std::move(showSkill)), backToMenu_(std::move(backToMenu)) {}

void PanelScreenHooks::ShowHeroSkill(YPlayerHero* player) {
  if (showSkill_) showSkill_(player);
}

void PanelScreenHooks::BackToMenu() {
  if (!backToMenu_) return Log::Printf("Control panel: no screen to go back to");
  backToMenu_();
}
