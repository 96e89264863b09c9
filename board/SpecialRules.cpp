#include "board/SpecialRules.h"

#include "board/YTessorBoard.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"

namespace special_rules {

void AppendFreeNeighbours(const YTessorBoard& board, YTessorUnit* owner, std::vector<YTessorMove>& moves) {
  static constexpr StepDirection kNeighbours[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  for (const StepDirection& step : kNeighbours) {
    const int nx = owner->x + step.dx;
    const int ny = owner->y + step.dy;
    if (!IsOnBoard(nx, ny)) continue;
    const YTessorCell& cell = board.Cell(nx, ny);
    if (cell.occupant != nullptr || cell.IsBlocked()) continue;
    moves.push_back({owner, nx, ny, move_kind::kSpecial});
  }
}

bool CatalogueHas(std::span<const std::string_view> ids) {
  for (std::string_view id : ids) {
    if (FindMonsterType(id) == nullptr) return false;
  }
  return true;
}

const YMonsterType* DrawType(YTessorBoard& board, std::span<const std::string_view> ids) {
  const auto index = static_cast<std::size_t>(board.Random().Next()) % ids.size();
  return FindMonsterType(ids[index]);
}

YTessorUnit* Spawn(YTessorBoard& board, const YMonsterType& type, UnitClass unitClass, int side, int x,
                   int y) {
  YTessorUnit* unit = board.AddUnit(MakeUnit(unitClass, std::make_unique<YPlayerMonster>(type), side));
  unit->CreateSpecial(board, board.Random());
  board.PlaceUnit(unit, x, y);
  board.SetCreatedUnit(unit);
  return unit;
}

}  // namespace special_rules
