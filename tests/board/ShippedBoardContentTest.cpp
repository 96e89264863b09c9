// The shipped desks and levels: every desk reads without an error line and
// keeps the armies' home rows free of walls and pits; together they use
// walls, pits, mutex cells and every power point, one with CRLF line ends.
// Every level, at any hero level and random seed, loads without an error
// line, places all its monsters (each of the catalogue), offers an artifact
// and a spell that exist, and reads in desk-and-bonus mode without a line
// either. The campaign has at least ten levels. No level's reward is
// something a new hero of any language's catalogue starts with or an
// earlier level already gives, since a duplicate gives nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include "board/DeskFile.h"
#include "board/YTessor.h"
#include "board/YTessorLevelLoader.h"
#include "platform/Random.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

fs::path Game() {
  return fs::path(QV_GAME_DIR);
}

std::vector<std::string> Names(const char* folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Game() / folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ShippedBoardContent : public ::testing::Test {
 protected:
  ShippedBoardContent() {
    const std::string ui = (Game() / "ui" / "english").string() + "/";
    GetTileTables().Clear();
    GetTileTables().Load(ui);
    ClearArtifacts();
    YArtifactLoader artifacts(ui + "artifacts.yml");
    ClearMonsterTypes();
    YMonsterReader().Load(ui + "monsters.yml");
  }
  ~ShippedBoardContent() override { ClearMonsterTypes(); }

  testing_support::ScopedCwd cwd_{Game()};
};

TEST_F(ShippedBoardContent, DesksReadCleanlyAndTogetherUseEveryKindOfCell) {
  const std::vector<std::string> desks = Names("desks");
  ASSERT_GE(desks.size(), 5u);
  EXPECT_TRUE(std::count(desks.begin(), desks.end(), "base.dsk"));
  std::set<std::uint32_t> types;
  bool crlf = false;
  for (const std::string& name : desks) {
    LogCapture log;
    YTessorBoard board;
    EXPECT_TRUE(LoadDeskFile("desks\\" + name, board)) << name;
    EXPECT_TRUE(log.Lines().empty()) << name;
    for (int y = 0; y < kBoardSize; ++y) {
      for (int x = 0; x < kBoardSize; ++x) {
        types.insert(board.Cell(x, y).type);
        const bool homeRow = y < 2 || y > 6;
        EXPECT_FALSE(homeRow && board.Cell(x, y).IsBlocked()) << name << " " << x << "," << y;
      }
    }
    crlf |= testing_support::ReadFile(Game() / "desks" / name).find("\r\n") != std::string::npos;
  }
  EXPECT_TRUE(crlf);
  for (std::uint32_t type : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 8u, 9u, 10u, 11u, 12u})
    EXPECT_TRUE(types.count(type)) << type;
}

TEST_F(ShippedBoardContent, LevelsLoadWithoutErrorLinesAtAnyHeroLevel) {
  const std::vector<std::string> levels = Names("levels");
  ASSERT_GE(levels.size(), 10u);
  const std::regex padded(R"(level\d\d\.yml)");
  int withBonus = 0;
  for (const std::string& name : levels) {
    EXPECT_TRUE(std::regex_match(name, padded)) << name;
    const std::string text = testing_support::ReadFile(Game() / "levels" / name);
    std::size_t monsters = 0;
    for (std::size_t at = text.find("<monster id=\""); at != std::string::npos;
         at = text.find("<monster id=\"", at + 1)) {
      ++monsters;
      const std::size_t from = at + 13;
      const std::string id = text.substr(from, text.find('"', from) - from);
      EXPECT_NE(FindMonsterType(id), nullptr) << name << ": " << id;
    }
    for (int heroLevel = 0; heroLevel <= 12; heroLevel += 3) {
      for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        platform::SeedRandom(seed);
        YTessor tessor;
        LogCapture log;
        YTessorLevelLoader::Load(tessor, "levels\\" + name, 0, heroLevel, false);
        EXPECT_EQ(log.Lines(), std::vector<std::string>{}) << name << " level " << heroLevel;
        EXPECT_EQ(tessor.Board().Units(1).size(), monsters) << name;
        EXPECT_NE(YArtifactLoader::FindArtifact(tessor.bonusArtifact), nullptr) << name;
        EXPECT_NE(GetTileTables().FindSpell(tessor.bonusSpell), nullptr) << name;
        if (heroLevel == 0 && seed == 1) withBonus += tessor.bonusSpell != 0;
      }
    }
    YTessor restored;
    LogCapture log;
    YTessorLevelLoader::Load(restored, "levels\\" + name, 0, 0, true);
    EXPECT_TRUE(log.Lines().empty()) << name;
    EXPECT_TRUE(restored.Board().Units(1).empty());
  }
  EXPECT_EQ(withBonus, static_cast<int>(levels.size()));
}

std::string SpellName(std::uint32_t key) {
  char text[16];
  std::snprintf(text, sizeof text, "spell %04X", key);
  return text;
}

TEST_F(ShippedBoardContent, EveryLevelRewardIsNewToEveryHero) {
  std::set<std::string> owned;
  for (const auto& language : fs::directory_iterator(Game() / "ui")) {
    YHeroReader heroes((language.path() / "heroes.yml").string());
    for (const YHeroRace& race : HeroRaces()) {
      for (const YHeroType* hero : {race.male.get(), race.female.get()}) {
        if (hero == nullptr) continue;
        if (!hero->artifactId.empty()) owned.insert(hero->artifactId);
        for (std::uint32_t key : hero->spellKeys) owned.insert(SpellName(key));
      }
    }
  }
  ASSERT_GT(owned.size(), 4u);
  for (const std::string& name : Names("levels")) {
    YTessor tessor;
    YTessorLevelLoader::Load(tessor, "levels\\" + name, 0, 0, true);
    for (const std::string& reward : {tessor.bonusArtifact, SpellName(tessor.bonusSpell)})
      EXPECT_TRUE(owned.insert(reward).second) << name << ": " << reward << " is owned already";
  }
}

}  // namespace
