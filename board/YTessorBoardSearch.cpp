// The movement search: a breadth-first walk over the cells, one frontier per
// number of steps, where going on straight costs 1, each turn (and the first
// step) 1 more, and an orthogonal step replaces an earlier way of equal cost.
#include <algorithm>

#include "board/YTessorBoard.h"
#include "players/YPlayer.h"

namespace {

constexpr int kWalk = 0;
constexpr int kFly = 1;
constexpr int kTeleport = 2;

// No way on a 9 x 9 board needs more steps; a record with a longer range
// (edited data) searches no further, so the search always ends quickly.
constexpr std::int32_t kMaxSearchSteps = 2 * kCellCount;

int MoveKindOf(const YPlayer& record) {
  if (record.moveKind == kFly || record.moveKind == kTeleport) return record.moveKind;
  return kWalk;
}

}  // namespace

bool YTessorBoard::BlocksStep(const YTessorUnit& mover, int x, int y) const {
  const YTessorCell& cell = Cell(x, y);
  switch (MoveKindOf(*mover.record)) {
    case kFly:
      return cell.Kind() == cell_kind::kWall;
    case kTeleport:
      return false;
    default:
      return cell.IsBlocked() || (cell.occupant != nullptr && cell.occupant->side == mover.side);
  }
}

void YTessorBoard::FindMoves(YTessorUnit* unit, std::vector<YTessorMove>* moves) {
  ClearReach();
  if (unit == nullptr || unit->record == nullptr || !IsOnBoard(unit->x, unit->y)) return;
  if (unit->special && !unit->special->CanMove(*this)) return;
  SearchFrom(unit, moves);
}

void YTessorBoard::SearchFrom(YTessorUnit* unit, std::vector<YTessorMove>* moves) {
  const YPlayer& record = *unit->record;
  const bool walker = MoveKindOf(record) == kWalk;
  const int directions = record.way > 0 ? static_cast<int>(kStepDirections.size()) : kOrthogonalSteps;
  const std::int32_t range = std::min(record.distance, kMaxSearchSteps);
  frontier_.clear();
  nextFrontier_.clear();
  const int start = CellIndex(unit->x, unit->y);
  reach_[static_cast<std::size_t>(start)] = {-1, 0, 0};
  frontier_.push_back(start);
  while (!frontier_.empty()) {
    for (const std::int32_t from : frontier_) {
      const YTessorReachCell here = reach_[static_cast<std::size_t>(from)];
      if (here.steps >= range) continue;
      const int sx = from % kBoardSize;
      const int sy = from / kBoardSize;
      for (int d = 0; d < directions; ++d) {
        const StepDirection step = kStepDirections[static_cast<std::size_t>(d)];
        const int nx = sx + step.dx;
        const int ny = sy + step.dy;
        if (!IsOnBoard(nx, ny)) continue;
        const std::int32_t cost = here.cost + 1 + (here.direction != d ? 1 : 0);
        YTessorReachCell& there = reach_[static_cast<std::size_t>(CellIndex(nx, ny))];
        const bool diagonal = d >= kOrthogonalSteps;
        if (there.Reached() && (there.cost < cost || (diagonal && there.cost == cost))) continue;
        if (BlocksStep(*unit, nx, ny)) continue;
        if (diagonal) {
          if (BlocksStep(*unit, nx, sy) || BlocksStep(*unit, sx, ny)) continue;
          if (walker && (Cell(nx, sy).occupant != nullptr || Cell(sx, ny).occupant != nullptr)) continue;
        }
        there = {d, here.steps + 1, cost};
        const YTessorCell& target = Cell(nx, ny);
        const bool own = target.occupant != nullptr && target.occupant->side == unit->side;
        if (moves != nullptr && !own && !target.IsBlocked()) {
          moves->push_back(
              {unit, nx, ny, target.occupant != nullptr ? move_kind::kAttack : move_kind::kMove});
        }
        // A walker may end on an enemy to attack, never pass through.
        if (walker && target.occupant != nullptr) continue;
        nextFrontier_.push_back(CellIndex(nx, ny));
      }
    }
    frontier_.swap(nextFrontier_);
    nextFrontier_.clear();
  }
}

void YTessorBoard::GenerateMoves(int side, std::vector<YTessorMove>& moves) {
  for (YTessorUnit* unit : Units(side)) {
    if (!IsOnBoard(unit->x, unit->y)) continue;
    if (unit->special) unit->special->GenerateMoves(*this, moves);
    FindMoves(unit, &moves);
  }
}

bool YTessorBoard::IsLegalMove(YTessorUnit* unit, int x, int y, int kind) {
  if (unit == nullptr || unit->side != sideToMove || !IsOnBoard(unit->x, unit->y)) return false;
  const std::vector<YTessorUnit*>& list = Units(unit->side);
  if (std::find(list.begin(), list.end(), unit) == list.end()) return false;
  scratchMoves_.clear();
  if (kind == move_kind::kSpecial) {
    if (unit->special) unit->special->GenerateMoves(*this, scratchMoves_);
  } else {
    FindMoves(unit, &scratchMoves_);
  }
  const bool special = kind == move_kind::kSpecial;
  return std::any_of(scratchMoves_.begin(), scratchMoves_.end(), [&](const YTessorMove& move) {
    return move.x == x && move.y == y && (move.kind == move_kind::kSpecial) == special;
  });
}
