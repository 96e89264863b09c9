// The board's fading unit copies (the trail of a walk, the glow of the
// hovered and the selected unit) and the rest of the board screen's frame
// step: the units' displayed counters and the turn marker of the side to
// move.
#include "board/YTessor.h"
#include "draw/MovingMarker.h"
#include "players/DisplayedCounters.h"
#include "players/YPlayer.h"
#include "render/YDrawQueue.h"

namespace {

constexpr float kCopyScale = 1.02f;
constexpr float kHighlightLife = 0.15f;
constexpr float kHighlightJitter = 0.012f;
constexpr float kRandomScale = 6.103702e-5f;  // 2 / 32767: rand() onto 0..2
const YColor kTrailBirth(1, 0.6f, 0.2f, 0.15f);
const YColor kHoverBirth(1, 0.6f, 0.2f, 0.07f);
const YColor kFadedEnd(1, 0.6f, 0.2f, 0.005f);

}  // namespace

void YTessor::DrawUnitJitter(YTessorUnit* unit, const YColor& birth, const YColor& end, float lifetime,
                             float jitter) {
  if (unit == nullptr) return;
  YVector3 position = unit->position;
  if (jitter > 0.0f) {
    const auto shake = [&] {
      return (static_cast<float>(jitterRandom_.Next()) * kRandomScale - 1.0f) * jitter;
    };
    position.x += shake();
    position.y += shake();
    position.z += shake();
  }
  AddCopy(unit, position, birth, end, lifetime);
}

void YTessor::LeaveBlurCopy(YTessorUnit* unit, const YVector3& position, float lifetime) {
  if (unit != nullptr) AddCopy(unit, position, kTrailBirth, kFadedEnd, lifetime);
}

void YTessor::AddCopy(YTessorUnit* unit, const YVector3& position, const YColor& birth, const YColor& end,
                      float lifetime) {
  YTessorBlurCopy& copy = blurCopies_.emplace_back();
  copy.unit = unit;
  copy.birth = birth;
  copy.end = end;
  copy.lifetime = copy.remaining = lifetime;
  YMatrix4 scale, move;
  scale.SetScaling(YVector3(kCopyScale, kCopyScale, kCopyScale));
  move.SetTranslation(position);
  move.Multiply(copy.world, scale);  // scaled about the unit, then moved
}

void YTessor::StepScreenFrame(float dt) {
  // The walking unit's trail comes from the walk itself (LeaveBlurCopy).
  if (IsOnBoard(cursorX, cursorY)) {
    YTessorUnit* hovered = board_.Cell(cursorX, cursorY).occupant;
    if (hovered != nullptr) DrawUnitJitter(hovered, kHoverBirth, kFadedEnd, kHighlightLife, kHighlightJitter);
  }
  if (selected != nullptr) DrawUnitJitter(selected, kTrailBirth, kFadedEnd, kHighlightLife, kHighlightJitter);
  QueueBlurCopies(dt);
  for (int side = 0; side < 2; ++side) {
    for (YTessorUnit* unit : board_.Units(side)) {
      if (unit->record != nullptr) StepDisplayedCounters(*unit->record);
    }
  }
  BoardSideMarkers()[static_cast<std::size_t>(DisplayIndex(board_.sideToMove))].Update(dt);
}

void YTessor::QueueBlurCopies(float dt) {
  for (std::size_t i = 0; i < blurCopies_.size();) {
    YTessorBlurCopy& copy = blurCopies_[i];
    copy.remaining -= dt;
    if (copy.remaining >= 0.0f) {
      const YVector3 at(copy.world.m[3][0], copy.world.m[3][1], copy.world.m[3][2]);
      YDrawQueue::Push1(i, at, &blurDrawer_);
      ++i;
      continue;
    }
    // The last copy takes the place of the one that ended.
    copy = blurCopies_.back();
    blurCopies_.pop_back();
  }
}
