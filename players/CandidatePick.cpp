#include "players/CandidatePick.h"

#include <algorithm>
#include <cstdint>

std::size_t PickCandidateRank(std::size_t rankedCount, int candidates, int samples,
                              const std::function<int()>& draw) {
  const std::size_t n =
      std::max<std::size_t>(1, std::min(static_cast<std::size_t>(std::max(candidates, 0)), rankedCount));
  if (n < 2) return 0;
  samples = std::max(samples, 1);
  std::uint64_t sum = 0;
  for (int i = 0; i < samples; ++i) sum += static_cast<std::uint32_t>(draw()) % (2 * n);
  const std::size_t r = static_cast<std::size_t>(sum / static_cast<std::uint64_t>(samples));
  return r < n ? n - r - 1 : r - n;
}
