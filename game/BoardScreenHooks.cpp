#include "game/BoardScreenHooks.h"

#include "framework/Log.h"
#include "players/YPlayer.h"

// The screens that answer these clicks are not part of the game yet: the
// clicks are logged and change nothing.
void BoardScreenHooks::ShowSkill(YPlayer* record) {
  Log::Printf("Board screen: no hero-skill screen for %s", record != nullptr ? record->name.c_str() : "-");
}

void BoardScreenHooks::OpenControlPanel(YPlayer* record) {
  Log::Printf("Board screen: no control panel for %s", record != nullptr ? record->name.c_str() : "-");
}

void BoardScreenHooks::AskAbort() {
  if (askAbort_) askAbort_();
}
