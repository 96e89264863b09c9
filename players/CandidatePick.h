// The computer opponents' ranking of their root moves and their pick among
// the best, shared by the board and the duel: a weaker opponent sometimes
// plays a lesser move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// A root move's index in its search's root list, and its exact value.
struct ScoredRoot {
  std::size_t index = 0;
  std::int32_t value = 0;
  bool operator==(const ScoredRoot&) const = default;
};

// Sorts the valued root moves best first (equal values keep root order) and
// gives the best value and its root index; leaves both alone when `ranked`
// is empty.
void RankRoots(std::vector<ScoredRoot>& ranked, std::int32_t& best, std::size_t& bestIndex);

// The pick among ranked roots (best first, as RankRoots leaves them): with
// N = min(candidates, ranked moves) below 2 the best move; otherwise
// `samples` draws of draw() mod 2N are averaged (integer division) into r,
// and the pick is rank N - r - 1 when r < N, else r - N. More samples favour
// the best moves; one sample picks any of the N best alike. Returns the
// picked move's root index; `ranked` must not be empty.
std::size_t PickCandidate(const std::vector<ScoredRoot>& ranked, int candidates, int samples,
                          const std::function<int()>& draw);
