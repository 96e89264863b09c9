#include "game/BoardScreenHooks.h"

#include "framework/Log.h"
#include "players/YPlayer.h"

// The skill screen is not part of the game yet: its click is logged and
// changes nothing.
void BoardScreenHooks::ShowSkill(YPlayer* record) {
  Log::Printf("Board screen: no hero-skill screen for %s", record != nullptr ? record->name.c_str() : "-");
}

void BoardScreenHooks::OpenControlPanel(YPlayer* record) {
  if (openPanel_) openPanel_(record);
}

void BoardScreenHooks::AskAbort() {
  if (askAbort_) askAbort_();
}
