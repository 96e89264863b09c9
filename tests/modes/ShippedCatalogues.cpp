#include "tests/modes/ShippedCatalogues.h"

#include "framework/Init.h"
#include "framework/YLocale.h"
#include "players/PlayerProfiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"

namespace {
constexpr const char* kInterface = "ui\\english\\";
}  // namespace

ShippedCatalogues::ShippedCatalogues(const std::filesystem::path& gameFolder) : cwd_(gameFolder) {
  namespace fs = std::filesystem;
  oldAppData_ = GetInit().appData;
  GetInit().appData = user_.Str();
  const fs::path players = user_.Path() / "QuennelVarrick" / "players";
  fs::create_directories(players);
  for (const auto& entry : fs::directory_iterator(gameFolder / "players"))
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

ShippedCatalogues::~ShippedCatalogues() {
  ScanPlayerProfiles();
  GetInit().appData = oldAppData_;
}
