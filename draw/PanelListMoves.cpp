#include "draw/PanelListMoves.h"

#include <utility>

#include "draw/PanelSlots.h"

namespace panel {

namespace {

// A list slot as the list it shows and the entry within it.
template <typename T>
struct Place {
  std::vector<T>* list = nullptr;
  int entry = -1;

  bool Holds() const { return list != nullptr && entry >= 0 && static_cast<std::size_t>(entry) < list->size(); }
  bool PastEnd() const { return list != nullptr && entry >= 0 && static_cast<std::size_t>(entry) >= list->size(); }
  T& Value() const { return (*list)[static_cast<std::size_t>(entry)]; }
  T Take() const {
    T value = Value();
    list->erase(list->begin() + entry);
    return value;
  }
};

// The list's entry, or null when the index is outside it.
template <typename T>
T EntryOf(const std::vector<T>& list, int entry) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= list.size()) return nullptr;
  return list[static_cast<std::size_t>(entry)];
}

Place<YTileSpell*> SpellPlace(SpellList& active, SpellList& spare, int slot, int scrollRow) {
  if (slot >= 0 && slot < kListColumnSlots) return {&active, slot};
  if (IsGridSlot(slot)) return {&spare, GridEntry(slot, scrollRow)};
  return {};
}

Place<const YArtifact*> GridPlace(ArtifactList& carried, int slot, int scrollRow) {
  if (!IsGridSlot(slot)) return {};
  return {&carried, GridEntry(slot, scrollRow)};
}

}  // namespace

YTileSpell* SpellAt(const SpellList& active, const SpellList& spare, int slot, int scrollRow) {
  if (slot >= 0 && slot < kListColumnSlots) return EntryOf(active, slot);
  return IsGridSlot(slot) ? EntryOf(spare, GridEntry(slot, scrollRow)) : nullptr;
}

const YArtifact* ArtifactAt(const YArtifact* current, const ArtifactList& carried, int slot, int scrollRow) {
  if (slot == 0) return current;
  return IsGridSlot(slot) ? EntryOf(carried, GridEntry(slot, scrollRow)) : nullptr;
}

MoveResult MoveSpell(SpellList& active, SpellList& spare, int fromSlot, int toSlot, int scrollRow) {
  const auto from = SpellPlace(active, spare, fromSlot, scrollRow);
  const auto to = SpellPlace(active, spare, toSlot, scrollRow);
  if (!from.Holds() || to.list == nullptr) return MoveResult::kNone;
  if (to.Holds()) {
    std::swap(from.Value(), to.Value());
    return MoveResult::kSwapped;
  }
  // Past the end of the column means fewer than five active: a spell moved
  // there never makes a sixth.
  to.list->push_back(from.Take());
  return MoveResult::kMoved;
}

bool SelectSpell(SpellList& active, SpellList& spare, int slot, int scrollRow) {
  const auto place = SpellPlace(active, spare, slot, scrollRow);
  if (place.list != &spare || !place.Holds() || active.size() >= kMaxActiveSpells) return false;
  active.push_back(place.Take());
  return true;
}

bool UnselectSpell(SpellList& active, SpellList& spare, int slot) {
  const auto place = SpellPlace(active, spare, slot, 0);
  if (place.list != &active || !place.Holds()) return false;
  spare.push_back(place.Take());
  return true;
}

MoveResult MoveArtifact(const YArtifact*& current, ArtifactList& carried, int fromSlot, int toSlot, int scrollRow) {
  const auto from = GridPlace(carried, fromSlot, scrollRow);
  const auto to = GridPlace(carried, toSlot, scrollRow);
  if (from.Holds() && to.Holds()) {
    std::swap(from.Value(), to.Value());
    return MoveResult::kSwapped;
  }
  if (from.Holds() && to.PastEnd()) {
    carried.push_back(from.Take());
    return MoveResult::kSwapped;
  }
  if (fromSlot == 0 && current != nullptr && to.Holds()) {
    std::swap(current, to.Value());
    return MoveResult::kSwapped;
  }
  if (fromSlot == 0 && current != nullptr && to.PastEnd()) {
    carried.push_back(std::exchange(current, nullptr));
    return MoveResult::kMoved;
  }
  if (from.Holds() && toSlot == 0) {
    if (current != nullptr) {
      std::swap(current, from.Value());
      return MoveResult::kSwapped;
    }
    current = from.Take();
    return MoveResult::kMoved;
  }
  return MoveResult::kNone;
}

bool SelectArtifact(const YArtifact*& current, ArtifactList& carried, int slot, int scrollRow) {
  const auto place = GridPlace(carried, slot, scrollRow);
  if (!place.Holds()) return false;
  const YArtifact* chosen = place.Take();
  if (current != nullptr) carried.push_back(current);
  current = chosen;
  return true;
}

bool UnselectArtifact(const YArtifact*& current, ArtifactList& carried) {
  if (current == nullptr) return false;
  carried.push_back(std::exchange(current, nullptr));
  return true;
}

}  // namespace panel
