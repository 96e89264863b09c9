// Arbitrary bytes as a player profile of the user folder (read in summary
// and in full as the profile screens do) and as its hall-of-fame file
// "stats.dat" (read as the game starts). A profile that reads as a hero is
// written and read again, and must write the same text the second time. The
// hall of fame never holds more records than its bytes can, and one that is
// not whole is moved aside.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "framework/MemoryInStream.h"
#include "players/PlayerProfiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterReader.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerSaver.h"
#include "players/Stats.h"
#include "tests/fuzz/FuzzSupport.h"

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

namespace fs = std::filesystem;

// The user folder of the scratch folder, as the game finds it.
fs::path UserFolder() { return fuzz::ScratchFolder() / "QuennelVarrick"; }

void WriteProfile(const std::string& text) {
  fuzz::WriteBytes(UserFolder() / "players" / "00001.yml", reinterpret_cast<const std::uint8_t*>(text.data()),
                   text.size());
}

void FuzzProfile(const std::string& text) {
  WriteProfile(text);
  ScanPlayerProfiles();
  LoadProfileSummaries();
  if (ProfileList().size() != 1) __builtin_trap();
  YPlayerHero* hero = nullptr;
  LoadPlayerProfile(0, &hero);
  if (hero == nullptr) return;
  const std::string first = YPlayerSaver(&hero, false).ProfileText();
  WriteProfile(first);
  YPlayerHero* again = nullptr;
  LoadPlayerProfile(0, &again);
  if (again == nullptr || YPlayerSaver(&again, false).ProfileText() != first) __builtin_trap();
  YPlayerHero::DeleteWithArmy(again);
  YPlayerHero::DeleteWithArmy(hero);
}

// The bytes as the file the game reads, or from a stream of unknown size.
void FuzzStats(const std::string& bytes, bool asFile) {
  std::vector<ScoreRecord> records;
  if (asFile) {
    fuzz::WriteBytes(UserFolder() / "stats.dat", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                     bytes.size());
    Stats stats;
    stats.Load();
    records = stats.records;
    // A table not read whole is moved aside, never left to be written over.
    MemoryInStream table(bytes);
    std::string damage;
    Stats::Read(table, &damage);
    const fs::path aside = UserFolder() / "stats.dat.damaged";
    if ((!bytes.empty() && !damage.empty()) != fs::exists(aside)) __builtin_trap();
    fs::remove(aside);
  } else {
    MemoryInStream in(bytes, false);
    records = Stats::Read(in);
  }
  if (records.size() * 38 > bytes.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool loaded = [] {
    LoadCatalogue();
    GetInit().appData = fuzz::ScratchFolder().string();
    fs::create_directories(UserFolder() / "players");
    return true;
  }();
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
