#include "tiles/YArtifactHint.h"

#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YPlayer.h"
#include "tiles/DuelState.h"
#include "tiles/YTileset.h"

namespace {
// The kinds whose descriptions tell of a raised shield and a raised reflection.
constexpr std::uint32_t kShieldKind = 0x29;
constexpr std::uint32_t kReflectKind = 0x3a;
}  // namespace

bool YArtifactHint::Describe(float, float, std::string& title, std::string& text) const {
  if (battle == nullptr) return false;
  const float weight =
      battle->OverlayWeight(static_cast<YTileset::Overlay>(YTileset::kSide0Highlight + (side & 1)));
  const std::uint32_t flags = battle->RememberedFlags(side);
  if (weight > 0 && (flags & (DuelFlag::kShield | DuelFlag::kReflect)) != 0) {
    const TileTables& tables = GetTileTables();
    const int index = tables.FindKindIndex((flags & DuelFlag::kShield) != 0 ? kShieldKind : kReflectKind);
    if (index < 0) return false;
    const YTileKind& kind = tables.Kinds()[static_cast<std::size_t>(index)];
    title = kind.name;
    text = kind.descr;
    return true;
  }
  const YPlayer* fighter = battle->Fighter(side);
  if (fighter == nullptr || fighter->artifact == nullptr) return false;
  title = fighter->artifact->name;
  text = fighter->artifact->descr;
  return true;
}
