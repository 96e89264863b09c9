#include "players/CandidatePick.h"

#include <algorithm>
#include <cstdint>

std::size_t PickCandidate(const std::vector<ScoredRoot>& ranked, int candidates, int samples,
                          const std::function<int()>& draw) {
  const std::size_t n =
      std::max<std::size_t>(1, std::min(static_cast<std::size_t>(std::max(candidates, 0)), ranked.size()));
  if (n < 2) return ranked.front().index;
  samples = std::max(samples, 1);
  std::uint64_t sum = 0;
  for (int i = 0; i < samples; ++i) sum += static_cast<std::uint32_t>(draw()) % (2 * n);
  const std::size_t r = static_cast<std::size_t>(sum / static_cast<std::uint64_t>(samples));
  return ranked[r < n ? n - r - 1 : r - n].index;
}

void RankRoots(std::vector<ScoredRoot>& ranked, std::int32_t& best, std::size_t& bestIndex) {
  if (ranked.empty()) return;
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const ScoredRoot& a, const ScoredRoot& b) { return a.value > b.value; });
  best = ranked.front().value;
  bestIndex = ranked.front().index;
}
