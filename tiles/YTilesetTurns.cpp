// The tile battle's turns: the frame, moves, turn changes, passes,
// shuffles, the end of the battle, the overlays' fades and the music mood.
#include <algorithm>

#include "players/DisplayedCounters.h"
#include "players/TileTables.h"
#include "players/YGameMaster.h"
#include "players/YPlayer.h"
#include "tiles/DuelEvents.h"
#include "tiles/MoveEffects.h"
#include "tiles/PairRules.h"
#include "tiles/TileDeal.h"
#include "tiles/YTileset.h"

namespace {

constexpr float kOverlayFadeSeconds = 0.5f;
constexpr float kHighlightFadeSeconds = 0.25f;
constexpr float kMusicFadeSeconds = 3.0f;
constexpr int kFirstBattleTrack = 4;  // the calm battle track; moods follow it

}  // namespace

void YTileset::Update(float dt) {
  for (std::unique_ptr<YPlayerCommander>& commander : commanders_) {
    if (commander) commander->HandleMessages();
  }
  if (!dealt_) return;
  PullSides();
  if (countdown_ > 0.0f) {
    countdown_ -= dt;
    if (countdown_ <= 0.0f) countdown_ = 0.0f;
  }
  UpdateMusicMood(false);
  if (EndIfDecided()) return;
  messages_.Scroll(dt);
  const bool effectsRunning = events_->StepEffects(dt);
  events_->QueueDrawing(dt);
  if ((state_.flags & DuelFlag::kMoving) == 0) {
    for (YPlayer* fighter : fighters_) {
      if (fighter != nullptr) StepDisplayedCounters(*fighter);
    }
  }
  if (!effectsRunning) StepTurn(dt);
}

void YTileset::QueueStanding() {
  if (dealt_) events_->QueueDrawing(0.0f);
}

bool YTileset::EndIfDecided() {
  if (!IsBattleOver() || state_.flags == DuelFlag::kOver) return false;
  const auto shownDead = [](const YPlayer* f) { return f == nullptr || f->shownHealth <= 0; };
  if (!shownDead(fighters_[0]) && !shownDead(fighters_[1])) return false;
  state_.flags = DuelFlag::kOver;
  DeleteCommanders();
  const bool dead0 = state_.sides[0].health <= 0;
  const bool dead1 = state_.sides[1].health <= 0;
  const std::int32_t result = dead0 && !dead1 ? 1 : (dead1 && !dead0 ? 0 : -1);
  if (gameMode != nullptr) gameMode->OnFightEnd(result);
  return true;
}

void YTileset::StepTurn(float dt) {
  if ((state_.flags & DuelFlag::kMoving) != 0) {
    FinishMove();
    return;
  }
  if (IsBattleOver()) return;
  const auto idle = [](const YPlayer* f) { return f == nullptr || !CountersAnimating(*f); };
  if ((state_.flags & DuelFlag::kShuffle) != 0) {
    StartFades();
    Shuffle(0);
  } else if ((state_.flags & DuelFlag::kPass) != 0) {
    state_.flags = 0;
    StartFades();
    NextTurn();
  } else if (idle(fighters_[0]) && idle(fighters_[1])) {
    if (YPlayerCommander* commander = CommanderToMove()) commander->Update();
  } else if (pairs_.empty()) {
    state_.flags = DuelFlag::kPass;
    messages_.ShowPlayerState(state_, FighterData());
  }
  events_->OnWaitingFor(state_.sideToMove, dt);
}

// The effects of the last move have ended: its show, then the next turn.
void YTileset::FinishMove() {
  if ((state_.flags & DuelFlag::kCast) != 0 && !state_.undo.empty()) {
    const YTileUndoRecord& record = state_.undo.back();
    const std::int16_t* tiles = state_.RecordTiles(record);
    std::vector<int> taken(tiles + 2, tiles + record.tileCount);
    for (int tile : taken) state_.Tile(tile).state = YTile::kRemoved;
    events_->OnCastPair(state_.board, tiles[0], tiles[1], taken);
  }
  state_.flags &= ~(DuelFlag::kMoving | DuelFlag::kCast);
  if (IsBattleOver()) return;
  StartFades();
  NextTurn();
}

bool YTileset::TakePendingFlag() {
  if (!pending_) return false;
  pending_ = false;
  return true;
}

void YTileset::DoMove(int a, int b) {
  if (!dealt_) return;
  const int count = static_cast<int>(state_.board.tiles.size());
  if (a < 0 || b < 0 || a >= count || b >= count || a == b) return;
  if (!state_.Tile(a).IsLive() || !state_.Tile(b).IsLive()) return;
  PullSides();
  countdown_ = kTurnSeconds;
  if (state_.sideToMove == 0 && commanders_[1])
    commanders_[1]->OnMove(state_.Tile(a).number, state_.Tile(b).number);
  const bool cast = state_.PlayPair(a, b, YTile::kRemoved);
  ClearSelection();
  PushSides();
  if (cast) AwardGold(a, b);
  events_->OnPairTaken(state_.board, a, b, cast);
  if (!cast) events_->PlaySound("s_skip");
  state_.flags |= DuelFlag::kMoving | (cast ? DuelFlag::kCast : 0u);
  messages_.ShowEvent(state_, FighterData(), GetTileTables().Kinds());
}

void YTileset::AwardGold(int a, int b) {
  const DuelKind& ka = state_.KindOf(a);
  const YPlayer* taker = fighters_[static_cast<std::size_t>(state_.sideToMove & 1)];
  if (ka.Class() != DuelKind::kPlainClass || !goldHook_ || taker == nullptr) return;
  goldHook_(*taker, PlainPairGold(ka.Element()));
  goldHook_(*taker, PlainPairGold(state_.KindOf(b).Element()));
}

void YTileset::DoMoveByIds(std::int32_t first, std::int32_t second) {
  const int a = TileIndexOf(first);
  const int b = TileIndexOf(second);
  if (a >= 0 && b >= 0) DoMove(a, b);
}

int YTileset::TileIndexOf(std::int32_t number) const {
  const std::vector<YTile>& tiles = state_.board.tiles;
  const auto found =
      std::find_if(tiles.begin(), tiles.end(), [number](const YTile& t) { return t.number == number; });
  return found == tiles.end() ? -1 : static_cast<int>(found - tiles.begin());
}

void YTileset::NextTurn() {
  PullSides();
  countdown_ = kTurnSeconds;
  if ((state_.flags & DuelFlag::kExtraTurn) != 0)
    state_.flags &= ~DuelFlag::kExtraTurn;
  else
    state_.sideToMove ^= 1;
  ApplyUpkeepOfNewSide();
  if (OpenTurn(state_, freeTiles_, pairs_, passCounter_) != TurnOpening::kMove)
    messages_.ShowPlayerState(state_, FighterData());
}

// The new side's upkeep; when it costs the side its turn, the side that
// moved before moves again, and the log names that side.
void YTileset::ApplyUpkeepOfNewSide() {
  ApplyTurnUpkeep(state_);
  PushSides();
  if ((state_.flags & DuelFlag::kExtraTurn) == 0) return;
  state_.sideToMove ^= 1;
  messages_.ShowPlayerState(state_, FighterData());
  state_.sideToMove ^= 1;
  state_.flags = 0;
  StartFades();
  state_.sideToMove ^= 1;
  StartFades();
}

void YTileset::Shuffle(std::int32_t seed) {
  PullSides();
  countdown_ = kTurnSeconds;
  ClearSelection();
  const ShuffleResult result = ShuffleStep(state_, seed);
  switch (result.kind) {
    case ShuffleResult::kSwept:
      events_->OnSwept(state_.board, result.tiles);
      return;
    case ShuffleResult::kFresh:
      events_->OnFreshDeal(state_.board, result.tiles);
      events_->PlaySound("shuffle");
      break;
    case ShuffleResult::kShuffled:
      events_->OnShuffleDeal(state_.board, result.tiles, state_.sideToMove == 0);
      break;
  }
  StartFades();
  FindMoves();
  passCounter_ = 0;
}

void YTileset::FindMoves() {
  FindPairs(state_, freeTiles_, pairs_);
}

bool YTileset::Undo() {
  PullSides();
  if (!state_.Undo()) return false;
  PushSides();
  return true;
}

bool YTileset::IsBattleOver() {
  const bool over = state_.sides[0].health <= 0 || state_.sides[1].health <= 0;
  if (over) started_ = false;
  return over;
}

void YTileset::Fade(Overlay overlay, bool on, float seconds) {
  float& weight = overlays_[overlay];
  if (on && weight < 1.0f) {
    if (weight <= 0.0f) weight = 0.01f;
    events_->StartFade(weight, 0.0f, 1.0f, seconds);
  } else if (!on && weight > 0.0f) {
    events_->StartFade(weight, 1.0f, 0.0f, seconds);
  }
}

void YTileset::StartFades() {
  const std::uint32_t flags = state_.flags;
  Fade(kFireOverlay, (flags & DuelFlag::kBurning) != 0, kOverlayFadeSeconds);
  Fade(kFreezeOverlay, (flags & DuelFlag::kFrozen) != 0, kOverlayFadeSeconds);
  const int side = state_.sideToMove & 1;
  float& own = overlays_[kSide0Highlight + side];
  if ((flags & (DuelFlag::kReflect | DuelFlag::kShield)) != 0 && own < 1.0f) {
    rememberedFlags_[static_cast<std::size_t>(side)] = flags;
    if (own <= 0.0f) own = 0.01f;
    events_->StartFade(own, 0.0f, 1.0f, kHighlightFadeSeconds);
  }
  float& other = overlays_[kSide0Highlight + (side ^ 1)];
  if (other > 0.0f) events_->StartFade(other, 1.0f, 0.0f, kHighlightFadeSeconds);
}

void YTileset::UpdateMusicMood(bool reset) {
  const int before = musicMood_;
  if (reset) musicMood_ = 0;
  const auto low = [this](int s) {
    const DuelSide& side = state_.sides[static_cast<std::size_t>(s)];
    return static_cast<float>(side.health) < 0.3f * static_cast<float>(side.maxHealth);
  };
  const auto healthy = [this](int s) {
    const DuelSide& side = state_.sides[static_cast<std::size_t>(s)];
    return static_cast<float>(side.health) > 0.6f * static_cast<float>(side.maxHealth);
  };
  const YPlayerCommander* second = commanders_[1].get();
  if (second != nullptr && second->Kind() == YPlayerCommander::kUser) {
    if (musicMood_ == 0 && (low(0) || low(1)))
      musicMood_ = 2;
    else if (musicMood_ == 2 && healthy(0) && healthy(1))
      musicMood_ = 0;
  } else if (musicMood_ == 0) {
    musicMood_ = low(0) ? 1 : (low(1) ? 2 : 0);
  } else if (musicMood_ == 1) {
    if (healthy(0)) musicMood_ = low(1) ? 2 : 0;
  } else if (low(0)) {
    musicMood_ = 1;
  } else if (healthy(1)) {
    musicMood_ = 0;
  }
  if (reset || musicMood_ != before) events_->SelectMusic(kFirstBattleTrack + musicMood_, kMusicFadeSeconds);
}
