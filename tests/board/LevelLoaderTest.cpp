// Level files: absolute, relative and ranged levels, the three placements
// (ordinal order past blocked squares, "[x, y]" and its fallback, "random"
// with its 200 tries), monsters that find no square or have no type, the
// desk's default, the bonus, and the desk-and-bonus-only reading.
#include <gtest/gtest.h>

#include <set>

#include "board/YTessor.h"
#include "board/YTessorLevelLoader.h"
#include "platform/Random.h"
#include "players/YPlayerMonster.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"

namespace {

class LevelLoaderTest : public BoardTest {
 protected:
  LevelLoaderTest() {
    WritePlainDesk("base.dsk", 'a');
    WritePlainDesk("fire.dsk", 'f');
  }

  void Load(const std::string& text, int baseLevel = 0, bool deskAndBonusOnly = false) {
    WriteFile("levels/test.yml", text);
    YTessorLevelLoader::Load(tessor, "levels\\test.yml", 3, baseLevel, deskAndBonusOnly);
  }

  std::vector<std::pair<int, int>> Cells(int side) const {
    std::vector<std::pair<int, int>> cells;
    for (const YTessorUnit* unit : tessor.Board().Units(side)) cells.push_back({unit->x, unit->y});
    return cells;
  }

  YTessor tessor;
};

TEST_F(LevelLoaderTest, LevelTextsCountFromTheBaseLevelWhenSigned) {
  const struct {
    const char* text;
    int base, low, high;
  } cases[] = {{"4", 5, 4, 4},    {"+2", 5, 7, 7},  {"-9", 5, 0, 0},
               {"3-3", 0, 3, 3},  {"3-5", 0, 3, 5}, {"-1", 5, 4, 4},
               {"+1-2", 5, 6, 7}, {"0", 5, 0, 0},   {"", 5, 0, 0},
               {"junk", 5, 0, 0}, {"5-3", 0, 5, 5}, {"99999999999", 0, 2147483647, 2147483647}};
  for (const auto& c : cases) {
    std::set<int> seen;
    for (std::uint32_t seed = 1; seed < 60; ++seed) {
      platform::SeedRandom(seed);
      seen.insert(YTessorLevelLoader::ParseLevel(c.text, c.base));
    }
    EXPECT_EQ(*seen.begin(), c.low) << c.text;
    EXPECT_EQ(*seen.rbegin(), c.high) << c.text;
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.high - c.low + 1)) << c.text;
  }
}

TEST_F(LevelLoaderTest, OrdinalPlacementFillsSideOnesRowsFromTheMiddlePastBlockedSquares) {
  WriteFile("desks/blocked.dsk", DeskText({"aaaXaaaaa", "aaaaOaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa",
                                           "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa"}));
  Load(R"(<desk name="blocked.dsk"/>
<monster id="golem"/><monster id="golem"/><monster id="golem"/><monster id="golem" position="[4, 8]"/>)");
  // (3, 8) is a wall and (4, 7) a pit: skipped, and never tried again.
  EXPECT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{4, 8}, {5, 8}, {2, 8}, {6, 8}}));
  for (const YTessorUnit* unit : tessor.Board().Units(1)) {
    EXPECT_EQ(unit->side, 1);
    EXPECT_TRUE(unit->OwnsRecord());
  }
  EXPECT_EQ(tessor.levelNumber, 3);
}

TEST_F(LevelLoaderTest, ExplicitSquaresAreTakenOrLoggedAndMonstersWithoutASquareLeave) {
  LogCapture log;
  Load(R"xml(<monster id="golem" position="[2, 6]"/>
<monster id="golem" position="[9, 0]"/>
<monster id="golem" position="[4,-1]"/>
<monster id="golem" position="[ 3, 3]"/>
<monster id="golem" position="(5, 5)"/>)xml");
  EXPECT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{2, 6}, {3, 3}}));  // blanks before a number are read
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Can not init unit pos[9, 0], id=golem",
                                                   "Can not init unit pos[4, -1], id=golem",
                                                   "Can not init unit pos[-1, -1], id=golem"}));
  int occupied = 0;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) occupied += tessor.Board().Cell(x, y).occupant != nullptr;
  }
  EXPECT_EQ(occupied, 2);
}

TEST_F(LevelLoaderTest, TheOrdinalSquaresRunOutAfterEighteen) {
  std::string text;
  for (int i = 0; i < 19; ++i) text += R"(<monster id="imp"/>)";
  LogCapture log;
  Load(text);
  EXPECT_EQ(tessor.Board().Units(1).size(), 18u);
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Can not init ordinal unit pos, id=imp"});
}

TEST_F(LevelLoaderTest, RandomPlacementDrawsRowThenColumnInTheFarHalf) {
  for (std::uint32_t seed = 1; seed < 30; ++seed) {
    platform::SeedRandom(seed);
    Load(R"(<monster id="golem" position="random"/>)");
    // The same draws by hand: level, record, no special counter, row, column.
    platform::SeedRandom(seed);
    YPlayerMonster expected("golem", 1, 1.0f);
    const int y = 5 + (platform::Random() & 3);
    const int x = platform::Random() % 9;
    ASSERT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{x, y}})) << seed;
    EXPECT_EQ(tessor.Board().Units(1)[0]->record->experience, expected.experience);
  }
  // A far half of walls: 200 tries, a log line, and no monster.
  const char* wall = "XXXXXXXXX";
  WriteFile("desks/walled.dsk", DeskText({wall, wall, wall, wall, "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa",
                                          "aaaaaaaaa", "aaaaaaaaa"}));
  LogCapture log;
  Load(R"(<desk name="walled.dsk"/><monster id="golem" position="random"/>)");
  EXPECT_TRUE(tessor.Board().Units(1).empty());
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Can not init unit pos, id=golem"});
}

TEST_F(LevelLoaderTest, SpecialCountersAreDrawnBetweenTheRecordAndThePlacement) {
  platform::SeedRandom(11);
  Load(R"(<monster id="sand_king" level="0-3" position="random"/>)");
  platform::SeedRandom(11);
  const int level = platform::Random() % 4;
  YPlayerMonster record("sand_king", level, 1.0f);
  const int counter = platform::Random() % 4;
  const int y = 5 + (platform::Random() & 3);
  const int x = platform::Random() % 9;
  ASSERT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{x, y}}));
  const YTessorUnit* king = tessor.Board().Units(1)[0];
  EXPECT_EQ(king->record->specialCounter, counter);
  EXPECT_EQ(king->record->experience, record.experience);
  EXPECT_EQ(king->Class(), UnitClass::kBoss);
}

TEST_F(LevelLoaderTest, UnknownMonstersAreSkippedWithTheCataloguesLine) {
  LogCapture log;
  Load(R"(<monster id="dragon"/><monster id="imp"/>)");
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unknown monster id: dragon"});
  EXPECT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{4, 8}}));
}

TEST_F(LevelLoaderTest, TheDeskDefaultsToTheBaseDeskAtTheFirstMonsterAndTheBonusIsKept) {
  tessor.Board().SetCellType(0, 0, cell_kind::kWall);
  Load(R"(<bonus artifact="ring" spell="1b33"/>)");
  EXPECT_EQ(tessor.Board().Cell(0, 0).Kind(), cell_kind::kWall);  // no monster: no desk
  EXPECT_EQ(tessor.bonusArtifact, "ring");
  EXPECT_EQ(tessor.bonusSpell, 0x1b33u);
  Load(R"(<monster id="imp"/>)");
  EXPECT_EQ(tessor.Board().Cell(0, 0).Kind(), cell_kind::kAir);
  EXPECT_EQ(tessor.bonusArtifact, "");
  EXPECT_EQ(tessor.bonusSpell, 0u);
  Load(R"(<desk name="fire.dsk"/><monster id="imp"/>)");
  EXPECT_EQ(tessor.Board().Cell(0, 0).Kind(), cell_kind::kFire);
  // A missing file leaves the board cleared.
  YTessorLevelLoader::Load(tessor, "levels\\none.yml", 0, 0, false);
  EXPECT_TRUE(tessor.Board().Units(1).empty());
}

TEST_F(LevelLoaderTest, DeskAndBonusOnlyKeepsTheRestoredUnits) {
  YPlayer hero;
  tessor.AddHeroUnit(&hero, 0, 4, 0);
  // Side 1's records are the board's to delete when the next level clears it.
  tessor.AddMonsterUnit(new YPlayerMonster("golem", 1, 1.0f), 1, 2, 7);
  LogCapture log;
  Load(R"(<desk name="fire.dsk"/><monster id="imp"/><bonus artifact="crown" spell="0315"/>)", 0, true);
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{2, 7}}));
  EXPECT_EQ(Cells(0), (std::vector<std::pair<int, int>>{{4, 0}}));
  EXPECT_EQ(tessor.Board().Cell(8, 8).Kind(), cell_kind::kFire);
  EXPECT_EQ(tessor.bonusArtifact, "crown");
  EXPECT_EQ(tessor.bonusSpell, 0x315u);
  // A fresh level clears both sides, keeping side 0's record (the hero's).
  Load(R"(<monster id="imp"/>)");
  EXPECT_TRUE(Cells(0).empty());
  EXPECT_EQ(tessor.Player(0), &hero);
  EXPECT_EQ(Cells(1), (std::vector<std::pair<int, int>>{{4, 8}}));
}

}  // namespace
