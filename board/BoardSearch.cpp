#include "board/BoardSearch.h"

#include <algorithm>

#include "platform/Clock.h"

namespace {

using search_score::kNoMove;
using search_score::kWin;

// Deeper searches would let won scores (kWin + depth left) reach the
// no-move score's size, where the window could cut what a plain search keeps.
constexpr int kMaxDepth = 19;
// The time cut acts only this many plies below the root.
constexpr int kTimeCutPly = 3;

bool KindFirst(const YTessorMove& a, const YTessorMove& b) {
  return a.kind > b.kind;
}

}  // namespace

BoardSearch::BoardSearch(YTessorBoard& board, const BoardSearchParams& params, Clock clock,
                         const std::atomic<bool>* stop)
    : board_(board), params_(params), clock_(std::move(clock)), stop_(stop) {
  params_.ownSide &= 1;
  params_.depth = std::clamp(params_.depth, 1, kMaxDepth);
  rule_ = FightRule{params_.ownSide, params_.aggression};
  if (!clock_) clock_ = [] { return platform::SystemTimeMs(); };
  moveLists_.resize(static_cast<std::size_t>(params_.depth) + 1);
}

BoardSearchResult BoardSearch::Run() {
  BoardSearchResult result;
  start_ = clock_();
  nodes_ = 0;
  const int own = params_.ownSide;
  const int other = (own + 1) % 2;
  const std::int32_t sideBefore = board_.sideToMove;
  board_.sideToMove = own;
  board_.GenerateMoves(own, result.moves);
  std::stable_sort(result.moves.begin(), result.moves.end(), KindFirst);
  const bool rank = params_.candidates > 1;
  for (std::size_t i = 0; i < result.moves.size(); ++i) {
    board_.ApplyMove(result.moves[i], rule_);
    // Ranking values every root move exactly: its window stays full.
    const std::int32_t v = -Negamax(other, params_.depth - 1, kNoMove, -result.best);
    board_.PopUndo();
    if (Stopping()) break;
    if (rank) {
      result.ranked.push_back({i, v});
    } else if (v > result.best) {
      result.best = v;
      result.bestIndex = i;
    }
  }
  board_.sideToMove = sideBefore;
  result.nodes = nodes_;
  result.stopped = Stopping();
  if (rank) RankRoots(result.ranked, result.best, result.bestIndex);
  return result;
}

std::int32_t BoardSearch::Negamax(int side, int depth, std::int32_t alpha, std::int32_t beta) {
  ++nodes_;
  if (Stopping()) return 0;
  if (const std::int32_t score = Terminal(side, depth); score != 0) return score;
  board_.sideToMove = side;
  if (depth <= 0 || TimeIsUp(depth)) return Evaluation(side);
  std::vector<YTessorMove>& moves = MovesAt(depth);
  moves.clear();
  board_.GenerateMoves(side, moves);
  std::int32_t best = kNoMove;
  for (const YTessorMove& move : moves) {
    board_.ApplyMove(move, rule_);
    const std::int32_t v = -Negamax((side + 1) % 2, depth - 1, -beta, -alpha);
    board_.PopUndo();
    if (Stopping()) return 0;
    best = std::max(best, v);
    if (!params_.prune) continue;
    alpha = std::max(alpha, best);
    if (alpha >= beta) return alpha;
  }
  return best;
}

// A side without units has lost: scored by the depth still left, so that
// sooner ends count more. 0 while both sides have units.
std::int32_t BoardSearch::Terminal(int side, int depth) const {
  const int own = params_.ownSide;
  const std::int32_t won = kWin + depth;
  if (board_.Units(own).empty()) return side == own ? -won : won;
  if (board_.Units((own + 1) % 2).empty()) return side == own ? won : -won;
  return 0;
}

bool BoardSearch::TimeIsUp(int depth) const {
  if (params_.depth - depth < kTimeCutPly) return false;
  return clock_() - start_ > params_.timeLimitMs;
}

std::int32_t BoardSearch::Evaluation(int side) const {
  const std::int64_t difference =
      static_cast<std::int64_t>(board_.Evaluate(side)) - board_.Evaluate((side + 1) % 2);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(difference, -(kWin - 1), kWin - 1));
}

std::vector<YTessorMove>& BoardSearch::MovesAt(int depth) {
  return moveLists_[static_cast<std::size_t>(depth)];
}

