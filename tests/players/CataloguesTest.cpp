// The catalogue readers: declared defaults, elements outside their parent,
// hexadecimal keys, ids met twice, and the tile file's kinds and spells.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "render/YTextureBase.h"
#include "tests/players/PlayersFixture.h"

namespace {

using CatalogueTest = PlayersTest;
using Values = std::array<std::int32_t, 5>;

TEST_F(CatalogueTest, MonsterDefaultsAndNesting) {
  ClearMonsterTypes();
  YMonsterReader().Load(Write("m.yml", R"(
<data type="start" air="1"/>
<artifact id="ring"/>
<monster>
  <artifact id="ring"/>
  <spell id="1a"/>
  <data type="other" air="99"/>
  <level number="2"><spell id="1a"/><artifact id="ring"/></level>
  <spell id="1b"/>
</monster>
<level number="1"><spell id="33"/></level>
<layout name="outside.lay"/>
<monster id="m" move="Fly" way="Straight" boss="2"><data/><data type="skill" health="0"/></monster>
)"));
  ASSERT_EQ(MonsterTypes().size(), 2u);
  const YMonsterType& plain = *FindMonsterType("");
  EXPECT_EQ(std::tuple(plain.name, plain.face, plain.startLevel, plain.maxLevel, plain.moveKind, plain.way,
                       plain.distance, plain.boss, plain.start),
            std::tuple("MonsterName", ".jpg", 1, 100000, 0, 1, 2, false, Values{}));
  ASSERT_EQ(plain.spellsByLevel.size(), 1u) << "only the spell inside a level counts";
  EXPECT_EQ(std::pair(plain.spellsByLevel[0].level, plain.spellsByLevel[0].key), std::pair(2, 0x1au));
  EXPECT_EQ(plain.artifactsByLevel.size(), 1u);
  EXPECT_TRUE(plain.layouts.empty());
  const YMonsterType& m = *FindMonsterType("m");  // words are matched with their case
  EXPECT_EQ(std::tuple(m.moveKind, m.way, m.boss, m.start, m.skill),
            std::tuple(0, 1, true, Values{10, 10, 10, 10, 20}, Values{10, 10, 10, 10, 0}));
}

TEST_F(CatalogueTest, MonsterIdsMergeInOneLoadAndAreRebuiltByTheNext) {
  const std::string file = Write("m.yml", R"(
<monster id="twin" name="First"><level number="1"><spell id="0315"/></level><layout name="a.lay"/></monster>
<monster id="twin" name="Second"><level number="2"><spell id="1b33"/></level><layout name="b.lay"/></monster>
)");
  YMonsterReader reader;
  for (int load = 0; load < 3; ++load) {
    reader.Load(file);
    const YMonsterType* twin = FindMonsterType("twin");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->name, "Second");
    ASSERT_EQ(twin->spellsByLevel.size(), 2u) << "load " << load;
    EXPECT_EQ(twin->spellsByLevel[1].key, 0x1b33u);
    EXPECT_EQ(twin->layouts, (std::vector<std::string>{"a.lay", "b.lay"}));
  }
  EXPECT_EQ(std::count_if(MonsterTypes().begin(), MonsterTypes().end(), [](const auto& t) { return t->id == "twin"; }),
            1);
  EXPECT_NE(FindMonsterType("imp"), nullptr) << "types of earlier files stay";
}

TEST_F(CatalogueTest, HeroFileReplacesTheRaceTable) {
  YHeroReader reader(Write("h.yml", R"(
<hero gender="female"/>
<data type="start" air="1"/>
<race name="A">
  <hero/>
  <spell id="101"/>
</race>
<race name="B"><hero gender="Female" gold="5"><spell id="101"/><artifact id="x"/><artifact id="y"/></hero></race>
<race name="A">
  <hero gender="female"><data type="start" air="3" health="7"/><data type="skill" air="99"/></hero>
  <hero gender="female" face="second.tga"><spell id="0315"/></hero>
</race>
)"));
  std::vector<YHeroRace>& races = HeroRaces();
  ASSERT_EQ(races.size(), 2u) << "the fixture's races are gone";
  ASSERT_TRUE(races[0].male && races[0].female && races[1].male) << "\"Female\" is not female";
  const YHeroType& male = *races[0].male;
  EXPECT_EQ(std::tuple(male.face, male.moveKind, male.way, male.distance, male.gold), std::tuple(".jpg", 0, 1, 2, 100));
  EXPECT_TRUE(male.spellKeys.empty()) << "a spell outside a hero is ignored";
  const YHeroType& female = *races[0].female;
  EXPECT_EQ(female.face, "second.tga");
  EXPECT_EQ(female.start, (Values{3, 10, 10, 10, 7})) << "kept from the first element";
  EXPECT_EQ(female.spellKeys, (std::vector<std::uint32_t>{0x0315}));
  EXPECT_EQ(races[1].female, nullptr);
  EXPECT_EQ(races[1].male->spellKeys, (std::vector<std::uint32_t>{0x101}));
  EXPECT_EQ(races[1].male->artifactId, "y");
}

TEST_F(CatalogueTest, ArtifactsUpdateInPlace) {
  YArtifact* ring = YArtifactLoader::FindArtifact("ring");
  ASSERT_TRUE(ring && ring->texture);
  EXPECT_EQ(ring->texture->name(), "textures\\artifacts\\ring.tga");
  const std::size_t count = Artifacts().size();
  YArtifactLoader loader(Write("a.yml", R"(<artifact id="ring" name="New ring" air2="-3" skip="4"/><artifact id="bare"/>)"));
  EXPECT_EQ(YArtifactLoader::FindArtifact("ring"), ring) << "holders of the pointer see the new values";
  EXPECT_EQ(std::tuple(ring->name, ring->texture, ring->eval, ring->skip), std::tuple("New ring", nullptr, 1, 4));
  EXPECT_EQ(ring->elements2, (std::array<std::int32_t, 4>{-3, 0, 0, 0}));
  ASSERT_EQ(Artifacts().size(), count + 1);
  const YArtifact& bare = *Artifacts().back();
  EXPECT_EQ(std::tuple(bare.id, bare.name, bare.level, bare.eval), std::tuple("bare", "", 0, 1));
  EXPECT_EQ(YArtifactLoader::FindArtifact(""), nullptr);
}

TEST_F(CatalogueTest, TileKindsAndSpells) {
  TileTables tables;
  tables.Load(dir.Str() + "/");
  ASSERT_EQ(tables.Kinds().size(), 7u);
  const YTileKind& blaze = tables.Kinds()[4];
  EXPECT_EQ(std::tuple(blaze.id, blaze.Element(), blaze.Class()), std::tuple(0x15u, 1, 5));
  EXPECT_EQ(std::pair(tables.Kinds()[0].priority, tables.Kinds()[0].cost), std::pair(50, 0));
  const YTileSpell* storm = tables.FindSpell(0x0315);
  ASSERT_NE(storm, nullptr);
  EXPECT_EQ(tables.FindSpell(0x1503), storm);
  EXPECT_EQ(std::pair(storm->first, storm->second), std::pair(1, 4));
  EXPECT_EQ(tables.FindSpell(0x0509)->second, -1) << "kind 09 is not in the table";
  EXPECT_EQ(tables.FindSpell(0x0316), nullptr);

  std::filesystem::create_directories(dir.Path() / "more");
  Write("more/tiles.yml", R"(
<tile id="15" name="Inferno"/>
<tile/>
<spell id="1503" name="Tempest" level="4"/>
<tile id="09" name="Nine"/>
)");
  tables.Load(dir.Str() + "/more/");
  ASSERT_EQ(tables.Kinds().size(), 9u) << "kinds keep their indices; new ones are appended";
  EXPECT_EQ(tables.Kinds()[4].name, "Inferno");
  EXPECT_EQ(tables.Kinds()[7].name, "noname");
  EXPECT_EQ(tables.FindSpell(0x0315), storm) << "the swapped key updates the same record";
  EXPECT_EQ(std::tuple(storm->key, storm->name, storm->first), std::tuple(0x1503u, "Tempest", 4));
  EXPECT_EQ(tables.Spells().size(), 7u);
}

}  // namespace
