#include "game/BoardScreenHooks.h"

#include "framework/Log.h"
#include "players/YPlayer.h"
#include "ui/UIRoot.h"

// The screens that answer these clicks are not part of the game yet: the
// clicks are logged and change nothing.
void BoardScreenHooks::ShowSkill(YPlayer* record) {
  Log::Printf("Board screen: no hero-skill screen for %s", record != nullptr ? record->name.c_str() : "-");
}

void BoardScreenHooks::OpenControlPanel(YPlayer* record) {
  Log::Printf("Board screen: no control panel for %s", record != nullptr ? record->name.c_str() : "-");
}

bool BoardScreenHooks::MayAskAbort(std::uint32_t state, bool modalOpen) {
  return !modalOpen && state >= 1 && state <= 3;
}

void BoardScreenHooks::AskAbort() {
  if (!MayAskAbort(state_, ui_.GetTopModal() != nullptr)) return;
  // The question box sets the asking bit (0x8) with its question; without
  // the box the bit would leave the word where no answer can clear it.
  Log::Printf("Board screen: no question box to abort the game%s", "");
}
