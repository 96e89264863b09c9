// A monster type of the catalogue and the catalogue itself: every kind of
// monster that can be an army unit, a shop offer or an opponent, found by
// its text id. Player records keep only the id and look the type up when
// they need it. Types live until the program exits. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct YMonsterType {
  struct ArtifactEntry {
    std::int32_t level = 0;
    std::string id;
  };
  struct SpellEntry {
    std::int32_t level = 0;
    std::uint32_t key = 0;  // the duel's pair key
  };

  std::string id;
  std::string name;
  std::string face;  // file name under "textures\monsters\"
  bool boss = false; // never offered in shops
  std::array<std::int32_t, 5> start{};  // air, fire, earth, water, health at the start level
  std::array<std::int32_t, 5> skill{};  // point price per element; health: the health divisor
  std::int32_t startLevel = 0;
  std::int32_t maxLevel = 1000;
  std::int32_t moveKind = 0;
  std::int32_t way = 1;
  std::int32_t distance = 1;
  std::vector<ArtifactEntry> artifactsByLevel;  // in file order
  std::vector<SpellEntry> spellsByLevel;        // in file order
  std::vector<std::string> layouts;             // duel layouts the campaign picks from
};

// The type whose id equals `id` byte for byte; null when none.
YMonsterType* FindMonsterType(std::string_view id);
// FindMonsterType, else a new type of this id appended to the catalogue.
YMonsterType* FindOrAddMonsterType(std::string_view id);
// The catalogue in the order ids were first met.
const std::vector<std::unique_ptr<YMonsterType>>& MonsterTypes();
// Empties the catalogue. Records keep ids, not pointers, so they only stop
// finding their types; for tests and nothing that caches a type.
void ClearMonsterTypes();
