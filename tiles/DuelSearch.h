// The duel computer's look-ahead: a depth-limited negamax with alpha-beta
// pruning and a time cut over a battle state it owns for the search (a
// private copy), playing pairs and taking them back with the battle's own
// rules. It returns exactly what a plain negamax of the same depth returns:
// every root pair it values is valued exactly, and the first strictly best
// pair in root order wins. A pair that gives its side another turn is
// searched for the same side, without negation. The state is left as it
// was found. One thread; the stop flag may be set from another.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "players/CandidatePick.h"
#include "tiles/DuelState.h"

namespace duel_score {
// The window's bound and the value no pair has yet beaten.
inline constexpr std::int32_t kBound = 16777215;
// A decided duel scores this plus the depth still left, so sooner wins
// score higher; every other value is held below it.
inline constexpr std::int32_t kWin = 16777195;
}  // namespace duel_score

struct DuelSearchParams {
  int ownSide = 0;                // the side the computer plays, to move at the root
  int depth = 1;                  // plies; held to 1..19
  int candidates = 1;             // above 1: every root pair is valued exactly
  std::uint32_t timeLimitMs = 0;  // acts only 3 or more plies below the root
  bool prune = true;              // false: the same search without alpha-beta
};

struct DuelSearchResult {
  // With candidates above 1: every root pair with its exact value, best
  // first (equal values in root order). Otherwise empty.
  std::vector<ScoredRoot> ranked;
  std::size_t bestIndex = 0;  // the first strictly best pair (0 when none)
  std::int32_t best = -duel_score::kBound;
  std::uint64_t nodes = 0;  // positions visited below the root
  bool stopped = false;     // the stop flag ended the search; nothing is valid
};

class DuelSearch {
 public:
  // A millisecond clock that wraps at 2^32; the system's when empty.
  using Clock = std::function<std::uint32_t()>;

  // Searches `state` for params.ownSide. `stop` may be null.
  DuelSearch(DuelState& state, const DuelSearchParams& params, Clock clock = {},
             const std::atomic<bool>* stop = nullptr);

  // Values each of `pairs` (the own side's pairs in this state, in the
  // battle's order). Nothing is valued while a shuffle is due.
  DuelSearchResult Run(const std::vector<DuelPair>& pairs);
  // The value of the position for `side`, to move, with `depth` plies left.
  std::int32_t Search(int side, int depth, std::int32_t alpha, std::int32_t beta);

 private:
  std::int32_t PlayAndSearch(const DuelPair& pair, int side, int depth, std::int32_t alpha,
                             std::int32_t beta);
  bool Stopping() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }
  bool TimeIsUp(int depth) const;
  std::int32_t Terminal(int side, int depth) const;
  std::int64_t Material(int side) const;
  std::int32_t Evaluation(int side, std::int64_t bonus) const;
  std::int32_t ShuffleValue(int side, int depth) const;

  DuelState& state_;
  DuelSearchParams params_;
  Clock clock_;
  const std::atomic<bool>* stop_;
  std::uint32_t start_ = 0;
  std::uint64_t nodes_ = 0;
  std::vector<int> freeTiles_;                    // scratch of every node's pair finder
  std::vector<std::vector<DuelPair>> pairLists_;  // one per depth left, reused
};

