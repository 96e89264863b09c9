// The catalogue readers: declared defaults, elements outside their parent,
// hexadecimal keys, ids met twice in one file or in a second load, and the
// tile file's kinds and spells.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "render/YTextureBase.h"
#include "tests/players/PlayersFixture.h"

namespace {

using CatalogueTest = PlayersTest;

TEST_F(CatalogueTest, MonsterDefaultsAndNesting) {
  ClearMonsterTypes();
  YMonsterReader reader;
  reader.Load(Write("m.yml", R"(
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
  EXPECT_EQ(plain.name, "MonsterName");
  EXPECT_EQ(plain.face, ".jpg");
  EXPECT_EQ(plain.startLevel, 1);
  EXPECT_EQ(plain.maxLevel, 100000);
  EXPECT_EQ(plain.moveKind, 0);
  EXPECT_EQ(plain.way, 1);
  EXPECT_EQ(plain.distance, 2);
  EXPECT_FALSE(plain.boss);
  EXPECT_EQ(plain.start, (std::array<std::int32_t, 5>{}));
  ASSERT_EQ(plain.spellsByLevel.size(), 1u) << "only the spell inside a level counts";
  EXPECT_EQ(plain.spellsByLevel[0].key, 0x1au);
  EXPECT_EQ(plain.spellsByLevel[0].level, 2);
  ASSERT_EQ(plain.artifactsByLevel.size(), 1u);
  EXPECT_TRUE(plain.layouts.empty());

  const YMonsterType& m = *FindMonsterType("m");
  EXPECT_EQ(m.moveKind, 0);
  EXPECT_EQ(m.way, 1);
  EXPECT_TRUE(m.boss);
  EXPECT_EQ(m.start, (std::array<std::int32_t, 5>{10, 10, 10, 10, 20}));
  EXPECT_EQ(m.skill, (std::array<std::int32_t, 5>{10, 10, 10, 10, 0}));
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
  EXPECT_EQ(std::count_if(MonsterTypes().begin(), MonsterTypes().end(),
                          [](const auto& type) { return type->id == "twin"; }),
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
  ASSERT_NE(races[0].male, nullptr);
  const YHeroType& male = *races[0].male;
  EXPECT_EQ(male.face, ".jpg");
  EXPECT_EQ(male.moveKind, 0);
  EXPECT_EQ(male.way, 1);
  EXPECT_EQ(male.distance, 2);
  EXPECT_EQ(male.gold, 100);
  EXPECT_TRUE(male.spellKeys.empty()) << "a spell outside a hero is ignored";
  ASSERT_NE(races[0].female, nullptr);
  const YHeroType& female = *races[0].female;
  EXPECT_EQ(female.face, "second.tga");
  EXPECT_EQ(female.start, (std::array<std::int32_t, 5>{3, 10, 10, 10, 7})) << "kept from the first element";
  EXPECT_EQ(female.spellKeys, (std::vector<std::uint32_t>{0x0315}));
  ASSERT_NE(races[1].male, nullptr) << "\"Female\" is not female";
  EXPECT_EQ(races[1].female, nullptr);
  EXPECT_EQ(races[1].male->spellKeys, (std::vector<std::uint32_t>{0x101}));
  EXPECT_EQ(races[1].male->artifactId, "y");
}

TEST_F(CatalogueTest, ArtifactsUpdateInPlace) {
  YArtifact* ring = YArtifactLoader::FindArtifact("ring");
  ASSERT_NE(ring, nullptr);
  ASSERT_NE(ring->texture, nullptr);
  EXPECT_EQ(ring->texture->name(), "textures\\artifacts\\ring.tga");
  const std::size_t count = Artifacts().size();
  YArtifactLoader loader(Write("a.yml", R"(<artifact id="ring" name="New ring" air2="-3" skip="4"/><artifact id="bare"/>)"));
  EXPECT_EQ(YArtifactLoader::FindArtifact("ring"), ring) << "holders of the pointer see the new values";
  EXPECT_EQ(ring->name, "New ring");
  EXPECT_EQ(ring->texture, nullptr);
  EXPECT_EQ(ring->eval, 1);
  EXPECT_EQ(ring->elements2, (std::array<std::int32_t, 4>{-3, 0, 0, 0}));
  EXPECT_EQ(ring->skip, 4);
  ASSERT_EQ(Artifacts().size(), count + 1);
  const YArtifact& bare = *Artifacts().back();
  EXPECT_EQ(bare.id, "bare");
  EXPECT_TRUE(bare.name.empty());
  EXPECT_EQ(bare.level, 0);
  EXPECT_EQ(bare.eval, 1);
  EXPECT_EQ(YArtifactLoader::FindArtifact(""), nullptr);
}

TEST_F(CatalogueTest, TileKindsAndSpells) {
  TileTables tables;
  tables.Load(dir.Str() + "/");
  ASSERT_EQ(tables.Kinds().size(), 7u);
  EXPECT_EQ(tables.Kinds()[4].id, 0x15u);
  EXPECT_EQ(tables.Kinds()[4].Element(), 1);
  EXPECT_EQ(tables.Kinds()[4].Class(), 5);
  EXPECT_EQ(tables.Kinds()[0].priority, 50);
  EXPECT_EQ(tables.Kinds()[0].cost, 0);
  const YTileSpell* storm = tables.FindSpell(0x0315);
  ASSERT_NE(storm, nullptr);
  EXPECT_EQ(tables.FindSpell(0x1503), storm);
  EXPECT_EQ(storm->first, 1);
  EXPECT_EQ(storm->second, 4);
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
  EXPECT_EQ(storm->key, 0x1503u);
  EXPECT_EQ(storm->name, "Tempest");
  EXPECT_EQ(storm->first, 4);
  EXPECT_EQ(tables.Spells().size(), 7u);
}

}  // namespace
