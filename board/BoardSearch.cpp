#include "board/BoardSearch.h"

#include <algorithm>
#include <thread>

#include "board/BoardValues.h"
#include "platform/Clock.h"
#include "players/PlayerRules.h"
#include "players/YPlayer.h"

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
  params_.workers = std::max(params_.workers, 1);
  rule_ = FightRule{params_.ownSide, params_.aggression};
  if (!clock_) clock_ = [] { return platform::SystemTimeMs(); };
  moveLists_.resize(static_cast<std::size_t>(params_.depth) + 1);
  killers_.resize(moveLists_.size());
}

BoardSearchResult BoardSearch::Run() {
  BoardSearchResult result;
  start_ = clock_();
  nodes_ = 0;
  const std::int32_t sideBefore = board_.sideToMove;
  board_.sideToMove = params_.ownSide;
  board_.GenerateMoves(params_.ownSide, result.moves);
  std::stable_sort(result.moves.begin(), result.moves.end(), KindFirst);
  if (params_.candidates > 1) {
    RankEveryRoot(result);
  } else {
    FindBestRoot(result);
  }
  board_.sideToMove = sideBefore;
  result.nodes = nodes_;
  result.stopped = Stopping();
  return result;
}

// Each root move's window is capped by the best value so far: a move that
// is not better is cut as soon as that is certain.
void BoardSearch::FindBestRoot(BoardSearchResult& result) {
  for (std::size_t i = 0; i < result.moves.size(); ++i) {
    const std::int32_t v = RootValue(result.moves[i], -result.best);
    if (Stopping()) return;
    if (v > result.best) {
      result.best = v;
      result.bestIndex = i;
    }
  }
}

// Ranking values every root move exactly, each with the full window, so
// the moves are independent: they are shared out among the workers as each
// comes free, every worker searching a copy of its own. A move's value does
// not depend on which worker found it.
void BoardSearch::RankEveryRoot(BoardSearchResult& result) {
  std::vector<std::int32_t> values(result.moves.size());
  std::atomic<std::size_t> next{0};
  std::vector<Helper> helpers = MakeHelpers(result.moves);
  {
    std::vector<std::jthread> threads;
    for (Helper& helper : helpers) {
      threads.emplace_back([&helper, &next, &values] { helper.search->ValueRoots(helper.moves, next, values); });
    }
    ValueRoots(result.moves, next, values);
  }
  for (const Helper& helper : helpers) nodes_ += helper.search->nodes_;
  if (Stopping()) return;
  for (std::size_t i = 0; i < values.size(); ++i) result.ranked.push_back({i, values[i]});
  RankRoots(result.ranked, result.best, result.bestIndex);
}

// The helpers' copies and their root moves (the same moves, of the copies'
// units) are made here, before any worker starts and while nothing changes
// the board.
std::vector<BoardSearch::Helper> BoardSearch::MakeHelpers(const std::vector<YTessorMove>& moves) const {
  const std::size_t count = std::min(static_cast<std::size_t>(params_.workers), moves.size());
  std::vector<Helper> helpers(count > 1 ? count - 1 : 0);
  for (Helper& helper : helpers) {
    helper.board = std::make_unique<YTessorBoard>(board_);
    helper.search = std::make_unique<BoardSearch>(*helper.board, params_, clock_, stop_);
    helper.search->start_ = start_;
    for (YTessorMove move : moves) {
      move.unit = helper.board->Cell(move.unit->x, move.unit->y).occupant;
      helper.moves.push_back(move);
    }
  }
  return helpers;
}

// Values the root moves whose numbers `next` hands out, until none is left.
void BoardSearch::ValueRoots(const std::vector<YTessorMove>& moves, std::atomic<std::size_t>& next,
                             std::vector<std::int32_t>& values) {
  for (std::size_t i = next++; i < moves.size() && !Stopping(); i = next++) {
    values[i] = RootValue(moves[i], -kNoMove);
  }
}

// The value of a root move for this side, searched with the window
// (kNoMove, ceiling).
std::int32_t BoardSearch::RootValue(const YTessorMove& move, std::int32_t ceiling) {
  board_.ApplyMove(move, rule_);
  const std::int32_t v = -Negamax((params_.ownSide + 1) % 2, params_.depth - 1, kNoMove, ceiling);
  board_.PopUndo();
  return v;
}

std::int32_t BoardSearch::Negamax(int side, int depth, std::int32_t alpha, std::int32_t beta) {
  ++nodes_;
  if (Stopping()) return 0;
  if (const std::int32_t score = Terminal(side, depth); score != 0) return score;
  board_.sideToMove = side;
  if (depth <= 0 || TimeIsUp(depth)) return Evaluation(side);
  Node node{side, depth, alpha, beta, alpha, kNoMove, std::nullopt};
  // The killers are tried before the side's moves are generated at all: one
  // of them often closes the window, and then the generation is saved.
  Killers tried = killers_[static_cast<std::size_t>(depth)];
  for (YTessorMove& killer : tried) {
    if (!IsMoveHere(killer, side)) {
      killer = YTessorMove{};
      continue;
    }
    if (Try(node, killer)) return node.alpha;
    if (Stopping()) return 0;
  }
  std::vector<YTessorMove>& moves = MovesAt(depth);
  moves.clear();
  board_.GenerateMoves(side, moves);
  // Fights and specials change values most, so they close windows soonest.
  std::partition(moves.begin(), moves.end(), [](const YTessorMove& m) { return m.kind != move_kind::kMove; });
  for (const YTessorMove& move : moves) {
    if (move == tried[0] || move == tried[1]) continue;
    if (Try(node, move)) return node.alpha;
    if (Stopping()) return 0;
  }
  return node.best;
}

// The order in which a node's moves are searched changes nothing in its
// value, only how soon its window closes.
bool BoardSearch::Try(Node& node, const YTessorMove& move) {
  std::int32_t v = 0;
  if (IsQuietStepToLeaf(node, move)) {
    v = QuietLeafValue(node, move);
  } else {
    board_.ApplyMove(move, rule_);
    v = -Negamax((node.side + 1) % 2, node.depth - 1, -node.beta, -node.alpha);
    board_.PopUndo();
  }
  if (v > node.best) {
    node.best = v;
    if (v > node.floor) Remember(move, node.depth);
  }
  if (!params_.prune) return false;
  node.alpha = std::max(node.alpha, node.best);
  return node.alpha >= node.beta;
}

// A step onto a free cell by a unit without a special, after which the
// position is valued at once (no depth left, or the time cut). Such a step
// changes nothing but the unit's cell, and the turn's regeneration then
// treats every other unit as after any other such step: the value of the
// position after it needs only the stepping unit's value on its new cell.
bool BoardSearch::IsQuietStepToLeaf(const Node& node, const YTessorMove& move) const {
  if (move.kind != move_kind::kMove || move.unit->special) return false;
  return node.depth == 1 || TimeIsUp(node.depth - 1);
}

// Exactly what applying the step, valuing the position for the other side
// and undoing it gives.
std::int32_t BoardSearch::QuietLeafValue(Node& node, const YTessorMove& move) {
  ++nodes_;
  if (!node.afterTurn) node.afterTurn = AfterTurnSums(node.side);
  const AfterTurn& after = *node.afterTurn;
  YTessorUnit& unit = *move.unit;
  const std::int64_t own = after.sums[static_cast<std::size_t>(node.side)] -
                           ValueOn(unit, unit.x, unit.y, after.clockRow) +
                           ValueOn(unit, move.x, move.y, after.clockRow);
  const std::int64_t other = after.sums[static_cast<std::size_t>((node.side + 1) % 2)];
  return -Difference(SaturatedInt32(other), SaturatedInt32(own));
}

// The value sums of both sides once the turn has passed with no unit
// moved, and the clock row of that turn.
BoardSearch::AfterTurn BoardSearch::AfterTurnSums(int side) {
  board_.sideToMove = side;
  board_.PushUndo(nullptr);
  board_.AdvanceTurn();
  const AfterTurn after{{board_.ValueSum(0), board_.ValueSum(1)}, ElementRowAtClock(board_.clock)};
  board_.PopUndo();
  return after;
}

// The unit's value with the maxima it would have on (x, y) after the turn;
// its other values do not change in the turn of the side that moved.
std::int32_t BoardSearch::ValueOn(YTessorUnit& unit, int x, int y, const ElementRow& clockRow) {
  YPlayer& record = *unit.record;
  const std::array<std::int32_t, 6> maxima = record.maxValues;
  board_.SetMaxima(unit, x, y, clockRow);
  const std::int32_t value = UnitValueSum(record);
  record.maxValues = maxima;
  return value;
}

// A move that raised a node's value is often the best again in the next
// node of the same depth: most moves of the side before leave it as good.
void BoardSearch::Remember(const YTessorMove& move, int depth) {
  Killers& killers = killers_[static_cast<std::size_t>(depth)];
  if (killers[0] == move) return;
  killers[1] = killers[0];
  killers[0] = move;
}

// Whether a remembered move is one the side has here. Its unit is looked
// for in the side's list before it is touched: it may be gone.
bool BoardSearch::IsMoveHere(const YTessorMove& move, int side) {
  const std::vector<YTessorUnit*>& units = board_.Units(side);
  if (move.unit == nullptr || std::find(units.begin(), units.end(), move.unit) == units.end()) return false;
  if (!IsOnBoard(move.unit->x, move.unit->y)) return false;
  unitMoves_.clear();
  if (move.kind != move_kind::kSpecial) {
    board_.FindMoves(move.unit, &unitMoves_);
  } else if (move.unit->special) {
    move.unit->special->GenerateMoves(board_, unitMoves_);
  }
  return std::find(unitMoves_.begin(), unitMoves_.end(), move) != unitMoves_.end();
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
  return Difference(board_.Evaluate(side), board_.Evaluate((side + 1) % 2));
}

// A side's sum less the other's, held below the won score.
std::int32_t BoardSearch::Difference(std::int32_t mine, std::int32_t theirs) {
  const std::int64_t difference = static_cast<std::int64_t>(mine) - theirs;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(difference, -(kWin - 1), kWin - 1));
}

std::vector<YTessorMove>& BoardSearch::MovesAt(int depth) {
  return moveLists_[static_cast<std::size_t>(depth)];
}

