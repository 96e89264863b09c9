#include "tests/modes/QuestFixture.h"

#include <algorithm>

#include "board/YTessor.h"
#include "framework/Init.h"
#include "platform/Random.h"
#include "players/Stats.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"
#include "tests/support/TestSupport.h"
#include "tiles/YTileset.h"

namespace fs = std::filesystem;

namespace quest_test {

namespace {

const char* const kLevel1 = R"(<desk name="base.dsk"/>
<monster id="mudling" level="0" position="[4, 8]"/>
<bonus artifact="feather_charm" spell="0315"/>
)";
const char* const kLevel2 = R"(<desk name="base.dsk"/>
<monster id="frogling" level="0" position="[4, 8]"/>
<bonus artifact="ember_ring" spell="0423"/>
)";

std::string Content(const char* path) {
  return std::string(QV_SOURCE_DIR) + "/content/" + path;
}

}  // namespace

void RecordingHost::ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience,
                                      std::int32_t goldBonus, std::int32_t experienceBonus) {
  state |= 0x40;  // the result screen over the duel
  calls.push_back(std::string(victory ? "victory " : "draw ") + std::to_string(gold) + " " +
                  std::to_string(experience) + " " + std::to_string(goldBonus) + " " +
                  std::to_string(experienceBonus));
}

void RecordingHost::ShowDefeat(std::int32_t gold, std::int32_t experience) {
  state |= 0x40;
  calls.push_back("defeat " + std::to_string(gold) + " " + std::to_string(experience));
}

void RecordingHost::ShowLevelComplete(const std::string& artifact, std::uint32_t spell) {
  calls.push_back("reward " + artifact + " " + std::to_string(spell));
}

void RecordingHost::ShowHeroFine(const std::string&, std::int32_t gold) {
  calls.push_back("fine " + std::to_string(gold));
}

bool RecordingHost::Saw(const std::string& call) const {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

QuestTest::QuestTest() : quest(GetGameQuest()) {
  // The same draws whatever ran before in this process: the door keeper's
  // experience, the deals and the shop's offers are part of what is checked.
  platform::SeedRandom(1);
  const fs::path here = fs::current_path();
  fs::create_directories(here / "desks");
  fs::copy_file(Content("desks/base.dsk"), here / "desks" / "base.dsk");
  fs::create_directories(here / "levels");
  testing_support::WriteFile(here / "levels" / "level01.yml", kLevel1);
  testing_support::WriteFile(here / "levels" / "level02.yml", kLevel2);
  fs::create_directories(here / "user" / "QuennelVarrick");
  oldAppData = GetInit().appData;
  GetInit().appData = (here / "user").string() + "/";
  // The hall and the quest's save list are read again from this test's own,
  // empty user folder: an earlier test in this process leaves the process's
  // quest and hall holding the saves and records of its folder.
  GetStats().Load();
  quest.LoadSaveList();
  YArtifactLoader artifacts(Content("ui/english/artifacts.yml"));
  ClearMonsterTypes();
  YMonsterReader().Load(Content("ui/english/monsters.yml"));
  YHeroReader heroes(Content("ui/english/heroes.yml"));
  quest.SetHost(&host);
}

QuestTest::~QuestTest() {
  quest.End();
  quest.SetHost(nullptr);
  quest.SetFactory(nullptr);
  GetTileset().gameMode = nullptr;
  GetTessor().SetGameMaster(nullptr);
  GetInit().appData = oldAppData;
}

fs::path QuestTest::SaveFolder() const {
  return fs::current_path() / "user" / "QuennelVarrick" / "save";
}

void QuestTest::BeginQuest(std::int32_t difficulty) {
  ASSERT_TRUE(quest.NewGame({"Ada", 0, 1, 2, difficulty}));
  quest.Start();
  ASSERT_NE(quest.DoorKeeper(), nullptr);
}

void QuestTest::PassDoorKeeper() {
  quest.DoorKeeper()->health = 0;
  quest.OnFightEnd(0);
  quest.OnLevelEnd();
}

bool QuestTest::SaveAndResume() {
  quest.Save();
  quest.LoadSaveList();
  const auto& saves = quest.Saves();
  const std::string own = fs::path(quest.SavePath()).filename().string();
  const std::string name = own.substr(own.find_last_of('\\') + 1);
  for (std::size_t i = 0; i < saves.size(); ++i) {
    if (saves[i].fileName == name) return quest.LoadSave(static_cast<int>(i));
  }
  return false;
}

}  // namespace quest_test
