// The computer playing one side of a duel. When its side is to move it
// copies the battle state and the available pairs (on the main thread),
// searches the copy on a worker thread (DuelSearch), picks one of the best
// pairs with a bias towards the best, and publishes it. The main thread
// then checks the pair against the real battle and makes the move there.
// Nothing but the copy is ever touched from the worker, so the screen can
// keep drawing and picking the real tiles while the computer thinks.
//
// Threads: Update and the destructor run on the main thread; the worker
// publishes under the commander's lock. Deleting the commander stops and
// joins a worker that is still searching.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "tiles/DuelSearch.h"
#include "tiles/YPlayerCommander.h"

class YTileset;

class YPlayerComputer final : public YPlayerCommander {
 public:
  // Draws for the candidate pick, 0..32767; called on the worker thread.
  using PickRandom = std::function<int()>;

  // The fight parameters of a difficulty row: search depth (plies), how
  // many of the best pairs the pick draws from, how many draws it averages
  // (below 1 counts as 1), and the time after which plies three or more
  // below the root are cut.
  YPlayerComputer(std::int32_t side, std::int32_t depth, std::int32_t candidates, std::int32_t samples,
                  std::int32_t timeLimitMs);
  ~YPlayerComputer() override;

  std::int32_t Kind() const override;
  // While this side is to move: makes the move a finished search published,
  // or starts a search. With no pair to take it does nothing at all.
  void Update() override;

  // Replaces the pick's draws (tests); by default each decision seeds a
  // generator of its own from the tick count, never the battle's. Call
  // while no search runs.
  void SetPickRandom(PickRandom draw) { pickRandom_ = std::move(draw); }
  // Replaces the search's clock (tests). Call while no search runs.
  void SetClock(DuelSearch::Clock clock) { clock_ = std::move(clock); }

  // True from the start of a search until its move has been made.
  bool Searching() const { return worker_.joinable(); }

 private:
  // A search's own position: the copy and the pairs it chooses among.
  struct Job {
    DuelState state;
    std::vector<DuelPair> pairs;
  };

  void StartSearch(const YTileset& battle);
  void Think(Job& job, const DuelSearchParams& params);
  std::optional<DuelPair> TakeDecision();
  void Perform(const DuelPair& pair);
  void StopWorker();

  const std::int32_t depth_;
  const std::int32_t candidates_;
  const std::int32_t samples_;
  const std::int32_t timeLimitMs_;
  PickRandom pickRandom_;
  DuelSearch::Clock clock_;

  std::mutex lock_;
  std::optional<DuelPair> decision_;  // guarded by lock_
  std::atomic<bool> stop_{false};
  std::thread worker_;
};
