#include "board/YTessorBoard.h"

#include <algorithm>
#include <unordered_map>

#include "players/YPlayer.h"

YTessorBoard::YTessorBoard() {
  ClearReach();
}

YTessorBoard::~YTessorBoard() = default;

YTessorBoard::YTessorBoard(const YTessorBoard& other) {
  ClearReach();
  CopyFrom(other);
}

YTessorBoard& YTessorBoard::operator=(const YTessorBoard& other) {
  if (this != &other) {
    YTessorBoard copy(other);
    *this = std::move(copy);
  }
  return *this;
}

// Units, specials and undo records point at units, never at the board, so a
// board moves as a whole.
YTessorBoard::YTessorBoard(YTessorBoard&&) noexcept = default;
YTessorBoard& YTessorBoard::operator=(YTessorBoard&&) noexcept = default;

void YTessorBoard::SetCellType(int x, int y, std::uint32_t type) {
  if (!IsOnBoard(x, y)) return;
  cells_[static_cast<std::size_t>(CellIndex(x, y))].type = type;
}

YTessorUnit* YTessorBoard::AddUnit(std::unique_ptr<YTessorUnit> unit) {
  YTessorUnit* added = unit.get();
  added->side &= 1;
  store_.push_back(std::move(unit));
  units_[static_cast<std::size_t>(added->side)].push_back(added);
  return added;
}

void YTessorBoard::RemoveFromList(YTessorUnit* unit) {
  std::vector<YTessorUnit*>& list = units_[static_cast<std::size_t>(unit->side & 1)];
  const auto it = std::find(list.begin(), list.end(), unit);
  if (it == list.end()) return;
  *it = list.back();
  list.pop_back();
}

YTessorUnit* YTessorBoard::PlaceUnit(YTessorUnit* unit, int x, int y) {
  if (unit == nullptr || !IsOnBoard(x, y)) return unit;
  LiftUnit(unit);
  unit->x = x;
  unit->y = y;
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  unit->position = viewFlip ? YVector3(4.0f - fx, 4.0f - fy, 0.0f) : YVector3(fx - 4.0f, fy - 4.0f, 0.0f);
  cells_[static_cast<std::size_t>(CellIndex(x, y))].occupant = unit;
  return unit;
}

void YTessorBoard::LiftUnit(YTessorUnit* unit) {
  if (unit == nullptr || !IsOnBoard(unit->x, unit->y)) return;
  YTessorCell& cell = cells_[static_cast<std::size_t>(CellIndex(unit->x, unit->y))];
  if (cell.occupant == unit) cell.occupant = nullptr;
}

void YTessorBoard::ClearSide(int side, bool deleteRecords) {
  // Taken out of the list first, so that deleting does not search it.
  const std::vector<YTessorUnit*> list = std::move(units_[static_cast<std::size_t>(side & 1)]);
  units_[static_cast<std::size_t>(side & 1)].clear();
  for (YTessorUnit* unit : list) DeleteUnit(unit, deleteRecords);
}

void YTessorBoard::MoveSideMirrored(int from, int to) {
  from &= 1;
  to &= 1;
  if (from == to) return;
  const std::vector<YTessorUnit*> moved = std::move(units_[static_cast<std::size_t>(from)]);
  units_[static_cast<std::size_t>(from)].clear();
  for (YTessorUnit* unit : moved) LiftUnit(unit);
  for (YTessorUnit* unit : moved) {
    unit->side = to;
    units_[static_cast<std::size_t>(to)].push_back(unit);
    if (IsOnBoard(unit->x, unit->y)) PlaceUnit(unit, kBoardSize - 1 - unit->x, kBoardSize - 1 - unit->y);
  }
}

void YTessorBoard::ChangeSide(YTessorUnit* unit) {
  std::vector<YTessorUnit*>& list = units_[static_cast<std::size_t>(unit->side & 1)];
  if (std::find(list.begin(), list.end(), unit) == list.end()) return;
  RemoveFromList(unit);
  unit->side = (unit->side + 1) & 1;
  units_[static_cast<std::size_t>(unit->side)].push_back(unit);
}

int YTessorBoard::UnitId(const YTessorUnit* unit) const {
  for (std::size_t i = 0; i < store_.size(); ++i) {
    if (store_[i].get() == unit) return static_cast<int>(i);
  }
  return -1;
}

void YTessorBoard::DeleteUnit(YTessorUnit* unit, bool deleteRecord) {
  RemoveFromList(unit);
  LiftUnit(unit);
  UnregisterHead(unit->record);
  if (deleteRecord && !unit->OwnsRecord() && unit->record != nullptr) {
    unit->record->FreeLists();
    delete unit->record;
    unit->record = nullptr;
  }
  // Units made last go first (undo), so the search starts at the back.
  for (auto it = store_.rbegin(); it != store_.rend(); ++it) {
    if (it->get() == unit) {
      store_.erase(std::next(it).base());
      return;
    }
  }
}

void YTessorBoard::RegisterHead(YPlayer* record) {
  if (record != nullptr) heads_.push_back(record);
}

void YTessorBoard::UnregisterHead(const YPlayer* record) {
  const auto it = std::find(heads_.begin(), heads_.end(), record);
  if (it == heads_.end()) return;
  *it = heads_.back();
  heads_.pop_back();
}

void YTessorBoard::ClearReach() {
  reach_.fill(YTessorReachCell{});
}

void YTessorBoard::Clear(bool deleteRecords) {
  ClearUndoRecords(deleteRecords ? -1 : 2);
  ClearSide(0, deleteRecords);
  ClearSide(1, deleteRecords);
  ClearReach();
}

void YTessorBoard::CopyFrom(const YTessorBoard& other) {
  std::unordered_map<const YTessorUnit*, YTessorUnit*> units;
  std::unordered_map<const YPlayer*, YPlayer*> records;
  for (const std::unique_ptr<YTessorUnit>& source : other.store_) {
    auto record = std::make_unique<YPlayer>();
    if (source->record != nullptr) static_cast<YPlayerData&>(*record) = *source->record;
    records[source->record] = record.get();
    auto copy = MakeUnit(source->Class(), std::move(record), source->side);
    copy->x = source->x;
    copy->y = source->y;
    copy->position = source->position;
    if (source->special) copy->special = source->special->CloneFor(copy.get());
    units[source.get()] = copy.get();
    store_.push_back(std::move(copy));
  }
  const auto map = [&units](const YTessorUnit* unit) -> YTessorUnit* {
    const auto found = units.find(unit);
    return found != units.end() ? found->second : nullptr;
  };
  for (std::size_t side = 0; side < 2; ++side) {
    for (const YTessorUnit* unit : other.units_[side]) units_[side].push_back(map(unit));
  }
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    cells_[i].type = other.cells_[i].type;
    cells_[i].occupant = map(other.cells_[i].occupant);
  }
  for (const YPlayer* head : other.heads_) {
    const auto found = records.find(head);
    if (found != records.end()) heads_.push_back(found->second);
  }
  undo_.assign(other.undo_.begin(), other.undo_.begin() + static_cast<std::ptrdiff_t>(other.undoDepth_));
  undoDepth_ = other.undoDepth_;
  for (YTessorUndoRecord& record : undo_) {
    for (YTessorUnitSnapshot& snapshot : record.snapshots) snapshot.unit = map(snapshot.unit);
    record.movedUnit = map(record.movedUnit);
    record.removedUnit1 = map(record.removedUnit1);
    record.removedUnit2 = map(record.removedUnit2);
    record.createdUnit = map(record.createdUnit);
  }
  reach_ = other.reach_;
  clock = other.clock;
  sideToMove = other.sideToMove;
  viewFlip = other.viewFlip;
  random_ = other.random_;
}
