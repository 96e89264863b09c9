#include "tests/tiles/DealSolver.h"

#include <map>

#include "tiles/PairRules.h"

namespace {

// Tiles that pair without a spell share a group.
std::uint32_t GroupKey(const DuelKind& kind) {
  if (kind.Class() == DuelKind::kPlainClass) return 0x100;
  if (kind.Class() == DuelKind::kWellClass) return 0x200;
  return kind.id;
}

class Solver {
 public:
  Solver(const DuelState& state, std::int64_t maxRounds) : state_(state), maxRounds_(maxRounds) {
    state_.flags = 0;
  }

  SolveResult Run() {
    result_.cleared = Round();
    return std::move(result_);
  }

 private:
  bool Round() {
    if (++result_.rounds > maxRounds_) return false;
    std::map<std::uint32_t, std::vector<int>> byGroup;
    bool anyLive = false;
    for (std::size_t i = 0; i < state_.board.tiles.size(); ++i) {
      const int tile = static_cast<int>(i);
      anyLive = anyLive || state_.Tile(tile).IsLive();
      if (IsFree(state_, tile)) byGroup[GroupKey(state_.KindOf(tile))].push_back(tile);
    }
    if (!anyLive) return true;
    const std::vector<int>* odd = nullptr;
    for (const auto& [group, tiles] : byGroup) {
      if (tiles.size() % 2 == 0) continue;
      if (odd != nullptr) return false;
      odd = &tiles;
    }
    if (odd == nullptr) return TakeRound(byGroup, -1);
    for (int left : *odd) {
      if (TakeRound(byGroup, left)) return true;
    }
    return false;
  }

  // Takes every listed tile but `left`, two by two within each group.
  bool TakeRound(const std::map<std::uint32_t, std::vector<int>>& byGroup, int left) {
    const std::size_t before = result_.order.size();
    bool legal = true;
    for (const auto& [group, tiles] : byGroup) {
      int waiting = -1;
      for (int tile : tiles) {
        if (tile == left) continue;
        if (waiting < 0) {
          waiting = tile;
          continue;
        }
        legal = legal && CanMatch(state_, state_.Mover(), waiting, tile);
        result_.order.emplace_back(waiting, tile);
        waiting = -1;
      }
    }
    if (!legal || result_.order.size() == before) {
      result_.order.resize(before);
      return false;
    }
    for (std::size_t i = before; i < result_.order.size(); ++i) {
      state_.PlayPair(result_.order[i].first, result_.order[i].second, YTile::kRemoved);
    }
    if (Round()) return true;
    for (std::size_t i = result_.order.size(); i-- > before;) state_.Undo();
    result_.order.resize(before);
    return false;
  }

  DuelState state_;
  std::int64_t maxRounds_;
  SolveResult result_;
};

}  // namespace

SolveResult SolveBoard(const DuelState& state, std::int64_t maxRounds) { return Solver(state, maxRounds).Run(); }
