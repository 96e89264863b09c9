// The board object's turn flow: a game's start, the frame step with the
// turning clock and the walking unit, moves, fights and the turn's end.
#include "board/YTessor.h"
#include "board/YTessorView.h"
#include "platform/Random.h"
#include "players/YGameMaster.h"
#include "players/YPlayer.h"

namespace {

constexpr float kTurnStep = 0.083333336f;
constexpr float kClockSpeed = 0.1f;  // of the clock per second
constexpr int kTeleportTrail = 10;   // a teleport jumps to this many points from its end
constexpr float kWalkTrailLife = 0.15f;

// The heights of a unit that grows on its own cell, walked from the back.
constexpr float kGrowHeights[] = {0.075f, 0.0f,   -0.075f, -0.15f, -0.225f,
                                  -0.3f,  -0.24f, -0.18f,  -0.12f, -0.06f};

}  // namespace

void YTessor::NewGame() {
  RandomizeClock();
  StartGame();
}

void YTessor::NewGameAtClock(float clock) {
  board_.clock = clock >= 0.0f && clock < 1.0f ? clock : 0.0f;
  StartGame();
}

void YTessor::ResumeFight(YTessorUnit* attacker, YTessorUnit* target) {
  if (attacker == nullptr || target == nullptr || attacker->side == target->side) return;
  board_.PushUndo(attacker);
  board_.LiftUnit(attacker);
  moving = attacker;
  defender = target;
  targetX = target->x;
  targetY = target->y;
  board_.ApplyCellEffects(moving, targetX, targetY);
  stateFlags = board_state::kWalking | board_state::kFighting;
}

void YTessor::StartGame() {
  gameRunning = false;
  if (view_ != nullptr) view_->SetupView();
  // The specials' generator starts from the program's, once per game.
  board_.Random().SetState(static_cast<std::uint32_t>(platform::Random()));
  board_.RefreshCellEffects();
  YTessorPlayerCommander* first = Commander(0);
  const int starter = first != nullptr && first->Kind() == commander_kind::kNetwork ? 0 : 1;
  if (Commander(starter) != nullptr) {
    CallCommander(starter, [](YTessorPlayerCommander& c) { c.BeginTurn(0); });
  } else {
    BeginTurn(0);
  }
  if (view_ != nullptr) view_->ActivateLayout();
}

void YTessor::BeginTurn(int side) {
  if (side != 0 && side != 1) return;
  board_.sideToMove = side;
  ResetTurnState();
  clockTarget = board_.clock;
  cursorX = cursorY = -1;
  ResetReach();
  ClearUndo();
  board_.RefreshCellEffects();
  if (view_ != nullptr) view_->UpdateSideButtons();
  gameRunning = true;
}

void YTessor::RandomizeClock() {
  board_.clock = static_cast<float>(platform::Random() & 3) * 0.25f;
}

void YTessor::Update(float dt) {
  if (!(dt > 0.0f)) dt = 0.0f;
  CallCommander(0, [](YTessorPlayerCommander& c) { c.Receive(); });
  CallCommander(1, [](YTessorPlayerCommander& c) { c.Receive(); });
  if (stateFlags & board_state::kClockTurning) StepClock(dt);
  // A pending fight holds the walk: the fight is reported once.
  if ((stateFlags & board_state::kWalking) && !(stateFlags & board_state::kFighting)) StepWalk();
  if (stateFlags == 0) CallCommander(board_.sideToMove, [](YTessorPlayerCommander& c) { c.Think(); });
  if (view_ != nullptr) view_->StepFrame(dt);
}

void YTessor::StepClock(float dt) {
  const float limit = board_.clock >= clockTarget ? 1.0f : clockTarget;
  board_.clock += dt * kClockSpeed;
  if (board_.clock < limit) {
    board_.RefreshCellEffects();
    return;
  }
  board_.clock = clockTarget;
  stateFlags &= ~board_state::kClockTurning;
  board_.Regenerate(HeroFactor(board_.sideToMove));
}

void YTessor::StepWalk() {
  if (moving == nullptr) {
    stateFlags &= ~board_state::kWalking;
    return;
  }
  if (moving->record->moveKind == 2 && pathIndex > kTeleportTrail) {
    float life = 0.01f;
    for (int i = pathIndex; i >= kTeleportTrail; --i, life += 0.01f) {
      if (view_ != nullptr) view_->LeaveCopy(*moving, walkPath_[static_cast<std::size_t>(i)], life, true);
    }
    pathIndex = kTeleportTrail;
  }
  if (pathIndex < 1) {
    Arrive();
    return;
  }
  --pathIndex;
  moving->position = walkPath_[static_cast<std::size_t>(pathIndex)];
  if (view_ != nullptr) view_->LeaveCopy(*moving, moving->position, kWalkTrailLife, false);
}

void YTessor::Arrive() {
  YTessorUnit* occupant = board_.Cell(targetX, targetY).occupant;
  if (occupant != nullptr) {
    board_.ApplyCellEffects(moving, targetX, targetY);
    defender = occupant;
    stateFlags |= board_state::kFighting;
    if (gameMaster_ != nullptr) gameMaster_->OnFight(moving, defender);
    return;
  }
  board_.PlaceUnit(moving, targetX, targetY);
  moving = nullptr;
  stateFlags &= ~board_state::kWalking;
  EndMove();
  RecomputeCursorReach();
}

bool YTessor::MoveUnit(YTessorUnit* unit, int x, int y, int kind) {
  if (unit == nullptr || unit->side != board_.sideToMove || stateFlags != 0) return false;
  if (kind == move_kind::kSpecial) return StartSpecialMove(unit, x, y);
  if (kind != move_kind::kMove && kind != move_kind::kAttack) return false;
  return StartOrdinaryMove(unit, x, y);
}

bool YTessor::StartOrdinaryMove(YTessorUnit* unit, int x, int y) {
  // A move the unit does not have (an unreached cell, its own side's, a
  // wall) never starts: its path would lead nowhere.
  if (!board_.IsLegalMove(unit, x, y, move_kind::kMove)) return false;
  const int other = (unit->side + 1) % 2;
  if (Commander(other) != nullptr && Commander(other)->Kind() == commander_kind::kNetwork) {
    const int fromX = unit->x;
    const int fromY = unit->y;
    CallCommander(other, [=](YTessorPlayerCommander& c) { c.OnMove(fromX, fromY, x, y); });
  }
  ComputeReach(unit);
  BuildPathCurve(unit, x, y);
  walkPath_ = path_.points;
  pathIndex = static_cast<std::int32_t>(walkPath_.size()) - 1;
  board_.PushUndo(unit);
  moving = unit;
  board_.LiftUnit(unit);
  targetX = x;
  targetY = y;
  stateFlags |= board_state::kWalking;
  selected = nullptr;
  ResetReach();
  static constexpr const char* kMoveSounds[] = {"walk", "fly", "teleport"};
  const int moveKind = unit->record->moveKind;
  if (moveKind >= 0 && moveKind <= 2) PlaySound(kMoveSounds[moveKind], YVector3(), -1.0f);
  return true;
}

bool YTessor::StartSpecialMove(YTessorUnit* unit, int x, int y) {
  // No network peer hears of it: only units made with a special (levels,
  // saves, breeding) have one, and a network game's armies are made without.
  if (!board_.IsLegalMove(unit, x, y, move_kind::kSpecial)) return false;
  board_.PushUndo(unit);
  unit->special->Apply(board_, x, y);
  YTessorUnit* mover = board_.Cell(x, y).occupant;
  if (mover == nullptr) {
    board_.PopUndo();
    return false;
  }
  board_.LiftUnit(mover);
  walkPath_.clear();
  if (x == unit->x && y == unit->y) {
    for (float height : kGrowHeights) walkPath_.emplace_back(mover->position.x, mover->position.y, height);
  } else {
    // The new unit walks out of the unit that made it.
    mover->x = unit->x;
    mover->y = unit->y;
    ComputeReach(mover);
    BuildPathCurve(mover, x, y);
    walkPath_ = path_.points;
    mover->x = x;
    mover->y = y;
    ResetReach();
  }
  moving = mover;
  pathIndex = static_cast<std::int32_t>(walkPath_.size()) - 1;
  targetX = x;
  targetY = y;
  stateFlags |= board_state::kWalking;
  selected = nullptr;
  return true;
}

void YTessor::EndMove() {
  board_.sideToMove = (board_.sideToMove + 1) % 2;
  clockTarget = board_.clock + kTurnStep;
  if (clockTarget >= 0.999f) clockTarget = 0;
  stateFlags |= board_state::kClockTurning;
  if (view_ != nullptr) view_->UpdateSideButtons();
  PlaySound("clock", YVector3(2.0f, 0.0f, 0.0f), 0.6f);
}

void YTessor::OnBattleResult(int outcome) {
  if (view_ != nullptr) {
    view_->SetupView();
    view_->ActivateLayout();
  }
  // Only the one pending fight has an outcome; a second report would take
  // units off the board that the first already settled.
  const bool pending = (stateFlags & board_state::kFighting) && moving != nullptr && defender != nullptr;
  if (!pending || outcome < -1 || outcome > 1) return;
  if (outcome == 0) {
    board_.SetRemovedUnit(defender);
    board_.RemoveFromList(defender);
    board_.PlaceUnit(moving, defender->x, defender->y);
  } else if (outcome == 1) {
    board_.SetRemovedUnit(moving);
    board_.RemoveFromList(moving);
    board_.LiftUnit(moving);
  } else {
    board_.SetRemovedUnit(defender);
    board_.SetRemovedUnit(moving);
    board_.RemoveFromList(defender);
    board_.RemoveFromList(moving);
    board_.LiftUnit(defender);
    board_.LiftUnit(moving);
  }
  moving = nullptr;
  defender = nullptr;
  stateFlags &= ~(board_state::kWalking | board_state::kFighting);
  EndMove();
  RecomputeCursorReach();
  if (view_ != nullptr) view_->UpdateSideButtons();
}

bool YTessor::IsGameOver() {
  if (!board_.Units(0).empty() && !board_.Units(1).empty()) return false;
  gameRunning = false;
  return true;
}
