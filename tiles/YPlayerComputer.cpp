#include "tiles/YPlayerComputer.h"

#include <algorithm>
#include <memory>

#include "framework/Log.h"
#include "players/CandidatePick.h"
#include "platform/Clock.h"
#include "tiles/DuelRandom.h"
#include "tiles/YTileset.h"

YPlayerComputer::YPlayerComputer(std::int32_t side_, std::int32_t depth, std::int32_t candidates,
                                 std::int32_t samples, std::int32_t timeLimitMs)
    : YPlayerCommander(side_),
      depth_(depth),
      candidates_(candidates),
      samples_(std::max(samples, 1)),
      timeLimitMs_(std::max(timeLimitMs, 0)) {}

YPlayerComputer::~YPlayerComputer() {
  StopWorker();
}

std::int32_t YPlayerComputer::Kind() const {
  return kComputer;
}

void YPlayerComputer::Update() {
  YTileset* battle = Battle();
  if (battle == nullptr) return;
  if (std::optional<DuelPair> decision = TakeDecision()) {
    worker_.join();
    Perform(*decision);
    return;
  }
  if (!worker_.joinable() && !battle->Pairs().empty()) StartSearch(*battle);
}

// The copy is made here, on the main thread, while the battle waits for
// this side; from then on the worker owns it.
void YPlayerComputer::StartSearch(const YTileset& battle) {
  auto job = std::make_unique<Job>(Job{battle.State().SearchCopy(), battle.Pairs()});
  DuelSearchParams params;
  params.ownSide = side & 1;
  params.depth = depth_;
  params.candidates = candidates_;
  params.timeLimitMs = static_cast<std::uint32_t>(timeLimitMs_);
  stop_.store(false);
  worker_ = std::thread([this, job = std::move(job), params] { Think(*job, params); });
}

void YPlayerComputer::Think(Job& job, const DuelSearchParams& params) {
  const DuelSearchResult result = DuelSearch(job.state, params, clock_, &stop_).Run(job.pairs);
  if (result.stopped || job.pairs.empty()) return;
  std::size_t index = result.bestIndex;
  if (candidates_ > 1 && !result.ranked.empty()) {
    DuelRandom seeded(platform::TickCount());
    const PickRandom draw = pickRandom_ ? pickRandom_ : PickRandom([&seeded] { return seeded.Next(); });
    index = PickCandidate(result.ranked, candidates_, samples_, draw);
  }
  std::lock_guard<std::mutex> hold(lock_);
  decision_ = job.pairs[index];
}

std::optional<DuelPair> YPlayerComputer::TakeDecision() {
  std::lock_guard<std::mutex> hold(lock_);
  std::optional<DuelPair> taken = decision_;
  decision_.reset();
  return taken;
}

// The pair is checked on the real battle. One it refuses (which would mean
// the copy went astray) is logged and the battle's best pair is taken
// instead, so that the duel goes on.
void YPlayerComputer::Perform(const DuelPair& pair) {
  YTileset& battle = *Battle();
  if (battle.IsLegalMove(pair.a, pair.b)) {
    battle.DoMove(pair.a, pair.b);
    return;
  }
  Log::Printf("Computer duel move refused: tiles %d and %d", pair.a, pair.b);
  if (!battle.Pairs().empty()) battle.DoMove(battle.Pairs().front().a, battle.Pairs().front().b);
}

void YPlayerComputer::StopWorker() {
  stop_.store(true);
  if (worker_.joinable()) worker_.join();
}
