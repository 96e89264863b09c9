// The board computer's look-ahead: a depth-limited negamax with alpha-beta
// pruning and a time cut over a board it owns for the search (a private
// copy), with fights decided by strength. It returns exactly what a plain
// negamax of the same depth returns: every root move it values is valued
// exactly, and the first strictly best move in root order wins. The board
// is left as it was found. Ranked root moves may be valued on several
// threads, each on its own copy of the board; the stop flag, which may be
// set from any thread, stops them all.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "board/YTessorBoard.h"
#include "players/CandidatePick.h"

namespace search_score {
// Worse than any position: the score of a side that has no move.
inline constexpr std::int32_t kNoMove = -16777215;
// A won game scores this plus the depth still left, so sooner wins score
// higher; the evaluation is held below it.
inline constexpr std::int32_t kWin = 16777195;
}  // namespace search_score

struct BoardSearchParams {
  int ownSide = 0;     // the side the computer plays
  int depth = 1;       // plies; at least 1
  int candidates = 1;  // above 1: every root move is valued exactly
  float aggression = 1.0f;
  std::uint32_t timeLimitMs = 0;  // acts only 3 or more plies below the root
  bool prune = true;              // false: the same search without alpha-beta (benchmarks)
  // Threads that value the root moves when every one is ranked (candidates
  // above 1), the caller's among them; each searches its own copy of the
  // board. At least 1.
  int workers = 1;
};

struct BoardSearchResult {
  // The root moves in search order: specials, then attacks, then moves,
  // each kind in the order the board generated them.
  std::vector<YTessorMove> moves;
  // With candidates above 1: every root move with its exact value, best
  // first (equal values in root order). Otherwise empty.
  std::vector<ScoredRoot> ranked;
  std::size_t bestIndex = 0;  // candidates 1: the first strictly best move
  std::int32_t best = search_score::kNoMove;
  std::uint64_t nodes = 0;  // positions visited below the root
  bool stopped = false;     // the stop flag ended the search; nothing is valid
};

class BoardSearch {
 public:
  // A millisecond clock that wraps at 2^32.
  using Clock = std::function<std::uint32_t()>;

  // Searches `board` for the side to move there. `stop` may be null.
  BoardSearch(YTessorBoard& board, const BoardSearchParams& params, Clock clock,
              const std::atomic<bool>* stop = nullptr);

  BoardSearchResult Run();
  // The value of the position for `side` with `depth` plies left.
  std::int32_t Negamax(int side, int depth, std::int32_t alpha, std::int32_t beta);

 private:
  // A worker of the ranking other than the caller: its board, its search
  // and the root moves of its board.
  struct Helper {
    std::unique_ptr<YTessorBoard> board;
    std::unique_ptr<BoardSearch> search;
    std::vector<YTessorMove> moves;
  };
  // Both sides' value sums after a turn in which no unit moved, and that
  // turn's clock row.
  struct AfterTurn {
    std::array<std::int64_t, 2> sums;
    ElementRow clockRow;
  };
  // One node's side, depth left and window while its moves are searched.
  struct Node {
    int side;
    int depth;
    std::int32_t alpha;
    std::int32_t beta;
    std::int32_t floor;  // alpha as the node began
    std::int32_t best;
    std::optional<AfterTurn> afterTurn;  // made when a quiet step first needs it
  };
  using Killers = std::array<YTessorMove, 2>;

  void FindBestRoot(BoardSearchResult& result);
  void RankEveryRoot(BoardSearchResult& result);
  std::vector<Helper> MakeHelpers(const std::vector<YTessorMove>& moves) const;
  void ValueRoots(const std::vector<YTessorMove>& moves, std::atomic<std::size_t>& next,
                  std::vector<std::int32_t>& values);
  std::int32_t RootValue(const YTessorMove& move, std::int32_t ceiling);
  bool Stopping() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }
  bool TimeIsUp(int depth) const;
  std::int32_t Terminal(int side, int depth) const;
  std::int32_t Evaluation(int side) const;
  std::vector<YTessorMove>& MovesAt(int depth);
  bool Try(Node& node, const YTessorMove& move);
  void Remember(const YTessorMove& move, int depth);
  bool IsMoveHere(const YTessorMove& move, int side);
  bool IsQuietStepToLeaf(const Node& node, const YTessorMove& move) const;
  std::int32_t QuietLeafValue(Node& node, const YTessorMove& move);
  AfterTurn AfterTurnSums(int side);
  std::int32_t ValueOn(YTessorUnit& unit, int x, int y, const ElementRow& clockRow);
  static std::int32_t Difference(std::int32_t mine, std::int32_t theirs);

  YTessorBoard& board_;
  BoardSearchParams params_;
  Clock clock_;
  const std::atomic<bool>* stop_;
  FightRule rule_;
  std::uint32_t start_ = 0;
  std::uint64_t nodes_ = 0;
  std::vector<std::vector<YTessorMove>> moveLists_;  // one per depth left, reused
  // Per depth left: the last two moves that raised a node's value above its
  // window's floor, searched first at the next nodes of that depth.
  std::vector<Killers> killers_;
  std::vector<YTessorMove> unitMoves_;  // the moves of one unit, reused
};

