// Arbitrary bytes as a campaign save, read in full (the checks that refuse
// a save before anything is applied) and in summary mode. A read that is
// not refused has a hero in an army slot. The first corpus folder is seeded
// with a save the quest wrote during a duel inside a level (desk, battle,
// tiles and shop), cut to its first tiles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "modes/YQuestSaver.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterReader.h"
#include "players/YPlayerHero.h"
#include "tests/fuzz/FuzzSupport.h"

namespace fs = std::filesystem;

namespace {

const char* const kSeedSave = R"(<game state="2">
<hero name="Ada" face="textures\heroes\sylph_female.tga" move="fly" distance="3" gold="1646" kill="1" goldall="46" experienceall="10">
<evol experience="10" slot="4" pos_x="4" pos_y="0">
<data type="now" air="16" fire="5" earth="4" water="9" health="170">
<data type="start" air="15" fire="5" earth="5" water="9" health="170">
<data type="self" air="15" fire="5" earth="5" water="9" health="170">
<data type="skill" air="2" fire="2" earth="1" water="2" health="1">
<artifact id="feather_charm" selected="1">
<spell id="315" selected="1">
</hero>
<desk gold="1646">
<monster id="mudling">
<evol experience="29" pos_x="4" pos_y="8">
<data type="now" air="2" fire="2" earth="7" water="4" health="45">
<data type="self" air="2" fire="2" earth="9" water="4" health="45">
</monster>
</desk>
<battle layout="layouts\standard.lay" player1="4" gold="1646" experience="10">
<tile id="57" x="3" y="13" z="1">
<tile id="25" x="5" y="13" z="1">
<tile id="37" x="7" y="13" z="1">
<tile id="24" x="9" y="13" z="1">
<tile id="22" x="11" y="13" z="1">
<tile id="23" x="13" y="13" z="1">
<tile id="5" x="15" y="13" z="1">
<tile id="56" x="17" y="13" z="1">
</battle>
<shop>
<monster id="mudling">
<evol experience="64">
<data type="self" air="2" fire="2" earth="12" water="5" health="95">
</monster>
<monster id="sprite">
<evol experience="85" slot="1">
<data type="self" air="9" fire="2" earth="4" water="6" health="80">
</monster>
<monster id="marsh_eel">
<evol experience="22" slot="2">
<data type="self" air="4" fire="2" earth="2" water="10" health="84">
</monster>
<monster id="sprite">
<evol experience="22" slot="3">
<data type="self" air="8" fire="2" earth="3" water="5" health="80">
</monster>
<monster id="stone_beetle">
<evol experience="58" slot="4">
<data type="self" air="1" fire="3" earth="12" water="4" health="100">
</monster>
</shop>
</game>

)";

void SeedFirstCorpus(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::error_code ec;
    if (arg.empty() || arg[0] == '-' || !fs::is_directory(arg, ec)) continue;
    const std::string seed(kSeedSave);
    fuzz::WriteBytes(fs::path(arg) / "seed_save.yml", reinterpret_cast<const std::uint8_t*>(seed.data()),
                     seed.size());
    return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const std::string ui = std::string(QV_SOURCE_DIR) + "/content/ui/english/";
  GetTileTables().Load(ui);
  YArtifactLoader artifacts(ui + "artifacts.yml");
  YMonsterReader().Load(ui + "monsters.yml");
  SeedFirstCorpus(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::AsText(data, size);
  YQuestSaver reader;
  const std::unique_ptr<QuestSaveData> save = reader.Read(text, "fuzz", 10);
  if (save != nullptr) {
    bool placed = false;
    for (const YPlayer* record : save->hero->slots) placed = placed || record == save->hero;
    if (!placed) std::abort();
  }
  reader.ReadSummary(text, "fuzz");
  return 0;
}
