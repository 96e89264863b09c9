// The computer opponents' pick among their best moves, shared by the board
// and the duel: it decides which of the ranked moves is played, so that a
// weaker opponent sometimes plays a lesser move.
#pragma once

#include <cstddef>
#include <functional>

// With N = min(candidates, rankedCount) below 2 the best move (rank 0);
// otherwise `samples` draws of draw() mod 2N are averaged (integer division)
// into r, and the pick is rank N - r - 1 when r < N, else r - N. More
// samples favour the best moves; one sample picks any of the N best alike.
// Returns a rank into the caller's list, best first; `rankedCount` must be
// at least 1.
std::size_t PickCandidateRank(std::size_t rankedCount, int candidates, int samples,
                              const std::function<int()>& draw);
