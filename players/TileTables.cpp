#include "players/TileTables.h"

#include <string>

#include "players/YTileDescrReader.h"

void TileTables::Clear() {
  kinds_.clear();
  kinds_.reserve(kDealtKinds);
  spells_.clear();
}

void TileTables::Load(std::string_view folder) {
  YTileDescrReader reader(*this);
  reader.Read(std::string(folder) + "tiles.yml");
}

int TileTables::FindKindIndex(std::uint32_t id) const {
  for (std::size_t i = 0; i < kinds_.size(); ++i) {
    if (kinds_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

YTileSpell* TileTables::FindSpell(std::uint32_t key) const {
  const std::uint32_t swapped = SwappedSpellKey(key);
  for (const std::unique_ptr<YTileSpell>& spell : spells_) {
    if (spell->key == key || spell->key == swapped) return spell.get();
  }
  return nullptr;
}

YTileSpell& TileTables::AddSpell() {
  spells_.push_back(std::make_unique<YTileSpell>());
  return *spells_.back();
}

std::uint32_t SwappedSpellKey(std::uint32_t key) { return ((key & 0xFF) << 8) | (key >> 8); }

TileTables& GetTileTables() {
  static TileTables tables;
  return tables;
}
