#include "tiles/YSlotsHint.h"

#include "players/YPlayer.h"
#include "players/YTileSpell.h"
#include "tiles/YTileset.h"

namespace {
constexpr float kRowHeight = 30;  // the spell list's rows
}  // namespace

bool YSlotsHint::Describe(float, float mouseY, std::string& title, std::string& text) const {
  const YPlayer* fighter = battle != nullptr ? battle->Fighter(side) : nullptr;
  if (fighter == nullptr || mouseY < rect.y) return false;
  const auto row = static_cast<std::size_t>((mouseY - rect.y) / kRowHeight);
  if (row >= fighter->spells.size() || fighter->spells[row] == nullptr) return false;
  title = fighter->spells[row]->name;
  text = fighter->spells[row]->descr;
  return true;
}
