// Arbitrary bytes as each catalogue of the interface language: the monster,
// hero and artifact files and the tile file, read in turn from the same
// bytes. Every record read must then make its players: a monster of each
// type below, at and above its first level, a hero of each race, gender
// and origin (exactly those the file describes), each artifact found by
// its id. The tile file's spells
// name kinds that are in the table, or none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YTileDescrReader.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::string g_path;

void MakeMonsters() {
  for (const auto& type : MonsterTypes()) {
    if (FindMonsterType(type->id) == nullptr) std::abort();
    for (const std::int32_t level : {0, type->startLevel, 30}) {
      YPlayerMonster monster(type->id, level, 1.5f);
      if (monster.level < 0) std::abort();
    }
  }
}

void MakeHeroes() {
  const int races = static_cast<int>(HeroRaces().size());
  for (int race = 0; race < races; ++race) {
    for (int gender = 0; gender < 2; ++gender) {
      for (int origin = 0; origin < 4; ++origin) {
        const auto hero = CreateHero("fuzz", race, gender, origin, origin, 1.0f);
        const bool described = (gender == 0 ? HeroRaces()[race].male : HeroRaces()[race].female) != nullptr;
        if ((hero != nullptr) != described) std::abort();
      }
    }
  }
}

void CheckTiles(const TileTables& tables) {
  const int kinds = static_cast<int>(tables.Kinds().size());
  for (int i = 0; i < kinds; ++i) {
    const int found = tables.FindKindIndex(tables.Kinds()[i].id);
    if (found < 0 || found > i) std::abort();
  }
  for (const auto& spell : tables.Spells()) {
    if (spell->first < -1 || spell->first >= kinds || spell->second < -1 || spell->second >= kinds)
      std::abort();
    if (tables.FindSpell(spell->key) == nullptr) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_path = (fuzz::ScratchFolder() / "catalogue.yml").string();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteBytes(g_path, data, size);
  // A reader whose tags the bytes do not hold reads nothing: skipped, as
  // parsing is what costs.
  const std::string text = fuzz::AsText(data, size);
  const auto holds = [&text](const char* tag) { return text.find(tag) != std::string::npos; };
  if (holds("<monster")) {
    ClearMonsterTypes();
    YMonsterReader().Load(g_path);
    MakeMonsters();
    YMonsterReader().Load(g_path);  // a second load updates the types in place
    MakeMonsters();
  }
  if (holds("<artifact")) {
    ClearArtifacts();
    YArtifactLoader artifacts(g_path);
    for (const auto& artifact : Artifacts())
      if (YArtifactLoader::FindArtifact(artifact->id) == nullptr) std::abort();
  }
  if (holds("<race") || holds("<hero")) {
    YHeroReader heroes(g_path);
    MakeHeroes();
  }
  if (holds("<tile") || holds("<spell")) {
    TileTables tables;
    YTileDescrReader(tables).Read(g_path);
    CheckTiles(tables);
  }
  return 0;
}
