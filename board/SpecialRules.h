// What the breeding specials share: the free orthogonal neighbours they may
// breed onto, the catalogue types they need, and the birth of a new unit on
// the board of the move.
#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "board/YTessorMove.h"
#include "board/YTessorUnit.h"

struct YMonsterType;

namespace special_rules {

// Appends (owner, cell, kind 2) for each orthogonal neighbour of the owner,
// in the order up, down, left, right (y - 1, y + 1, x - 1, x + 1), that is on
// the board, empty, and neither a wall nor a pit.
void AppendFreeNeighbours(const YTessorBoard& board, YTessorUnit* owner, std::vector<YTessorMove>& moves);

// True when every id names a type of the monster catalogue.
bool CatalogueHas(std::span<const std::string_view> ids);

// The type of ids[random draw mod ids.size()]; draws one value from the
// board's generator. Null when the catalogue lacks it.
const YMonsterType* DrawType(YTessorBoard& board, std::span<const std::string_view> ids);

// A new unit of a new record of `type` on `side`, owning the record, added
// to the side's list of `board`, given its own special, placed on (x, y) and
// written into the last undo record as the unit the move created.
YTessorUnit* Spawn(YTessorBoard& board, const YMonsterType& type, UnitClass unitClass, int side, int x,
                   int y);

}  // namespace special_rules
