#include "game/BoardScreenHooks.h"

#include "framework/Log.h"
#include "players/YPlayer.h"

void BoardScreenHooks::ShowSkill(YPlayer* record) {
  if (showSkill_) return showSkill_(record);
  Log::Printf("Board screen: no hero-skill screen for %s", record != nullptr ? record->name.c_str() : "-");
}

// The screen that answers this click is not part of the game yet: the click
// is logged and changes nothing.
void BoardScreenHooks::OpenControlPanel(YPlayer* record) {
  Log::Printf("Board screen: no control panel for %s", record != nullptr ? record->name.c_str() : "-");
}

void BoardScreenHooks::AskAbort() {
  if (askAbort_) askAbort_();
}
