// The duel's kind table and spell list as read from the tile file of the
// interface language. Plain tables without drawing: the players' records
// look spells up here, and the tile battle owns its copy of the process-wide
// object (GetTileTables) for deals, pair rules and panels. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "players/YTileKind.h"
#include "players/YTileSpell.h"

class TileTables {
 public:
  // Room the deals need: kind indices 0 to 41.
  static constexpr std::size_t kDealtKinds = 42;

  // Empties both tables (the atlas load does this before the first read).
  // Spell records are freed: only while no record holds one.
  void Clear();
  // Reads folder + "tiles.yml" (folder such as "ui\english\"). A second
  // read updates kinds by id and spells by key and appends new ones, so
  // existing kinds keep their indices. A missing file changes nothing.
  void Load(std::string_view folder);

  // The index of the kind with this id; -1 when none.
  int FindKindIndex(std::uint32_t id) const;
  // The spell whose key equals `key` or `key` with its two low bytes
  // swapped; null when none.
  YTileSpell* FindSpell(std::uint32_t key) const;

  std::vector<YTileKind>& Kinds() { return kinds_; }
  const std::vector<YTileKind>& Kinds() const { return kinds_; }
  // Every spell in the order of the tile file.
  const std::vector<std::unique_ptr<YTileSpell>>& Spells() const { return spells_; }
  // Appends a new spell record (for the reader).
  YTileSpell& AddSpell();

 private:
  std::vector<YTileKind> kinds_;
  std::vector<std::unique_ptr<YTileSpell>> spells_;
};

// The key with its two low bytes swapped: ((key & 0xFF) << 8) | key >> 8.
std::uint32_t SwappedSpellKey(std::uint32_t key);

// The process's tile tables.
TileTables& GetTileTables();
