#include "tools/duelbalance/HeadlessDuel.h"

#include <algorithm>
#include <cstdlib>

#include "players/CandidatePick.h"
#include "tiles/DuelSearch.h"
#include "tiles/MoveEffects.h"
#include "tiles/PairRules.h"
#include "tiles/TileDeal.h"

namespace {

// The screen's pace, from the battle screen's effects: the game draws at
// most 100 frames a second; a cast pair flies 58 frames to the clash and
// holds there 0.2 s, then its spell's show runs (the shows' effects live
// about 0.75 s) while the counters step one unit a frame; a lost pair is
// shown for one frame before its counters step; a shuffle deal swirls for
// 0.75 + 0.15 r s, a sweep blows for 0.75 s, and a fresh deal flies in for
// about a second.
constexpr double kFramesPerSecond = 100.0;
constexpr double kFlightFrames = 58.0;
constexpr double kHoldSeconds = 0.2;
constexpr double kShowSeconds = 0.75;
constexpr double kShuffleSeconds = 0.9;
constexpr double kSweepSeconds = 0.75;
constexpr double kFreshDealSeconds = 1.0;

// The frames the shown counters need to reach the values after a move.
int CounterFrames(const YPlayerUndo& before, const DuelSide& after) {
  int most = std::abs(after.experience - before.experience);
  most = std::max(
      most, std::abs(std::min(after.health, after.maxHealth) - std::min(before.health, after.maxHealth)));
  for (std::size_t e = 0; e < 4; ++e) {
    const std::int32_t cap = after.maxMana[e];
    most = std::max(most, std::abs(std::min(after.mana[e], cap) - std::min(before.mana[e], cap)));
  }
  return most;
}

}  // namespace

HeadlessDuel::HeadlessDuel(const DuelState& start, const DuelPlayer& side0, const DuelPlayer& side1,
                           std::uint32_t seed)
    : state_(start), players_{side0, side1}, pick_(seed ^ 0x5eedu) {
  state_.shuffleSeed = static_cast<std::int32_t>(seed);
}

DuelTally HeadlessDuel::Play() {
  Deal();
  while (tally_.moves < kMoveCap) {
    if (state_.sides[0].health <= 0 || state_.sides[1].health <= 0) break;
    if ((state_.flags & DuelFlag::kShuffle) != 0) {
      Shuffle();
    } else if ((state_.flags & DuelFlag::kPass) != 0) {
      state_.flags = 0;
      NextTurn();
    } else {
      MoveOfSideToMove();
    }
  }
  const bool dead0 = state_.sides[0].health <= 0;
  const bool dead1 = state_.sides[1].health <= 0;
  tally_.winner = dead0 && !dead1 ? 1 : (dead1 && !dead0 ? 0 : -1);
  return tally_;
}

// As a new battle starts: the first deal, then side 0's upkeep.
void HeadlessDuel::Deal() {
  Shuffle();
  state_.sideToMove = 0;
  ApplyTurnUpkeep(state_);
  FindPairs(state_, freeTiles_, pairs_);
}

void HeadlessDuel::Shuffle() {
  const ShuffleResult result = ShuffleStep(state_, 0);
  ++tally_.shuffles;
  tally_.seconds += result.kind == ShuffleResult::kSwept   ? kSweepSeconds
                    : result.kind == ShuffleResult::kFresh ? kFreshDealSeconds
                                                           : kShuffleSeconds;
  FindPairs(state_, freeTiles_, pairs_);
  passCounter_ = 0;
}

// The battle's turn change: the extra-turn bit keeps the side, the new
// side's upkeep may hand the turn back, then its pairs decide between a
// move, a pass and a shuffle.
void HeadlessDuel::NextTurn() {
  if ((state_.flags & DuelFlag::kExtraTurn) != 0)
    state_.flags &= ~DuelFlag::kExtraTurn;
  else
    state_.sideToMove ^= 1;
  ApplyTurnUpkeep(state_);
  if ((state_.flags & DuelFlag::kExtraTurn) != 0) {
    state_.sideToMove ^= 1;
    state_.flags = 0;
  }
  OpenTurn(state_, freeTiles_, pairs_, passCounter_);
}

void HeadlessDuel::MoveOfSideToMove() {
  if (pairs_.empty()) {
    state_.flags |= DuelFlag::kPass;
    return;
  }
  const DuelPair pair = Decide();
  const YPlayerUndo before[2] = {state_.sides[0], state_.sides[1]};
  const bool cast = state_.PlayPair(pair.a, pair.b, YTile::kRemoved);
  ++tally_.moves;
  if (!cast) ++tally_.lostPairs;
  const int counters =
      std::max(CounterFrames(before[0], state_.sides[0]), CounterFrames(before[1], state_.sides[1]));
  const double countersSeconds = counters / kFramesPerSecond;
  tally_.seconds +=
      cast ? kFlightFrames / kFramesPerSecond + kHoldSeconds + std::max(kShowSeconds, countersSeconds)
           : 1.0 / kFramesPerSecond + countersSeconds;
  if (cast && !state_.undo.empty()) {
    const YTileUndoRecord& record = state_.undo.back();
    const std::int16_t* tiles = state_.RecordTiles(record);
    for (std::uint32_t i = 2; i < record.tileCount; ++i) state_.Tile(tiles[i]).state = YTile::kRemoved;
  }
  if (state_.sides[0].health <= 0 || state_.sides[1].health <= 0) return;
  NextTurn();
}

// The side's decision: a new player's pick, or the duel computer's search
// of a copy, then its pick among the best with the side's own draws.
DuelPair HeadlessDuel::Decide() {
  const DuelPlayer& player = players_[state_.sideToMove & 1];
  if (player.newPlayer) return NewPlayerPick(state_, pairs_, pick_);
  DuelSearchParams params;
  params.ownSide = state_.sideToMove & 1;
  params.depth = player.depth;
  params.candidates = player.candidates;
  DuelState copy = state_.SearchCopy();
  const DuelSearchResult result = DuelSearch(copy, params, [] { return 0u; }).Run(pairs_);
  std::size_t index = result.bestIndex;
  if (player.candidates > 1 && !result.ranked.empty())
    index = PickCandidate(result.ranked, player.candidates, player.samples, [this] { return pick_.Next(); });
  return pairs_[std::min(index, pairs_.size() - 1)];
}

DuelPair NewPlayerPick(const DuelState& state, const std::vector<DuelPair>& pairs, DuelRandom& random) {
  std::vector<std::size_t> affordable;
  for (std::size_t i = 0; i < pairs.size(); ++i)
    if (CanAffordPair(state.Mover(), state.KindOf(pairs[i].a), state.KindOf(pairs[i].b)))
      affordable.push_back(i);
  if (affordable.empty())
    return pairs[static_cast<std::size_t>(random.Below(static_cast<int>(pairs.size())))];
  return pairs[affordable[static_cast<std::size_t>(random.Below(static_cast<int>(affordable.size())))]];
}
