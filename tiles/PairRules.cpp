#include "tiles/PairRules.h"

#include <algorithm>

#include "players/YTileSpell.h"

namespace {

// The rank of a pair the side cannot pay for: after every affordable one.
constexpr std::int32_t kUnaffordableRank = 100;

bool PaysEach(const DuelSide& side, const DuelKind& a, const DuelKind& b) {
  return side.mana[static_cast<std::size_t>(a.Element())] >= a.cost &&
         side.mana[static_cast<std::size_t>(b.Element())] >= b.cost;
}

}  // namespace

const YTileSpell* FindTileLink(const DuelSide& side, std::uint32_t a, std::uint32_t b) {
  if (a == b) return nullptr;
  const std::uint32_t key = (a << 8) | b;
  const std::uint32_t swapped = (b << 8) | a;
  for (const YTileSpell* spell : side.spells) {
    if (spell != nullptr && (spell->key == key || spell->key == swapped)) return spell;
  }
  return nullptr;
}

bool CanAffordPair(const DuelSide& side, const DuelKind& a, const DuelKind& b) {
  if (a.Element() == b.Element())
    return side.mana[static_cast<std::size_t>(a.Element())] >= std::max(a.cost, b.cost);
  return PaysEach(side, a, b);
}

bool CanMatch(const DuelState& state, const DuelSide& side, int a, int b) {
  const DuelKind& ka = state.KindOf(a);
  const DuelKind& kb = state.KindOf(b);
  if (ka.id == kb.id) return true;
  if (ka.Class() == DuelKind::kWellClass && kb.Class() == DuelKind::kWellClass) return true;
  if (ka.Class() == DuelKind::kPlainClass && kb.Class() == DuelKind::kPlainClass) return true;
  if (FindTileLink(side, ka.id, kb.id) == nullptr) return false;
  return CanAffordPair(side, ka, kb);
}

bool IsFrozen(const DuelState& state, int tile) {
  if ((state.flags & DuelFlag::kFrozen) == 0) return false;
  const int element = state.KindOf(tile).Element();
  return element == DuelKind::kEarth || element == DuelKind::kWater;
}

bool IsBurning(const DuelState& state, int tile) {
  return (state.flags & DuelFlag::kBurning) != 0 && state.KindOf(tile).Element() == DuelKind::kFire;
}

bool IsFree(const DuelState& state, int tile) {
  return state.board.IsOpen(tile) && !IsFrozen(state, tile);
}

void CollectFreeTiles(const DuelState& state, std::vector<int>& out) {
  const int count = static_cast<int>(state.board.tiles.size());
  for (int i = 0; i < count; ++i) {
    if (IsFree(state, i)) out.push_back(i);
  }
}

void CollectFreeEarthTiles(const DuelState& state, std::vector<int>& out) {
  const int count = static_cast<int>(state.board.tiles.size());
  for (int i = 0; i < count; ++i) {
    if (IsFree(state, i) && state.KindOf(i).Element() == DuelKind::kEarth) out.push_back(i);
  }
}

bool FindPairs(const DuelState& state, std::vector<int>& freeTiles, std::vector<DuelPair>& pairs) {
  freeTiles.clear();
  pairs.clear();
  bool empty = true;
  const int count = static_cast<int>(state.board.tiles.size());
  for (int i = 0; i < count; ++i) {
    if (!state.Tile(i).IsLive()) continue;
    empty = false;
    if (IsFree(state, i)) freeTiles.push_back(i);
  }
  const DuelSide& side = state.Mover();
  for (std::size_t i = 0; i < freeTiles.size(); ++i) {
    for (std::size_t j = i + 1; j < freeTiles.size(); ++j) {
      if (!CanMatch(state, side, freeTiles[i], freeTiles[j])) continue;
      const DuelKind& ka = state.KindOf(freeTiles[i]);
      const DuelKind& kb = state.KindOf(freeTiles[j]);
      const std::int32_t rank =
          PaysEach(side, ka, kb) ? std::min(ka.priority, kb.priority) : kUnaffordableRank;
      pairs.push_back(DuelPair{freeTiles[i], freeTiles[j], rank});
    }
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const DuelPair& x, const DuelPair& y) { return x.priority < y.priority; });
  return empty;
}

TurnOpening OpenTurn(DuelState& state, std::vector<int>& freeTiles, std::vector<DuelPair>& pairs,
                     std::int32_t& passCounter) {
  if (FindPairs(state, freeTiles, pairs)) {
    state.flags |= DuelFlag::kShuffle;
    return TurnOpening::kShuffle;
  }
  if (!pairs.empty()) {
    passCounter = 0;
    return TurnOpening::kMove;
  }
  ++passCounter;
  const bool pass = passCounter < 2;
  state.flags |= pass ? DuelFlag::kPass : DuelFlag::kShuffle;
  return pass ? TurnOpening::kPass : TurnOpening::kShuffle;
}
