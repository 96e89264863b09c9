// Arbitrary bytes as a player profile (read in full and in summary) and as
// a hall-of-fame file. A profile that reads as a hero is written and read
// again, and must write the same text the second time. The hall of fame
// never holds more records than its bytes can.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/MemoryInStream.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterReader.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerSaver.h"
#include "players/Stats.h"

namespace {

// A small catalogue, so that monsters, artifacts and spells of a profile are
// found and their values computed.
void LoadCatalogue() {
  const std::string folder = (std::filesystem::temp_directory_path() /
                              ("qv-fuzz-players-" + std::to_string(::getpid()))).string() + "/";
  std::filesystem::create_directories(folder);
  auto write = [&](const char* name, const char* text) {
    if (std::FILE* f = std::fopen((folder + name).c_str(), "wb")) {
      std::fputs(text, f);
      std::fclose(f);
    }
  };
  write("tiles.yml", R"(<tile id="03"/><tile id="15"/><spell id="0315"/><spell id="0423"/><spell id="1b33"/>)");
  write("artifacts.yml", R"(<artifact id="ring" eval="25"/><artifact id="crown" tex="c.tga"/>)");
  write("monsters.yml", R"(<monster id="imp" startLevel="0" maxlevel="10"><data type="skill" air="1" health="2"/>
<level number="0"><spell id="0315"/></level><level number="2"><artifact id="ring"/></level></monster>
<monster id="wyrm" startLevel="-3" maxlevel="100000"><data type="skill" health="0"/></monster>)");
  GetTileTables().Load(folder);
  YArtifactLoader artifacts(folder + "artifacts.yml");
  YMonsterReader().Load(folder + "monsters.yml");
  std::filesystem::remove_all(folder);
}

void FuzzProfile(const std::string& text) {
  YPlayerSaver summary(nullptr, true);
  summary.LoadText(text, "fuzz");
  YPlayerHero* hero = nullptr;
  YPlayerSaver reader(&hero, false);
  reader.LoadText(text, "fuzz");
  if (hero == nullptr) return;
  const std::string first = reader.ProfileText();
  YPlayerHero* again = nullptr;
  YPlayerSaver second(&again, false);
  second.LoadText(first, "fuzz");
  if (again == nullptr || second.ProfileText() != first) __builtin_trap();
  YPlayerHero::DeleteWithArmy(again);
  YPlayerHero::DeleteWithArmy(hero);
}

void FuzzStats(const std::string& bytes, bool sized) {
  MemoryInStream in(bytes, sized);
  const std::vector<ScoreRecord> records = Stats::Read(in);
  if (records.size() * 38 > bytes.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool loaded = (LoadCatalogue(), true);
  (void)loaded;
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0: FuzzProfile(bytes); break;
    case 1: FuzzStats(bytes, true); break;
    default: FuzzStats(bytes, false); break;
  }
  return 0;
}
