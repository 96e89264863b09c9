#include "board/YTessorPlayerComputer.h"

#include <algorithm>

#include "board/BoardRandom.h"
#include "board/YTessor.h"
#include "framework/Log.h"
#include "platform/Clock.h"
#include "players/CandidatePick.h"

namespace {

// Ranked root moves are valued on up to this many threads: enough for the
// deep rows to answer in time, while the game keeps its frame rate and the
// rest of the machine stays free.
constexpr unsigned kMaxSearchWorkers = 4;

int SearchWorkers() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMaxSearchWorkers));
}

}  // namespace

YTessorPlayerComputer::YTessorPlayerComputer(std::int32_t side_, float aggression, float aggressionGrowth,
                                             std::int32_t depth, std::int32_t candidates,
                                             std::int32_t samples, std::int32_t timeLimitMs)
    : YTessorPlayerCommander(side_),
      baseAggression_(aggression),
      aggressionGrowth_(aggressionGrowth),
      depth_(depth),
      candidates_(candidates),
      samples_(std::max(samples, 1)),
      timeLimitMs_(std::max(timeLimitMs, 0)),
      aggression_(aggression) {}

YTessorPlayerComputer::~YTessorPlayerComputer() {
  StopWorker();
}

void YTessorPlayerComputer::Think() {
  YTessor* tessor = Board();
  // Before the game has begun (a network game waiting for the peer's start)
  // the computer waits as a user would: a move then would be a turn the
  // peer never sees.
  if (tessor == nullptr || !tessor->gameRunning || tessor->Board().Units(side).empty()) return;
  if (std::optional<Decision> decision = TakeDecision()) {
    worker_.join();
    Perform(*decision);
    return;
  }
  if (!worker_.joinable()) StartSearch(tessor->Board());
}

// The copy is made here, on the main thread, while the board is idle; from
// then on the worker owns it.
void YTessorPlayerComputer::StartSearch(const YTessorBoard& board) {
  auto copy = std::make_unique<YTessorBoard>(board);
  BoardSearchParams params;
  params.ownSide = side & 1;
  params.depth = depth_;
  params.candidates = candidates_;
  params.aggression = aggression_;
  params.timeLimitMs = static_cast<std::uint32_t>(timeLimitMs_);
  params.workers = SearchWorkers();
  stop_.store(false);
  worker_ = std::thread([this, copy = std::move(copy), params] { Search(*copy, params); });
}

void YTessorPlayerComputer::Search(YTessorBoard& board, const BoardSearchParams& params) {
  BoardSearchResult result = BoardSearch(board, params, clock_, &stop_).Run();
  if (result.stopped) return;
  Decision decision;
  if (!result.moves.empty()) {
    std::size_t index = result.bestIndex;
    if (candidates_ > 1) {
      BoardRandom seeded(platform::TickCount());
      const PickRandom draw = pickRandom_ ? pickRandom_ : PickRandom([&seeded] { return seeded.Next(); });
      index = PickCandidate(result.ranked, candidates_, samples_, draw);
    }
    // After the search the unit stands on its own cell again.
    const YTessorMove& move = result.moves[index];
    decision = {true, move.unit->x, move.unit->y, move.x, move.y, move.kind};
  }
  std::lock_guard<std::mutex> hold(lock_);
  decision_ = decision;
}

std::optional<YTessorPlayerComputer::Decision> YTessorPlayerComputer::TakeDecision() {
  std::lock_guard<std::mutex> hold(lock_);
  std::optional<Decision> taken = decision_;
  decision_.reset();
  return taken;
}

// The move is found and checked on the real board; one it refuses (which
// would mean the copy went astray) is logged, and the turn passes as it does
// when the side has no move at all.
void YTessorPlayerComputer::Perform(const Decision& decision) {
  YTessor& tessor = *Board();
  if (decision.hasMove) {
    YTessorUnit* unit = IsOnBoard(decision.fromX, decision.fromY)
                            ? tessor.Board().Cell(decision.fromX, decision.fromY).occupant
                            : nullptr;
    if (unit != nullptr && unit->side == side &&
        tessor.MoveUnit(unit, decision.x, decision.y, decision.kind)) {
      aggression_ = decision.kind == move_kind::kAttack
                        ? baseAggression_
                        : std::min(aggression_ * aggressionGrowth_, kMaxAggression);
      return;
    }
    Log::Printf("Computer move refused: (%d, %d) to (%d, %d), kind %d", decision.fromX, decision.fromY,
                decision.x, decision.y, decision.kind);
  }
  tessor.EndMove();
}

void YTessorPlayerComputer::StopWorker() {
  stop_.store(true);
  if (worker_.joinable()) worker_.join();
}
