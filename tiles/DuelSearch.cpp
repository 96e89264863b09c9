#include "tiles/DuelSearch.h"

#include <algorithm>

#include "platform/Clock.h"
#include "tiles/MoveEffects.h"
#include "tiles/PairRules.h"

namespace {

using duel_score::kBound;
using duel_score::kWin;

// Deeper searches would let won scores (kWin + depth left) reach the bound,
// where the window could cut what a plain search keeps.
constexpr int kMaxDepth = 19;
// The time cut acts only this many plies below the root.
constexpr int kTimeCutPly = 3;
// Health weighs this much more than a unit of an element.
constexpr std::int64_t kHealthWeight = 20;

}  // namespace

DuelSearch::DuelSearch(DuelState& state, const DuelSearchParams& params, Clock clock,
                       const std::atomic<bool>* stop)
    : state_(state), params_(params), clock_(std::move(clock)), stop_(stop) {
  params_.ownSide &= 1;
  params_.depth = std::clamp(params_.depth, 1, kMaxDepth);
  if (!clock_) clock_ = [] { return platform::SystemTimeMs(); };
  pairLists_.resize(static_cast<std::size_t>(params_.depth) + 1);
}

DuelSearchResult DuelSearch::Run(const std::vector<DuelPair>& pairs) {
  DuelSearchResult result;
  // A pair played while a shuffle is due could not be taken back.
  if ((state_.flags & DuelFlag::kShuffle) != 0) return result;
  start_ = clock_();
  nodes_ = 0;
  const std::int32_t sideBefore = state_.sideToMove;
  const bool rank = params_.candidates > 1;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    state_.sideToMove = params_.ownSide;
    // Ranking values every root pair exactly: its window stays full.
    const std::int32_t floor = rank ? -kBound : result.best;
    const std::int32_t v = PlayAndSearch(pairs[i], params_.ownSide, params_.depth, floor, kBound);
    if (Stopping()) break;
    if (rank) {
      result.ranked.push_back({i, v});
    } else if (v > result.best) {
      result.best = v;
      result.bestIndex = i;
    }
  }
  state_.sideToMove = sideBefore;
  result.nodes = nodes_;
  result.stopped = Stopping();
  if (rank) RankRoots(result.ranked, result.best, result.bestIndex);
  return result;
}

// Plays the pair for `side` (to move), searches on, takes the pair back.
std::int32_t DuelSearch::PlayAndSearch(const DuelPair& pair, int side, int depth, std::int32_t alpha,
                                       std::int32_t beta) {
  state_.PlayPair(pair.a, pair.b, YTile::kSetAside);
  std::int32_t v = 0;
  if ((state_.flags & DuelFlag::kExtraTurn) != 0) {
    state_.flags = 0;
    v = Search(side, depth - 1, alpha, beta);
  } else {
    v = -Search(side ^ 1, depth - 1, -beta, -alpha);
  }
  state_.Undo();
  return v;
}

std::int32_t DuelSearch::Search(int side, int depth, std::int32_t alpha, std::int32_t beta) {
  ++nodes_;
  if (Stopping()) return 0;
  if (const std::int32_t score = Terminal(side, depth); score != 0) return score;
  state_.sideToMove = side;
  if (depth <= 0 || TimeIsUp(depth)) return Evaluation(side, 0);
  if ((state_.flags & DuelFlag::kShuffle) != 0) return ShuffleValue(side, depth);
  // The upkeep is taken back with the move that led here.
  ApplyTurnUpkeep(state_);
  std::vector<DuelPair>& pairs = pairLists_[static_cast<std::size_t>(depth)];
  FindPairs(state_, freeTiles_, pairs);
  if (pairs.empty()) return -Search(side ^ 1, depth - 1, -beta, -alpha);
  std::int32_t best = -kBound;
  for (const DuelPair& pair : pairs) {
    const std::int32_t v = PlayAndSearch(pair, side, depth, alpha, beta);
    if (Stopping()) return 0;
    best = std::max(best, v);
    if (!params_.prune) continue;
    alpha = std::max(alpha, best);
    if (alpha >= beta) return alpha;
  }
  return best;
}

// A side without health has lost, scored by the depth still left so that
// sooner ends count more; 0 while both live.
std::int32_t DuelSearch::Terminal(int side, int depth) const {
  const int own = params_.ownSide;
  const std::int32_t won = kWin + depth;
  if (state_.sides[static_cast<std::size_t>(own)].health <= 0) return side == own ? -won : won;
  if (state_.sides[static_cast<std::size_t>(own ^ 1)].health <= 0) return side == own ? won : -won;
  return 0;
}

bool DuelSearch::TimeIsUp(int depth) const {
  if (params_.depth - depth < kTimeCutPly) return false;
  return clock_() - start_ > params_.timeLimitMs;
}

std::int64_t DuelSearch::Material(int side) const {
  const DuelSide& s = state_.sides[static_cast<std::size_t>(side & 1)];
  std::int64_t sum = kHealthWeight * s.health;
  for (std::int32_t mana : s.mana) sum += mana;
  return sum;
}

std::int32_t DuelSearch::Evaluation(int side, std::int64_t bonus) const {
  const std::int64_t value = bonus + Material(side) - Material(side ^ 1);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -(kWin - 1), kWin - 1));
}

// A shuffle is due: the side to move is valued by how far its health lies
// below a quarter above its maximum, for every ply left, on top of the
// material.
std::int32_t DuelSearch::ShuffleValue(int side, int depth) const {
  const DuelSide& s = state_.sides[static_cast<std::size_t>(side & 1)];
  const std::int64_t max = s.maxHealth;
  return Evaluation(side, (max / 4 - s.health + max) * depth);
}

