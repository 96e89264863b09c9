// The shipped catalogues hold together: tile kinds and spells under their
// exact keys, everything a monster, hero or profile names, the same ids in
// every language, positive prices, and names short enough for the peer link.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/XMLParser.h"
#include "platform/Paths.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YPlayerSaver.h"
#include "render/YFont.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tiles/YTileset.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLinkLimit = 200;
constexpr int kHighestPlayedLevel = 60;  // far beyond the last campaign level

fs::path Game() {
  return fs::path(QV_GAME_DIR);
}
bool Shipped(const std::string& dataName) {
  return fs::is_regular_file(Game() / platform::MapPath(dataName));
}

// Every interface language that ships catalogues.
std::vector<std::string> Languages() {
  std::vector<std::string> folders;
  for (const auto& entry : fs::directory_iterator(Game() / "ui")) {
    if (fs::exists(entry.path() / "monsters.yml")) folders.push_back(entry.path().filename().string());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

std::string Folder(const std::string& language) {
  return (Game() / "ui" / language).string() + "/";
}

// The values of one attribute of one tag, in file order.
std::vector<std::string> AttributeValues(const std::string& file, const char* tag, const char* attribute) {
  struct Collector : XMLParser {
    std::vector<std::string> values;
    void OnTagOpen(int) override { values.push_back(GetAttr(0, 0).value); }
    bool OnError(const std::string&) override { return true; }
  } collector;
  collector.AddTag(XMLParser::MakeTag(tag, {{attribute, ""}}));
  collector.ParseFile(file);
  return collector.values;
}

void LoadCatalogues(const std::string& language) {
  GetTileTables().Clear();
  GetTileTables().Load(Folder(language));
  ClearArtifacts();
  YArtifactLoader artifacts(Folder(language) + "artifacts.yml");
  ClearMonsterTypes();
  YMonsterReader().Load(Folder(language) + "monsters.yml");
  YHeroReader heroes(Folder(language) + "heroes.yml");
}

std::string Ints(std::initializer_list<std::int64_t> values) {
  std::string text;
  for (std::int64_t v : values) text += std::to_string(v) + " ";
  return text;
}

std::string Face(YPlayer& record) {
  return record.GetFace() ? record.GetFace()->name() : std::string();
}
std::string ArtifactWord(const YPlayer& record) {
  return record.artifact ? record.artifact->id : "0";
}

std::string SpellWords(const YPlayer& record) {
  std::string text = std::to_string(record.spells.size());
  for (const YTileSpell* spell : record.spells) text += " " + std::to_string(spell->key);
  return text;
}

// The board's description of a unit to the peer.
std::string UnitMessage(YPlayer& record, const std::string& line) {
  std::string text = "a_unit 8 8 0\n" + line + "\n";
  text += Ints({record.level, record.experience, record.moveKind, record.way, record.distance, record.health,
                record.baseHealth});
  for (std::size_t e = 0; e < 4; ++e) text += Ints({record.mana[e], record.baseMana[e]});
  return text + Face(record) + " " + ArtifactWord(record) + " " + SpellWords(record);
}

// The duel's greeting with a fighter's values.
std::string HelloMessage(YPlayer& record) {
  std::string text = "hello 0\n" + record.name + "\n";
  text += Ints({record.level, record.experience, record.health, record.maxValues[5]});
  for (std::size_t e = 0; e < 4; ++e) text += Ints({record.mana[e], record.maxValues[e + 1]});
  return text + Face(record) + " " + ArtifactWord(record) + " " + SpellWords(record);
}

class ShippedCatalogue : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { LoadCatalogues(GetParam()); }
};

TEST_P(ShippedCatalogue, TileKindsInDealOrder) {
  const std::vector<YTileKind>& kinds = GetTileTables().Kinds();
  std::vector<std::uint32_t> expected;
  for (std::uint32_t element = 0; element < 4; ++element) {
    const std::uint32_t classes = element % 2 == 0 ? 10 : 11;
    for (std::uint32_t c = 1; c <= classes; ++c) expected.push_back(element << 4 | c);
  }
  std::vector<std::uint32_t> ids;
  for (const YTileKind& kind : kinds) ids.push_back(kind.id);
  EXPECT_EQ(ids, expected);
  for (const YTileKind& kind : kinds) {
    EXPECT_EQ(kind.cost > 0, kind.Class() > 2) << std::hex << kind.id;  // the first two classes are free
    EXPECT_TRUE(kind.tex >= 0 && kind.tex < 44 && !kind.descr.empty()) << std::hex << kind.id;
  }
}

TEST_P(ShippedCatalogue, EverySpellOfTheDuelUnderItsExactKey) {
  std::set<std::uint32_t> expected;
  const int classes[4] = {10, 11, 10, 11};
  for (std::uint32_t e = 0; e < 4; ++e) {
    for (std::uint32_t c = 3; c <= static_cast<std::uint32_t>(classes[e]); ++c) {
      const std::uint32_t id = e << 4 | c;
      expected.insert(id << 8 | id);
    }
  }
  for (std::uint32_t key : {0x0315u, 0x0423u, 0x0509u, 0x051Au, 0x063Au, 0x0725u, 0x073Au, 0x0818u, 0x0933u,
                            0x130Au, 0x1326u, 0x1436u, 0x151Au, 0x163Bu, 0x1737u, 0x1929u, 0x1B03u, 0x1B33u,
                            0x2434u, 0x2614u, 0x2735u, 0x282Au, 0x3418u, 0x350Au, 0x3827u, 0x3937u})
    expected.insert(key);
  std::set<std::uint32_t> keys;
  for (const auto& spell : GetTileTables().Spells()) {
    keys.insert(spell->key);
    EXPECT_TRUE(spell->first >= 0 && spell->second >= 0 && !spell->name.empty()) << std::hex << spell->key;
  }
  EXPECT_EQ(keys, expected);
  std::set<std::string> sounds;
  for (const std::string& name :
       AttributeValues((Game() / "data" / "sound_fx.yml").string(), "sound", "name"))
    sounds.insert(name);
  for (const char* tag : {"tile", "spell"}) {
    for (const std::string& sound : AttributeValues(Folder(GetParam()) + "tiles.yml", tag, "sound"))
      EXPECT_TRUE(sound.empty() || sounds.count(sound)) << tag << " names the sound " << sound;
  }
}

TEST_P(ShippedCatalogue, ArtifactsHaveTheirPictures) {
  const auto& artifacts = Artifacts();
  ASSERT_GT(artifacts.size(), 10u);
  EXPECT_EQ(artifacts.front()->level, 0) << "the placeholder is never given to new heroes";
  EXPECT_EQ(YArtifactLoader::FindArtifact("0"), nullptr);
  for (const auto& artifact : artifacts) {
    if (artifact.get() == artifacts.front().get()) continue;
    ASSERT_NE(artifact->texture, nullptr) << artifact->id;
    EXPECT_TRUE(Shipped(artifact->texture->name()) && !artifact->name.empty()) << artifact->id;
  }
  EXPECT_TRUE(std::any_of(artifacts.begin(), artifacts.end(), [](const auto& a) { return a->level > 0; }));
}

TEST_P(ShippedCatalogue, MonstersNameWhatExists) {
  const auto& types = MonsterTypes();
  EXPECT_GE(types.size(), 30u);
  for (const char* id : {"tessort", "door_keeper", "sand_king", "sand_larva", "bloodsucker", "midworm",
                         "grim_worm", "hydra_body", "hydra_air", "hydra_fire", "hydra_earth", "hydra_water"})
    EXPECT_NE(FindMonsterType(id), nullptr) << id;
  std::set<int> moves;
  int firstShop = 0;
  const bool layoutsShipped = fs::is_directory(Game() / "layouts");
  for (const auto& type : types) {
    moves.insert(type->moveKind);
    EXPECT_TRUE(Shipped("textures\\monsters\\" + type->face)) << type->id << " " << type->face;
    EXPECT_FALSE(type->layouts.empty()) << type->id;
    for (const std::string& layout : type->layouts)
      EXPECT_TRUE(layout.find(' ') == std::string::npos && (!layoutsShipped || Shipped("layouts\\" + layout)))
          << type->id << " " << layout;
    for (const auto& entry : type->artifactsByLevel)
      EXPECT_NE(YArtifactLoader::FindArtifact(entry.id), nullptr) << type->id << " " << entry.id;
    for (const auto& entry : type->spellsByLevel)
      EXPECT_NE(GetTileTables().FindSpell(entry.key), nullptr) << type->id << " " << std::hex << entry.key;
    if (type->boss) continue;
    firstShop += type->startLevel == 0;
    YPlayerMonster weakest(*type);
    EXPECT_GE(UnitStrengthSum(weakest), 51) << type->id << ": its price would fall to 0 at factor 2";
  }
  EXPECT_EQ(moves, (std::set<int>{0, 1, 2}));
  EXPECT_GE(firstShop, 4) << "the first shop offers start-level-0 types only";
  for (const char* boss : {"tessort", "door_keeper", "sand_king", "hydra_body", "hydra_air"})
    EXPECT_TRUE(FindMonsterType(boss)->boss) << boss;
}

TEST_P(ShippedCatalogue, HeroesNameWhatExists) {
  const std::vector<YHeroRace>& races = HeroRaces();
  ASSERT_GE(races.size(), 2u);
  bool single = false;
  for (const YHeroRace& race : races) {
    single |= (race.male == nullptr) != (race.female == nullptr);
    for (const YHeroType* hero : {race.male.get(), race.female.get()}) {
      if (hero == nullptr) continue;
      EXPECT_TRUE(Shipped("textures\\" + hero->face)) << race.name << " " << hero->face;
      EXPECT_TRUE(hero->artifactId.empty() || YArtifactLoader::FindArtifact(hero->artifactId))
          << hero->artifactId;
      for (std::uint32_t key : hero->spellKeys)
        EXPECT_NE(GetTileTables().FindSpell(key), nullptr) << race.name;
    }
  }
  EXPECT_TRUE(single) << "one race with a single hero";
}

TEST_P(ShippedCatalogue, PeerMessagesStayWithinTheLink) {
  for (const auto& type : MonsterTypes()) {
    const int top = std::min(type->maxLevel, type->startLevel + kHighestPlayedLevel);
    YPlayerMonster monster(type->id, top, 2.0f);
    monster.maxValues = {0,
                         monster.baseMana[0],
                         monster.baseMana[1],
                         monster.baseMana[2],
                         monster.baseMana[3],
                         monster.baseHealth};
    EXPECT_LE(UnitMessage(monster, type->id).size(), kLinkLimit) << type->id;
    EXPECT_LE(HelloMessage(monster).size(), kLinkLimit) << type->id;
  }
  const std::string longName(16, 'W');
  for (std::size_t race = 0; race < HeroRaces().size(); ++race) {
    for (int gender = 0; gender < 2; ++gender) {
      auto hero = CreateHero(longName, static_cast<int>(race), gender, 0, 0, 2.0f);
      if (!hero) continue;
      hero->experience = static_cast<std::int32_t>(ExperienceForLevel(kHighestPlayedLevel));
      hero->UpdateLevel();
      // The five longest keys as active spells, the longest artifact id.
      std::vector<YTileSpell*> spells;
      for (const auto& spell : GetTileTables().Spells()) spells.push_back(spell.get());
      std::sort(spells.begin(), spells.end(), [](auto* a, auto* b) { return a->key > b->key; });
      hero->spells.assign(spells.begin(), spells.begin() + 5);
      for (const auto& artifact : Artifacts())
        if (!hero->artifact || artifact->id.size() > hero->artifact->id.size())
          hero->artifact = artifact.get();
      EXPECT_LE(UnitMessage(*hero, longName).size(), kLinkLimit) << HeroRaces()[race].name;
      EXPECT_LE(HelloMessage(*hero).size(), kLinkLimit) << HeroRaces()[race].name;
    }
  }
}

TEST_P(ShippedCatalogue, SeedProfilesReadWhole) {
  int profiles = 0;
  for (const auto& entry : fs::directory_iterator(Game() / "players")) {
    LogCapture log;
    YPlayerHero* hero = nullptr;
    YPlayerSaver reader(&hero, false);
    reader.Load(entry.path().string());
    ASSERT_NE(hero, nullptr) << entry.path();
    EXPECT_TRUE(log.Lines().empty()) << entry.path() << ": " << log.Lines().front();
    int army = 0;
    for (int slot = 0; slot < kArmySlots; ++slot) army += hero->SlotMonster(slot) != nullptr;
    EXPECT_TRUE(Shipped(hero->face->name()) && army > 0 && !hero->spells.empty()) << entry.path();
    YPlayerHero::DeleteWithArmy(hero);
    ++profiles;
  }
  EXPECT_EQ(profiles, 2);
}

// The battle's spell lists show every name whole in its field, clear of
// the panel's border, at a size that still reads.
TEST_P(ShippedCatalogue, SpellNamesFitTheSpellListsWhole) {
  YFont font("mainfont");
  font.LoadData((Game() / "fonts" / "mainfont.dat").string());
  ASSERT_GT(font.GetTextWidth("Mending Spring"), 0.0f);
  for (const auto& spell : GetTileTables().Spells()) {
    const float width = font.GetTextWidth(spell->name);
    const float size = YTileset::SpellNameSize(width);
    EXPECT_LE(width * size, 85.001f) << spell->name;  // the field's part the panel's border leaves
    EXPECT_GE(size, 12.0f) << spell->name;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedCatalogue, ::testing::ValuesIn(Languages()));

// Every language lists the same monster, artifact, race and spell ids, so a
// save or profile reads the same in each.
TEST(ShippedCatalogues, SameIdsInEveryLanguage) {
  const auto ids = [](const std::string& language) {
    std::vector<std::string> all;
    for (const auto& [file, tag, attribute] : {std::tuple{"monsters.yml", "monster", "id"},
                                               {"artifacts.yml", "artifact", "id"},
                                               {"tiles.yml", "spell", "id"},
                                               {"tiles.yml", "tile", "id"}}) {
      for (const std::string& id : AttributeValues(Folder(language) + file, tag, attribute))
        all.push_back(std::string(tag) + ":" + id);
    }
    std::sort(all.begin(), all.end());
    return all;
  };
  const std::vector<std::string> languages = Languages();
  ASSERT_FALSE(languages.empty());
  for (const std::string& language : languages) EXPECT_EQ(ids(language), ids(languages.front())) << language;
}

}  // namespace
