#include "tiles/YManaHint.h"

#include "framework/TextFormat.h"
#include "players/YPlayer.h"
#include "tiles/YTileset.h"

bool YManaHint::Describe(float, float, std::string& title, std::string& text) const {
  const YPlayer* fighter = battle != nullptr ? battle->Fighter(side) : nullptr;
  if (fighter == nullptr || element < 0 || element > 3) return false;
  title = fighter->name;
  const auto e = static_cast<std::size_t>(element);
  text = FormatTextArgs(format, fighter->shownMana[e], fighter->maxValues[e + 1]);
  return true;
}
