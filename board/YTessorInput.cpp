// The board object's handling of the user: hovering and clicking cells, the
// selected unit's reach and the arrow that previews its move.
#include "board/YTessor.h"
#include "board/YTessorView.h"

namespace {

bool IsUserTurn(const YTessorPlayerCommander* commander) {
  return commander != nullptr && commander->Kind() == commander_kind::kUser;
}

}  // namespace

void YTessor::ResetReach() {
  board_.ClearReach();
  path_.Clear();
}

void YTessor::ComputeReach(YTessorUnit* unit) {
  ResetReach();
  board_.FindMoves(unit, nullptr);
}

bool YTessor::BuildPathCurve(YTessorUnit* unit, int x, int y) {
  if (unit == nullptr) {
    path_.Clear();
    return false;
  }
  return ::BuildPathCurve(board_, *unit, x, y, path_);
}

void YTessor::UpdateCursorPath() {
  path_.Clear();
  if (selected == nullptr || !IsOnBoard(cursorX, cursorY)) return;
  if (cursorX == selected->x && cursorY == selected->y) return;
  if (!board_.ReachAt(cursorX, cursorY).Reached()) return;
  const YTessorCell& cell = board_.Cell(cursorX, cursorY);
  if (cell.IsBlocked() || (cell.occupant != nullptr && cell.occupant->side == selected->side)) return;
  BuildPathCurve(selected, cursorX, cursorY);
}

void YTessor::RecomputeCursorReach() {
  if (!IsOnBoard(cursorX, cursorY)) return;
  YTessorUnit* occupant = board_.Cell(cursorX, cursorY).occupant;
  if (occupant != nullptr) ComputeReach(occupant);
}

void YTessor::OnCellClick(int button, float clickX, float clickY) {
  if (!IsUserTurn(Commander(board_.sideToMove)) || userMovePending) return;
  if (stateFlags & board_state::kWalking) return;
  if (!IsOnBoard(cursorX, cursorY) || button == 2) {
    selected = nullptr;
    ResetReach();
    cursorX = cursorY = -1;
    OnMouseMove(clickX, clickY);
    return;
  }
  if (!path_.points.empty() && selected != nullptr && selected->side == board_.sideToMove) {
    userMovePending = true;
    return;
  }
  YTessorUnit* occupant = board_.Cell(cursorX, cursorY).occupant;
  if (occupant == nullptr || occupant->side != board_.sideToMove) return;
  if (occupant == selected) {
    selected = nullptr;
  } else {
    selected = occupant;
    ComputeReach(occupant);
  }
  PlaySound("tuc2", YVector3(), -1.0f);
}

void YTessor::OnMouseUp(int, float, float) {}

void YTessor::OnMouseMove(float x, float y) {
  mouseX = x;
  mouseY = y;
  if (userMovePending) return;
  int cellX = -1;
  int cellY = -1;
  if (view_ == nullptr || !view_->PickCell(x, y, cellX, cellY)) cellX = cellY = -1;
  HoverCell(cellX, cellY);
}

void YTessor::HoverCell(int x, int y) {
  if (!IsOnBoard(x, y)) {
    cursorX = cursorY = -1;
    if (selected == nullptr) ResetReach();
    path_.Clear();
    return;
  }
  if (x == cursorX && y == cursorY) return;
  cursorX = x;
  cursorY = y;
  if (stateFlags & board_state::kWalking) return;
  if (!IsUserTurn(Commander(board_.sideToMove))) {
    ResetReach();
  } else if (selected != nullptr) {
    UpdateCursorPath();
  } else {
    ResetReach();
    YTessorUnit* occupant = board_.Cell(x, y).occupant;
    if (occupant != nullptr && occupant->side == board_.sideToMove) ComputeReach(occupant);
  }
}

bool YTessor::TakePendingMove() {
  if (!userMovePending) return false;
  userMovePending = false;
  return true;
}

void YTessor::ExecuteSelectedMove() {
  if (selected != nullptr) MoveUnit(selected, cursorX, cursorY, move_kind::kMove);
  selected = nullptr;
}
