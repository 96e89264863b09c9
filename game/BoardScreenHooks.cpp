#include "game/BoardScreenHooks.h"

#include "framework/Log.h"
#include "players/YPlayer.h"

void BoardScreenHooks::ShowSkill(YPlayer* record) {
  if (showSkill_) return showSkill_(record);
  Log::Printf("Board screen: no hero-skill screen for %s", record != nullptr ? record->name.c_str() : "-");
}

void BoardScreenHooks::OpenControlPanel(YPlayer* record) {
  if (openPanel_) openPanel_(record);
}

void BoardScreenHooks::AskAbort() {
  if (askAbort_) askAbort_();
}
