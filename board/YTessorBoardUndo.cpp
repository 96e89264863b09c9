// The undo stack: a record per move holds every unit's values and list
// place, so that taking the move back restores the position exactly.
#include "board/YTessorBoard.h"
#include "players/PlayerRules.h"
#include "players/YPlayer.h"

namespace {

YTessorUnitSnapshot SnapshotOf(YTessorUnit* unit) {
  YTessorUnitSnapshot snapshot;
  snapshot.unit = unit;
  CopyCounterRecord(snapshot.values, *unit->record);
  snapshot.maxValues = unit->record->maxValues;
  snapshot.specialCounter = unit->record->specialCounter;
  return snapshot;
}

}  // namespace

void YTessorBoard::PushUndo(YTessorUnit* unit) {
  if (undoDepth_ == undo_.size()) undo_.emplace_back();
  YTessorUndoRecord& record = undo_[undoDepth_++];
  record.snapshots.clear();
  for (const std::vector<YTessorUnit*>& list : units_) {
    for (YTessorUnit* listed : list) record.snapshots.push_back(SnapshotOf(listed));
  }
  record.sideZeroCount = units_[0].size();
  record.clock = clock;
  record.sideToMove = sideToMove;
  record.randomState = random_.State();
  record.movedUnit = unit;
  record.removedUnit1 = nullptr;
  record.removedUnit2 = nullptr;
  record.createdUnit = nullptr;
  record.oldX = unit != nullptr ? unit->x : -1;
  record.oldY = unit != nullptr ? unit->y : -1;
}

bool YTessorBoard::PopUndo() {
  if (undoDepth_ == 0) return false;
  YTessorUndoRecord& record = undo_[undoDepth_ - 1];
  if (record.createdUnit != nullptr) DeleteUnit(record.createdUnit, true);
  // The lists come back in their old order from the snapshots.
  for (std::size_t side = 0; side < 2; ++side) units_[side].clear();
  for (std::size_t i = 0; i < record.snapshots.size(); ++i) {
    const YTessorUnitSnapshot& snapshot = record.snapshots[i];
    units_[i < record.sideZeroCount ? 0 : 1].push_back(snapshot.unit);
    YPlayer& values = *snapshot.unit->record;
    CopyCounterRecord(values, snapshot.values);
    values.maxValues = snapshot.maxValues;
    values.specialCounter = snapshot.specialCounter;
  }
  for (YTessorUnit* removed : {record.removedUnit1, record.removedUnit2}) {
    if (removed != nullptr) PlaceUnit(removed, removed->x, removed->y);
  }
  if (record.movedUnit != nullptr) PlaceUnit(record.movedUnit, record.oldX, record.oldY);
  clock = record.clock;
  sideToMove = record.sideToMove;
  random_.SetState(record.randomState);
  record.removedUnit1 = nullptr;
  record.removedUnit2 = nullptr;
  record.createdUnit = nullptr;
  --undoDepth_;
  return true;
}

void YTessorBoard::SetCreatedUnit(YTessorUnit* unit) {
  if (YTessorUndoRecord* record = LastUndo()) record->createdUnit = unit;
}

void YTessorBoard::SetRemovedUnit(YTessorUnit* unit) {
  YTessorUndoRecord* record = LastUndo();
  if (record == nullptr) return;
  if (record->removedUnit1 == nullptr) {
    record->removedUnit1 = unit;
  } else if (record->removedUnit2 == nullptr) {
    record->removedUnit2 = unit;
  }
}

void YTessorBoard::ClearUndoRecords(int recordSide) {
  for (std::size_t i = 0; i < undoDepth_; ++i) {
    YTessorUndoRecord& record = undo_[i];
    for (YTessorUnit* removed : {record.removedUnit1, record.removedUnit2}) {
      if (removed != nullptr) DeleteUnit(removed, recordSide < 0 || removed->side == recordSide);
    }
    record.removedUnit1 = nullptr;
    record.removedUnit2 = nullptr;
    record.createdUnit = nullptr;
    record.movedUnit = nullptr;
  }
  undoDepth_ = 0;
}

void YTessorBoard::ClearUndo() {
  ClearUndoRecords(-1);
}

void YTessorBoard::ClearUndoOfSide(int side) {
  ClearUndoRecords(side);
}
