// The computer playing one side of the board. When its side is to move it
// copies the board (on the main thread), searches the copy on a worker
// thread (BoardSearch), picks one of the best root moves with a bias towards
// the best, and publishes the move as cells: from-cell, target and kind. The
// main thread then finds the unit on the real board and makes the move
// there, which the board checks like any other. An aggression factor grows
// with every move that is not an attack and falls back after one, so the
// longer the computer has not attacked the keener it gets.
//
// Threads: Think and the destructor run on the main thread; the worker only
// touches its own copy and publishes under the commander's lock. Ranked root
// moves are shared with up to three more threads, each on a copy of the
// worker's copy. Deleting the commander stops and joins a worker that is
// still searching, and with it those threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "board/BoardSearch.h"
#include "board/YTessorPlayerCommander.h"

class YTessorBoard;

class YTessorPlayerComputer final : public YTessorPlayerCommander {
 public:
  // Draws for the candidate pick, 0..32767; called on the worker thread.
  using PickRandom = std::function<int()>;

  // The parameters of a difficulty row: base aggression, its growth per
  // quiet move, search depth (plies), how many of the best root moves the
  // pick draws from, how many draws it averages (at least 1), and the time
  // after which plies three or more below the root are cut.
  YTessorPlayerComputer(std::int32_t side, float aggression, float aggressionGrowth, std::int32_t depth,
                        std::int32_t candidates, std::int32_t samples, std::int32_t timeLimitMs);
  ~YTessorPlayerComputer() override;

  std::int32_t Kind() const override { return commander_kind::kComputer; }
  // While this side is to move: starts a search, or makes the move a
  // finished search published. A side that has units but no move passes
  // the turn.
  void Think() override;

  // Replaces the pick's draws (tests); by default each decision seeds its
  // own generator from the tick count. Call while no search runs.
  void SetPickRandom(PickRandom draw) { pickRandom_ = std::move(draw); }
  // Replaces the search's clock (tests). Call while no search runs.
  void SetClock(BoardSearch::Clock clock) { clock_ = std::move(clock); }

  float Aggression() const { return aggression_; }
  // True from the start of a search until its move has been made.
  bool Searching() const { return worker_.joinable(); }

  // Aggression never grows beyond this, so that a long quiet spell cannot
  // make it infinite.
  static constexpr float kMaxAggression = 1.0e6f;

 private:
  // What the worker publishes: the move as cells, or none.
  struct Decision {
    bool hasMove = false;
    std::int32_t fromX = 0;
    std::int32_t fromY = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t kind = 0;
  };

  void StartSearch(const YTessorBoard& board);
  void Search(YTessorBoard& board, const BoardSearchParams& params);
  std::optional<Decision> TakeDecision();
  void Perform(const Decision& decision);
  void StopWorker();

  const float baseAggression_;
  const float aggressionGrowth_;
  const std::int32_t depth_;
  const std::int32_t candidates_;
  const std::int32_t samples_;
  const std::int32_t timeLimitMs_;
  float aggression_;  // main thread only; the worker gets a copy
  PickRandom pickRandom_;
  BoardSearch::Clock clock_;

  std::mutex lock_;
  std::optional<Decision> decision_;  // guarded by lock_
  std::atomic<bool> stop_{false};
  std::thread worker_;
};
