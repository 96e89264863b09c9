#include "tests/players/PlayersFixture.h"

#include <filesystem>

#include "framework/Init.h"
#include "players/PlayerProfiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterSet.h"
#include "players/YMonsterType.h"

namespace {

const char* const kTestTiles = R"(
<tile id="01" name="Breeze"/>
<tile id="03" name="Gust" cost="3"/>
<tile id="04" name="Whirl" cost="4"/>
<tile id="13" name="Spark" cost="3"/>
<tile id="15" name="Blaze" cost="5"/>
<tile id="23" name="Pebble" cost="3"/>
<tile id="33" name="Drop" cost="3"/>
<spell id="0315" name="Storm" level="0"/>
<spell id="0423" name="Leech" level="2"/>
<spell id="1b33" name="Balance" level="1"/>
<spell id="0509" name="Psyche" level="5"/>
<spell id="3937" name="Frost" level="3"/>
<spell id="0818" name="Sweep" level="9"/>
<spell id="0303" name="Gust" level="100"/>
)";

const char* const kTestArtifacts = R"(
<artifact id="none" name="Nothing"/>
<artifact id="ring" name="Ring" eval="25" level="1" tex="ring.tga"/>
<artifact id="amulet" name="Amulet" eval="10" level="2"/>
<artifact id="crown" name="Crown" eval="50"/>
)";

const char* const kTestMonsters = R"(
<monster id="imp" name="Imp" face="imp.tga" startLevel="0" maxlevel="10" move="fly" way="any" distance="3">
  <data type="start" air="5" fire="8" earth="2" water="1" health="60"/>
  <data type="skill" air="2" fire="1" earth="3" water="3" health="4"/>
  <level number="0"><spell id="0315"/></level>
  <level number="2"><artifact id="ring"/><spell id="1b33"/></level>
  <level number="4"><artifact id="amulet"/><spell id="1503"/><spell id="0423"/></level>
  <layout name="standard.lay"/>
</monster>
<monster id="golem" name="Golem" face="golem.tga" startLevel="1" maxlevel="5" move="walk" way="straight" distance="1">
  <data type="start" air="0" fire="2" earth="12" water="4" health="80"/>
  <data type="skill" air="0" fire="3" earth="1" water="2" health="2"/>
</monster>
<monster id="wyrm" name="Wyrm" face="wyrm.tga" startLevel="3" maxlevel="100000" move="teleport" distance="4">
  <data type="start" air="9" fire="9" earth="9" water="9" health="90"/>
  <data type="skill" air="1" fire="1" earth="1" water="1" health="3"/>
</monster>
<monster id="lord" name="Lord" face="lord.tga" startLevel="0" maxlevel="50" boss="1">
  <data type="start" air="20" fire="20" earth="20" water="20" health="200"/>
</monster>
)";

const char* const kTestHeroes = R"(
<race name="Sylph">
  <hero gender="male" face="heroes\sylph_m.tga" move="fly" way="any" distance="3" gold="800">
    <data type="start" air="12" fire="6" earth="4" water="8" health="100"/>
    <artifact id="crown"/>
    <spell id="0315"/><spell id="1503"/><spell id="1b33"/>
  </hero>
  <hero gender="female" face="heroes\sylph_f.tga" gold="700">
    <data type="start" air="14" fire="5" earth="5" water="7" health="90"/>
  </hero>
</race>
<race name="Hermit">
  <hero gender="female" face="heroes\hermit.tga" move="teleport" distance="2" gold="500">
    <data type="start" air="3" fire="3" earth="3" water="3" health="120"/>
  </hero>
</race>
)";

}  // namespace

void PlayersTest::SetUp() {
  oldAppData_ = GetInit().appData;
  GetInit().appData = dir.Str();
  std::filesystem::create_directories(PlayersFolder());
  GetTileTables().Clear();
  Write("tiles.yml", kTestTiles);
  GetTileTables().Load(dir.Str() + "/");
  ClearArtifacts();
  YArtifactLoader artifacts(Write("artifacts.yml", kTestArtifacts));
  ClearMonsterTypes();
  YMonsterReader().Load(Write("monsters.yml", kTestMonsters));
  YHeroReader heroes(Write("heroes.yml", kTestHeroes));
  ScanPlayerProfiles();
}

void PlayersTest::TearDown() {
  SaveCurrentProfile();
  ProfileMonsterSet().Attach(nullptr, false);
  ScanPlayerProfiles();
  GetInit().appData = oldAppData_;
}

std::string PlayersTest::Write(const std::string& name, const std::string& text) const {
  testing_support::WriteFile(dir.Path() / name, text);
  return dir.File(name);
}

std::string PlayersTest::PlayersFolder() const { return (dir.Path() / "QuennelVarrick" / "players").string(); }
