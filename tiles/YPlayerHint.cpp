#include "tiles/YPlayerHint.h"

#include "framework/TextFormat.h"
#include "players/YPlayer.h"
#include "tiles/YTileset.h"

bool YPlayerHint::Describe(float, float, std::string& title, std::string& text) const {
  const YPlayer* fighter = battle != nullptr ? battle->Fighter(side) : nullptr;
  if (fighter == nullptr) return false;
  title = fighter->name;
  text = FormatTextArgs(format, fighter->level + 1, fighter->shownExperience, fighter->shownHealth,
                        fighter->maxValues[5]);
  return true;
}
