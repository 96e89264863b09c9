// The duel computer's search: the pruned search against a plain negamax
// written here from the rules core alone, on random small positions; kills
// and extra turns.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "players/YArtifact.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/DuelSearch.h"
#include "tiles/MoveEffects.h"
#include "tiles/PairRules.h"

namespace {

using duel_score::kWin;

const YArtifact kSkipper{
    .id = {}, .name = {}, .descr = {}, .health = -3, .skip = 2, .elements = {1, 0, 2, 0}};

// Six to twelve free tiles of kinds with plain pairs, wells, an extra turn
// (fire 8), a shuffle (air 6) and 0x063A; random values, flags, artifacts.
DuelState RandomPosition(std::mt19937& rng) {
  static const std::uint32_t kPool[] = {0x01, 0x11, 0x02, 0x32, 0x03, 0x06, 0x3A, 0x18, 0x14};
  const auto below = [&rng](std::size_t n) { return static_cast<int>(rng() % n); };
  std::vector<std::uint32_t> ids(static_cast<std::size_t>(6 + below(7)));
  for (std::uint32_t& id : ids) id = kPool[below(std::size(kPool))];
  DuelState s = tiles_test::SpreadState(ids);
  for (DuelSide& side : s.sides) {
    side = tiles_test::Side(below(12), 16);
    side.health = 4 + below(20);
    for (std::uint32_t key : {0x063Au, 0x0315u, 0x1436u}) side.spells.push_back(tiles_test::Spell(key));
    side.artifact = below(2) == 0 ? &kSkipper : nullptr;
  }
  s.flags = rng() & (DuelFlag::kReflect | DuelFlag::kShield | DuelFlag::kBurning | DuelFlag::kFrozen);
  s.shuffleSeed = below(32768);
  s.random.Seed(rng());
  return s;
}

DuelSearchResult Searched(DuelState& s, int depth, int candidates) {
  std::vector<int> scratch;
  std::vector<DuelPair> pairs;
  FindPairs(s, scratch, pairs);
  return DuelSearch(s, {s.sideToMove, depth, candidates, 1000}, [] { return 0u; }).Run(pairs);
}

// A plain negamax of the duel written apart from DuelSearch: no window, no
// time cut, no move taken back; every node plays on a copy of its position.
// Material is 20 x health plus the four element values.
class PlainNegamax {
 public:
  explicit PlainNegamax(int own) : own_(own) {}

  // Every root pair's value, in root order.
  std::vector<std::int32_t> RootValues(const DuelState& root, int depth) {
    std::vector<std::int32_t> values;
    for (const DuelPair& pair : Pairs(root)) values.push_back(Play(root, pair, own_, depth));
    return values;
  }
  std::uint64_t nodes = 0;

 private:
  static std::vector<DuelPair> Pairs(const DuelState& s) {
    std::vector<int> scratch;
    std::vector<DuelPair> pairs;
    FindPairs(s, scratch, pairs);
    return pairs;
  }
  static std::int64_t Material(const DuelSide& s) {
    return 20 * std::int64_t{s.health} + s.mana[0] + s.mana[1] + s.mana[2] + s.mana[3];
  }
  static std::int32_t Value(const DuelState& s, int side) {
    return static_cast<std::int32_t>(Material(s.sides[side & 1]) - Material(s.sides[(side + 1) & 1]));
  }
  std::int32_t Play(const DuelState& from, const DuelPair& pair, int side, int depth) {
    DuelState next = from;
    next.sideToMove = side;
    next.PlayPair(pair.a, pair.b, YTile::kSetAside);
    if ((next.flags & DuelFlag::kExtraTurn) == 0) return -Search(next, side ^ 1, depth - 1);
    next.flags = 0;
    return Search(next, side, depth - 1);
  }
  std::int32_t Search(DuelState s, int side, int depth) {
    ++nodes;
    const std::int32_t won = kWin + depth;
    if (s.sides[own_ & 1].health <= 0) return side == own_ ? -won : won;
    if (s.sides[(own_ + 1) & 1].health <= 0) return side == own_ ? won : -won;
    s.sideToMove = side;
    if (depth == 0) return Value(s, side);
    if ((s.flags & DuelFlag::kShuffle) != 0) {
      const DuelSide& mover = s.sides[side & 1];
      return (mover.maxHealth / 4 - mover.health + mover.maxHealth) * depth + Value(s, side);
    }
    ApplyTurnUpkeep(s);
    const std::vector<DuelPair> pairs = Pairs(s);
    if (pairs.empty()) return -Search(s, side ^ 1, depth - 1);
    std::int32_t best = -duel_score::kBound;
    for (const DuelPair& pair : pairs) best = std::max(best, Play(s, pair, side, depth));
    return best;
  }

  int own_;
};

TEST(DuelSearchTest, PrunedSearchAgreesWithPlainNegamaxAndLeavesThePositionAsFound) {
  std::mt19937 rng(2024);
  std::uint64_t prunedNodes = 0, plainNodes = 0;
  for (int n = 0; n < 2000; ++n) {
    DuelState position = RandomPosition(rng);
    position.sideToMove = n & 1;
    DuelState pruned = position;
    const int depth = 1 + n % 5, candidates = n % 3 == 0 ? 3 : 1;
    const DuelSearchResult a = Searched(pruned, depth, candidates);
    PlainNegamax plain(position.sideToMove);
    const std::vector<std::int32_t> values = plain.RootValues(position, depth);
    const auto best = std::max_element(values.begin(), values.end());  // the first of equals
    if (best != values.end()) {
      ASSERT_EQ(std::make_pair(a.best, a.bestIndex),
                std::make_pair(*best, static_cast<std::size_t>(best - values.begin())))
          << "position " << n;
    }
    std::vector<ScoredRoot> ranked;
    for (std::size_t i = 0; candidates > 1 && i < values.size(); ++i) ranked.push_back({i, values[i]});
    std::stable_sort(ranked.begin(), ranked.end(), [](auto& x, auto& y) { return x.value > y.value; });
    ASSERT_EQ(a.ranked, ranked) << "position " << n;
    ASSERT_EQ(pruned.Hash(), position.Hash()) << "position " << n;
    prunedNodes += a.nodes;
    plainNodes += plain.nodes;
  }
  EXPECT_LT(prunedNodes, plainNodes / 2);
}

TEST(DuelSearchTest, KillsAreFoundAndExtraTurnsAreSearchedForTheSameSide) {
  // Side 0 with 20 air and 4 of the rest against 5 health and 20 of each element.
  const auto duel = [](const std::vector<std::uint32_t>& ids) {
    DuelState s = tiles_test::SpreadState(ids);
    s.sides = {tiles_test::Side(4, 40), tiles_test::Side(20, 40)};
    s.sides[0].mana[DuelKind::kAir] = 20;
    s.sides[1].health = 5;
    return s;
  };
  // The killing air pair is listed after the reflecting water pair.
  DuelState kill = duel({0x3A, 0x3A, 0x03, 0x03});
  const DuelSearchResult found = Searched(kill, 3, 1);
  EXPECT_EQ(std::make_pair(found.bestIndex, found.best), std::make_pair(std::size_t{1}, kWin + 2));
  // Fire 8 halves the other's fire to above the mover's: another turn, in
  // which the air pair kills; without negation that line is a win too.
  DuelState extra = duel({0x18, 0x18, 0x03, 0x03});
  EXPECT_EQ(Searched(extra, 2, 2).ranked, (std::vector<ScoredRoot>{{1, kWin + 1}, {0, kWin}}));
}

}  // namespace
