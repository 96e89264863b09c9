// A hash of a whole board position, for tests that compare positions (apply
// and undo, copies, two machines in step).
#include <algorithm>
#include <bit>
#include <string_view>

#include "board/YTessorBoard.h"
#include "players/YPlayer.h"

namespace {

class Fnv {
 public:
  void Add(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      hash_ ^= (value >> (8 * i)) & 0xffu;
      hash_ *= 0x100000001b3ull;
    }
  }
  void AddSigned(std::int64_t value) { Add(static_cast<std::uint64_t>(value)); }
  void AddFloat(float value) { Add(std::bit_cast<std::uint32_t>(value)); }
  void AddText(std::string_view text) {
    Add(text.size());
    for (char c : text) Add(static_cast<unsigned char>(c));
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

void AddRecord(Fnv& fnv, const YPlayer& r) {
  fnv.AddSigned(r.experience);
  for (std::int32_t v : r.mana) fnv.AddSigned(v);
  fnv.AddSigned(r.health);
  for (std::int32_t v : r.maxValues) fnv.AddSigned(v);
  fnv.Add(reinterpret_cast<std::uintptr_t>(r.artifact));
  fnv.Add(r.spells.size());
  for (std::int32_t v : r.baseMana) fnv.AddSigned(v);
  fnv.AddSigned(r.baseHealth);
  fnv.AddText(r.name);
  for (std::int32_t v : {r.level, r.points, r.moveKind, r.way, r.distance, r.specialCounter})
    fnv.AddSigned(v);
}

}  // namespace

std::uint64_t YTessorBoard::StateHash() const {
  Fnv fnv;
  for (const YTessorCell& cell : cells_) {
    fnv.Add(cell.type);
    fnv.AddSigned(UnitId(cell.occupant));
  }
  for (const std::vector<YTessorUnit*>& list : units_) {
    fnv.Add(list.size());
    for (const YTessorUnit* unit : list) fnv.AddSigned(UnitId(unit));
  }
  fnv.Add(store_.size());
  for (const std::unique_ptr<YTessorUnit>& unit : store_) {
    fnv.Add(static_cast<std::uint64_t>(unit->Class()));
    for (std::int32_t v : {unit->side, unit->x, unit->y}) fnv.AddSigned(v);
    for (float v : {unit->position.x, unit->position.y, unit->position.z}) fnv.AddFloat(v);
    // A copied head has no special of its own but stands in the registry:
    // it counts as a head all the same.
    const bool registeredHead = std::find(heads_.begin(), heads_.end(), unit->record) != heads_.end();
    const int kind = unit->special    ? static_cast<int>(unit->special->Kind())
                     : registeredHead ? static_cast<int>(SpecialKind::kHydraHead)
                                      : -1;
    fnv.AddSigned(kind);
    if (unit->record != nullptr) AddRecord(fnv, *unit->record);
  }
  fnv.Add(heads_.size());
  for (const YPlayer* head : heads_) {
    int owner = -1;
    for (std::size_t i = 0; i < store_.size(); ++i) {
      if (store_[i]->record == head) owner = static_cast<int>(i);
    }
    fnv.AddSigned(owner);
  }
  fnv.Add(undoDepth_);
  for (std::size_t i = 0; i < undoDepth_; ++i) {
    const YTessorUndoRecord& record = undo_[i];
    fnv.Add(record.snapshots.size());
    fnv.Add(record.sideZeroCount);
    for (const YTessorUnitSnapshot& s : record.snapshots) {
      fnv.AddSigned(UnitId(s.unit));
      for (std::int32_t v : s.maxValues) fnv.AddSigned(v);
      for (std::int32_t v : s.values.mana) fnv.AddSigned(v);
      for (std::int32_t v : {s.values.experience, s.values.health, s.specialCounter}) fnv.AddSigned(v);
    }
    fnv.AddFloat(record.clock);
    for (std::int32_t v : {record.sideToMove, record.oldX, record.oldY}) fnv.AddSigned(v);
    fnv.Add(record.randomState);
    for (const YTessorUnit* u :
         {record.movedUnit, record.removedUnit1, record.removedUnit2, record.createdUnit}) {
      fnv.AddSigned(UnitId(u));
    }
  }
  fnv.AddFloat(clock);
  fnv.AddSigned(sideToMove);
  fnv.Add(viewFlip ? 1 : 0);
  fnv.Add(random_.State());
  return fnv.Value();
}
