#include "tiles/DuelKind.h"

#include "players/YTileKind.h"

std::vector<DuelKind> DuelKindsOf(const std::vector<YTileKind>& table) {
  std::vector<DuelKind> kinds;
  kinds.reserve(table.size());
  for (const YTileKind& kind : table) kinds.push_back(DuelKind{kind.id, kind.cost, kind.priority});
  return kinds;
}
