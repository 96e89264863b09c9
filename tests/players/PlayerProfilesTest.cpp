// Player profiles on disk: creating, saving and reading back a hero with its
// army; numbering and the lists with stray or broken files; deleting.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <tuple>
#include <vector>

#include "framework/Init.h"
#include "players/NumberedFiles.h"
#include "players/PlayerRules.h"
#include "players/PlayerProfiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterSet.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YPlayerSaver.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tests/players/PlayersFixture.h"

namespace fs = std::filesystem;

namespace {

// What a profile keeps of a hero, as one line.
std::string Describe(YPlayerHero& hero) {
  std::ostringstream out;
  out << hero.name << " gold " << hero.gold << " level " << hero.level << " mana";
  for (std::int32_t value : hero.baseMana) out << " " << value;
  out << " artifact " << (hero.artifact ? hero.artifact->id : "-");
  for (const YArtifact* artifact : hero.artifacts) out << " " << artifact->id;
  out << " spells" << std::hex;
  for (const YTileSpell* spell : hero.spells) out << " " << spell->key;
  out << " spare";
  for (const YTileSpell* spell : hero.spareSpells) out << " " << spell->key;
  out << std::dec << " face " << (hero.face ? hero.face->name() : "-");
  for (int slot = 0; slot < kArmySlots; ++slot)
    if (const YPlayerMonster* monster = hero.SlotMonster(slot))
      out << " " << slot << ":" << monster->typeId << ":" << monster->experience;
  return out.str();
}

class ProfilesTest : public PlayersTest {
 protected:
  void Put(const std::string& name, const std::string& text) {
    testing_support::WriteFile(fs::path(PlayersFolder()) / name, text);
  }
  Hero Read(const std::string& text) {
    YPlayerHero* hero = nullptr;
    YPlayerSaver reader(&hero, false);
    reader.LoadText(text, "test");
    return Hero(hero);
  }
  ProfileInfo Summary(const std::string& text) {
    YPlayerSaver reader(nullptr, true);
    reader.LoadText(text, "test");
    return reader.Summary().value_or(ProfileInfo{"none", nullptr, -1, -1, false});
  }
};

TEST(NumberedFiles, NamesAndNumbers) {
  EXPECT_TRUE(IsNumberedFileName("00000.yml") && IsNumberedFileName("12345.yml"));
  for (const char* bad : {"0000.yml", "000000.yml", "0000a.yml", "00001.YML", "00001.yml.tmp", "notes.txt", ""})
    EXPECT_FALSE(IsNumberedFileName(bad)) << bad;
  EXPECT_EQ(NextNumberedFileName("00041.yml"), "00042.yml");
  EXPECT_EQ(NextNumberedFileName("99999.yml"), "");
  EXPECT_EQ(NewNumberedFileName({}), "00000.yml");
  EXPECT_EQ(NewNumberedFileName({"00007.yml", "00002.yml"}), "00008.yml");
  EXPECT_EQ(NewNumberedFileName({"99999.yml", "00001.yml", "00000.yml"}), "00002.yml");
}

TEST_F(ProfilesTest, CreateWritesANewNumberAboveTheOthersAndSelectsIt) {
  Put("00000.yml", "<hero name=\"Old\"></hero>");
  Put("00001.yml", "<hero name=\"Older\"></hero>");
  for (const char* stray : {"00017.yml.tmp", "99999x.yml", "readme.txt"}) Put(stray, "");
  ScanPlayerProfiles();
  EXPECT_EQ(ProfileFiles(), (std::vector<std::string>{"00001.yml", "00000.yml"}));
  LoadProfileSummaries();

  ASSERT_TRUE(CreatePlayerProfile("Ayla", 0, 1, 3, 3));
  EXPECT_EQ(ProfileFiles().front(), "00002.yml");
  EXPECT_TRUE(fs::exists(fs::path(PlayersFolder()) / "00002.yml"));
  ASSERT_EQ(ProfileList().size(), 3u);
  EXPECT_EQ(ProfileList()[0].name, "Ayla");
  YPlayerHero* hero = CurrentPlayer();
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(CurrentProfilePath(), GetInit().UserPath() + "players\\00002.yml");
  EXPECT_EQ(std::tuple(hero->experience, hero->level, hero->points, hero->gold, hero->slots[4]),
            std::tuple(90, 2, 10, 870, hero));
  EXPECT_EQ(hero->skillCosts, (std::array<std::int32_t, 5>{2, 2, 2, 1, 1}));
  // Artifacts of levels 1 and 2, spells of levels 0 to 2, in table order.
  EXPECT_EQ(hero->artifact, YArtifactLoader::FindArtifact("ring"));
  EXPECT_EQ(hero->artifacts.size(), 1u);
  ASSERT_EQ(hero->spells.size(), 3u);
  EXPECT_EQ(hero->spells[1]->key, 0x0423u);
  EXPECT_EQ(ProfileMonsterSet().Player(), hero) << "the monster set serves the selected hero";
  EXPECT_NE(ProfileMonsterSet().Offer(0), nullptr);
}

TEST_F(ProfilesTest, NewHeroesDoNotDuplicateTheirDescriptionsSpells) {
  ASSERT_TRUE(CreatePlayerProfile("Bo", 0, 0, 0, 1));
  const YPlayerHero& hero = *CurrentPlayer();
  EXPECT_EQ(std::tuple(hero.level, hero.experience, hero.gold), std::tuple(0, 0, 840));
  ASSERT_EQ(hero.spells.size(), 2u) << "0x0315 from the description is not given again";
  EXPECT_EQ(std::pair(hero.spells[0]->key, hero.spells[1]->key), std::pair(0x0315u, 0x1b33u));
  EXPECT_EQ(hero.artifact, YArtifactLoader::FindArtifact("crown"));
  EXPECT_TRUE(hero.artifacts.empty());
  EXPECT_FALSE(CreatePlayerProfile("Nobody", 1, 0, 0, 1)) << "race 1 has no male hero";
  EXPECT_EQ(ProfileFiles(), (std::vector<std::string>{"00000.yml"}));
}

TEST_F(ProfilesTest, SaveAndReadBackKeepEverything) {
  ASSERT_TRUE(CreatePlayerProfile("Round \"Trip\"", 0, 0, 1, 6));
  YPlayerHero* hero = CurrentPlayer();
  ASSERT_NE(hero, nullptr);
  for (int offer = 0; offer < 3; ++offer) ProfileMonsterSet().Buy(offer);
  hero->gold = 4321;
  ASSERT_EQ(hero->spells.size(), 5u);
  hero->spareSpells.push_back(GetTileTables().FindSpell(0x0818));
  const std::string before = Describe(*hero);
  // The screen that shows the selected hero hears that it is freed.
  std::vector<const YPlayerHero*> shown;
  SetProfileSelectedHook([&shown](YPlayerHero* player, YMonsterShop*, int) { shown.push_back(player); });
  SaveCurrentProfile();
  SetProfileSelectedHook({});
  EXPECT_EQ(shown, std::vector<const YPlayerHero*>{nullptr});
  EXPECT_EQ(CurrentPlayer(), nullptr);
  EXPECT_EQ(ProfileMonsterSet().Player(), nullptr);
  ASSERT_EQ(ProfileList().size(), 1u);
  EXPECT_EQ(std::tuple(ProfileList()[0].name, ProfileList()[0].level, ProfileList()[0].monsters),
            std::tuple("Round \"Trip\"", 5, 3));

  SelectPlayerProfile(0);
  hero = CurrentPlayer();
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(Describe(*hero), before);
  EXPECT_TRUE(hero->mana == hero->baseMana && hero->maxValues[5] == hero->baseHealth && hero->shownHealth == 0);
  for (int slot = 0; slot < kArmySlots; ++slot) {
    const YPlayerMonster* monster = hero->SlotMonster(slot);
    EXPECT_TRUE(!monster || monster->maxValues[5] == monster->baseHealth) << slot;
  }
  // Written again, the file is byte for byte the same.
  const std::string first = testing_support::ReadFile(fs::path(PlayersFolder()) / "00000.yml");
  SaveCurrentProfile();
  EXPECT_EQ(testing_support::ReadFile(fs::path(PlayersFolder()) / "00000.yml"), first);
  EXPECT_FALSE(fs::exists(fs::path(PlayersFolder()) / "00000.yml.tmp"));
}

TEST_F(ProfilesTest, ReadingRules) {
  Hero hero = Read(R"(
<spell id="0315" selected="1"/>
<hero name="R" gold="5">
<evol experience="50" points="3" slot="40"/>
<artifact id="ring" selected="1"/><artifact id="crown" selected="1"/><artifact id="ring" selected="0"/>
<artifact id="nothing-like-it" selected="1"/>
<spell id="0315" selected="1"/><spell id="0423" selected="1"/><spell id="1b33" selected="1"/>
<spell id="0509" selected="1"/><spell id="3937" selected="1"/><spell id="0818" selected="1"/>
<spell id="1503" selected="0"/><spell id="7777" selected="1"/>
<monster id="imp"><evol experience="100" slot="17"/><data type="self" air="1" fire="2" earth="3" water="4" health="55"/></monster>
<monster id="golem"><evol slot="17"/></monster>
<monster id="ghost"><evol experience="999999" slot="2"/><data type="self" health="1"/></monster>
<monster id="imp"></monster>
<data type="bogus" air="77"/>
</hero>)");
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(std::tuple(hero->level, hero->points, hero->experience, hero->baseHealth, hero->baseMana[0]),
            std::tuple(1, 3, 50, 0, 0));  // 50 experience is level 1
  EXPECT_EQ(hero->slots[17], hero.get()) << "slot 40 is clamped to 17";
  // Monsters sent to the hero's slot take the first free ones; the unknown
  // monster and one without a slot join nowhere.
  EXPECT_EQ(Describe(*hero), "R gold 5 level 1 mana 0 0 0 0 artifact ring crown spells 315 423 1b33 509 3937 "
                             "spare 818 face - 4:imp:100 5:golem:0");
  EXPECT_EQ(hero->SlotMonster(4)->baseMana, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(hero->SlotMonster(4)->maxValues[5], 55);

  const ProfileInfo summary = Summary(R"(<hero name="S" face="textures\s.tga"><evol experience="50"/>
<monster id="x"><evol experience="900"/></monster><monster id="y"></monster></hero><hero name="Second"></hero>)");
  EXPECT_EQ(std::tuple(summary.name, summary.level, summary.monsters), std::tuple("S", 1, 2))
      << "the first hero; the full read's level rule";
  ASSERT_NE(summary.face, nullptr);
  EXPECT_EQ(summary.face->name(), "textures\\s.tga");
}

TEST_F(ProfilesTest, AMonsterNeverReplacesTheHero) {
  Hero hero = Read(R"(<hero name="H"><evol slot="4"/>
<monster id="imp"><evol slot="4"/></monster>
<monster id="golem"><evol slot="0"/><evol slot="9"/></monster>
</hero>)");
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->slots[4], hero.get());
  // The imp takes the first free slot; a monster placed twice keeps its last.
  EXPECT_EQ(Describe(*hero), "H gold 0 level 0 mana 0 0 0 0 artifact - spells spare face - 5:imp:0 9:golem:0");
}

TEST_F(ProfilesTest, BrokenFilesKeepTheirPlaceAndDeletionMatchesTheList) {
  Put("00000.yml", "<hero name=\"Zero\"></hero>");
  Put("00001.yml", "garbage, no hero");
  Put("00002.yml", "<hero name=\"Two\"><evol experience=\"40\"/></hero>");
  Put("00003.yml", "<hero name=\"Unclosed\">");
  ScanPlayerProfiles();
  {
    LogCapture log;
    LoadProfileSummaries();
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      return line.starts_with("Player loader error, Expected '<'., line: 0");
    }));
  }
  ASSERT_EQ(ProfileList().size(), 4u);
  EXPECT_FALSE(ProfileList()[0].readable || ProfileList()[2].readable);
  EXPECT_EQ(std::pair(ProfileList()[1].name, ProfileList()[1].level), std::pair(std::string("Two"), 1));
  EXPECT_EQ(ProfileList()[2].name, "00001.yml");
  EXPECT_EQ(ProfileList()[3].name, "Zero");

  EXPECT_FALSE(DeletePlayerProfile(4) || DeletePlayerProfile(-1));
  ASSERT_TRUE(DeletePlayerProfile(2));
  EXPECT_FALSE(fs::exists(fs::path(PlayersFolder()) / "00001.yml"));
  EXPECT_EQ(ProfileFiles(), (std::vector<std::string>{"00003.yml", "00002.yml", "00000.yml"}));
  EXPECT_EQ(ProfileList()[2].name, "Zero");
  fs::remove(fs::path(PlayersFolder()) / "00000.yml");
  EXPECT_FALSE(DeletePlayerProfile(2)) << "a file already gone changes nothing";
  EXPECT_EQ(ProfileList().size(), 3u);
}

// Past "99999.yml" new numbers fill gaps, and each is checked against the
// folder, so no creation replaces a profile; a deleted selection is gone.
TEST_F(ProfilesTest, NewProfilesNeverReplaceOthersAndADeletedSelectionStaysDeleted) {
  for (const char* name : {"99999.yml", "00000.yml", "00002.yml"}) Put(name, "<hero name=\"Kept\"></hero>");
  ScanPlayerProfiles();
  LoadProfileSummaries();
  ASSERT_TRUE(CreatePlayerProfile("Gap", 0, 0, 0, 1));
  EXPECT_EQ(ProfileFiles().front(), "00001.yml");
  Put("00004.yml", "<hero name=\"Kept\"></hero>");  // another run of the game made it
  ASSERT_TRUE(CreatePlayerProfile("Next", 0, 0, 0, 1));
  EXPECT_EQ(ProfileFiles().front(), "00003.yml");
  ASSERT_TRUE(CreatePlayerProfile("Last", 0, 0, 0, 1));
  EXPECT_EQ(ProfileFiles().front(), "00005.yml");
  for (const char* name : {"99999.yml", "00000.yml", "00002.yml", "00004.yml"})
    EXPECT_EQ(testing_support::ReadFile(fs::path(PlayersFolder()) / name), "<hero name=\"Kept\"></hero>")
        << name;

  ASSERT_NE(CurrentPlayer(), nullptr);
  ASSERT_TRUE(DeletePlayerProfile(0));
  EXPECT_EQ(CurrentPlayer(), nullptr);
  EXPECT_EQ(ProfileMonsterSet().Player(), nullptr);
  SaveCurrentProfile();
  EXPECT_FALSE(fs::exists(fs::path(PlayersFolder()) / "00005.yml"));
}

// A hero record cut short (values unset, army missing) is refused by the
// full read as by the summary, so saving cannot make the loss permanent;
// of two hero records both reads take the first.
TEST_F(ProfilesTest, AHeroRecordThatDoesNotCloseIsRefusedAndBothReadsTakeTheFirst) {
  const std::string cut = R"(<hero name="Cut"><evol experience="90"/><data type="self" health="30"/>
<monster id="imp"><evol slot="5"/></monster>)";
  EXPECT_EQ(Read(cut), nullptr);
  EXPECT_EQ(Summary(cut).name, "none");
  Put("00000.yml", cut);
  ScanPlayerProfiles();
  LoadProfileSummaries();
  EXPECT_FALSE(ProfileList().at(0).readable);
  {
    LogCapture log;
    SelectPlayerProfile(0);
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"Player loader error, The hero element does not close., line: 1"}));
  }
  EXPECT_EQ(CurrentPlayer(), nullptr);
  SaveCurrentProfile();
  EXPECT_EQ(testing_support::ReadFile(fs::path(PlayersFolder()) / "00000.yml"), cut);

  const std::string two = R"(<hero name="First" gold="5"></hero><hero name="Second" gold="7"></hero>)";
  const Hero hero = Read(two);
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(std::pair(hero->name, hero->gold), std::pair(std::string("First"), 5));
  EXPECT_EQ(Summary(two).name, "First");
}

// A hero inside the hero (deep nesting restarted the hero at every level)
// or a monster inside a monster cannot be read whole: both reads refuse it
// with a log line, and the list shows it as damaged.
TEST_F(ProfilesTest, NestedRecordsAreRefusedAsDamaged) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<hero name=\"Deep\">\n";
  for (int i = 0; i < 5000; ++i) deep += "</hero>\n";
  const std::string monsters = R"(<hero name="M" gold="9"><evol/>
<monster id="imp"><monster id="golem"><evol slot="2"/></monster><evol slot="3"/></monster></hero>)";
  for (const std::string& text : {deep, monsters}) {
    EXPECT_EQ(Read(text), nullptr);
    EXPECT_EQ(Summary(text).name, "none");
  }
  Put("00000.yml", deep);
  ScanPlayerProfiles();
  LogCapture log;
  LoadProfileSummaries();
  EXPECT_FALSE(ProfileList().at(0).readable);
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Player loader error, A hero element inside the hero., line: 1"}));
}

// A name longer than the name box takes (a file edited by hand, a
// megabyte long) is cut to the box's length by both reads, with a log line.
TEST_F(ProfilesTest, ANameLongerThanTheNameBoxIsCutOnReading) {
  const std::string name(1 << 20, 'N');
  const std::string text = "<hero\n name=\"" + name + "\"\n><evol/>\n</hero>";
  LogCapture log;
  const Hero hero = Read(text);
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->name, name.substr(0, kMaxHeroName));
  EXPECT_EQ(Summary(text).name, name.substr(0, kMaxHeroName));
  // The name's own line, not that of the tag's end nor of the hero's close.
  EXPECT_EQ(log.Lines(), std::vector<std::string>(
                             2, "A hero name longer than 16 characters is cut, file: test, line: 1"));
  EXPECT_EQ(Summary("<hero name=\"" + name.substr(0, kMaxHeroName) + "\"></hero>").name,
            name.substr(0, kMaxHeroName));
  EXPECT_EQ(log.Lines().size(), 2u) << "a name that fits is kept whole";
}

TEST_F(ProfilesTest, LoadingDoesNotMoveTheSavePath) {
  ASSERT_TRUE(CreatePlayerProfile("First", 0, 0, 0, 1));
  ASSERT_TRUE(CreatePlayerProfile("Second", 0, 1, 0, 1));
  const std::string path = CurrentProfilePath();
  YPlayerHero* other = nullptr;
  LoadPlayerProfile(1, &other);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->name, "First");
  EXPECT_EQ(CurrentProfilePath(), path);
  LoadPlayerProfile(0, &other);  // the hero there is freed first
  EXPECT_EQ(other->name, "Second");
  LoadPlayerProfile(7, &other);
  EXPECT_EQ(other->name, "Second") << "an index outside the list changes nothing";
  YPlayerHero::DeleteWithArmy(other);
}

}  // namespace
