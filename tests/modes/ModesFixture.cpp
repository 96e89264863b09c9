#include "tests/modes/ModesFixture.h"

#include <filesystem>

#include "framework/Init.h"
#include "framework/YLocale.h"
#include "players/PlayerProfiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayer.h"
#include "tiles/YPlayerCommander.h"
#include "tiles/YTileset.h"

namespace {

constexpr const char* kInterface = "ui\\english\\";

// Takes the side to move's first turn by striking the other fighter down.
class StrikingCommander : public YPlayerCommander {
 public:
  using YPlayerCommander::YPlayerCommander;
  std::int32_t Kind() const override { return kComputer; }
  void Update() override {
    if (YPlayer* other = Battle()->Fighter(side ^ 1)) other->health = 0;
  }
};

}  // namespace

ShippedGameTest::ShippedGameTest() : cwd_(QV_GAME_DIR) {
  namespace fs = std::filesystem;
  oldAppData_ = GetInit().appData;
  GetInit().appData = user_.Str();
  const fs::path players = user_.Path() / "QuennelVarrick" / "players";
  fs::create_directories(players);
  for (const auto& entry : fs::directory_iterator(fs::path(QV_GAME_DIR) / "players"))
    fs::copy_file(entry.path(), players / entry.path().filename());
  GetLocale().Load(std::string(kInterface) + "locale.yml");
  ClearArtifacts();
  YArtifactLoader artifacts(std::string(kInterface) + "artifacts.yml");
  ClearMonsterTypes();
  YMonsterReader().Load(std::string(kInterface) + "monsters.yml");
  YHeroReader heroes(std::string(kInterface) + "heroes.yml");
  GetTileTables().Clear();
  GetTileTables().Load(kInterface);
  ScanPlayerProfiles();
  LoadProfileSummaries();
}

ShippedGameTest::~ShippedGameTest() {
  ScanPlayerProfiles();
  GetInit().appData = oldAppData_;
}

std::unique_ptr<YPlayerCommander> ComputerFactory::DuelComputer(std::int32_t side, std::int32_t row) {
  if (decide_) return std::make_unique<StrikingCommander>(side);
  return CommanderFactory::DuelComputer(side, row);
}
