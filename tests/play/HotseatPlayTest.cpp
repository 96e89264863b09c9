// Two profiles play a game to its end at one machine, through the window
// (PlayFixture.h): against the computer and two people at one table.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/play/PlayFixture.h"

namespace {

using namespace std::chrono_literals;

// Two small armies, a hero and one monster each, that meet within a few
// moves: the game ends after two or three duels. The profile list shows the
// highest number first, so the first setup row is "00001.yml".
struct Profile {
  const char* file;
  const char* hero;
  const char* monster;
  const char* monsterName;  // as the duel's result names it
};
constexpr Profile kListed[2] = {{"00001.yml", "Ilsa", "storm_hawk", "Storm Hawk"},
                                {"00000.yml", "Borak", "siren", "Siren"}};

// The setup row whose unit a duel's result names: 0, 1, or -1 for none.
int SideOf(const std::string& duelResult) {
  for (int side = 0; side < 2; ++side)
    for (const char* name : {kListed[side].hero, kListed[side].monsterName})
      if (duelResult.rfind(std::string(name) + " wins the fight", 0) == 0) return side;
  return -1;
}

std::string ProfileText(const Profile& profile, bool withMonster) {
  return std::string("<hero name=\"") + profile.hero +
         "\" face=\"textures\\heroes\\sylph_female.tga\" move=\"fly\" way=\"any\" distance=\"3\" gold=\"703\">\n"
         "<evol experience=\"90\" points=\"10\" slot=\"4\">\n"
         "<data type=\"start\" air=\"15\" fire=\"5\" earth=\"5\" water=\"9\" health=\"51\">\n"
         "<data type=\"self\" air=\"15\" fire=\"5\" earth=\"5\" water=\"9\" health=\"53\">\n"
         "<data type=\"skill\" air=\"1\" fire=\"2\" earth=\"2\" water=\"2\" health=\"1\">\n"
         "<spell id=\"315\" selected=\"1\">\n"
         "<spell id=\"423\" selected=\"1\">\n" +
         (withMonster ? std::string("<monster id=\"") + profile.monster +
                            "\">\n"
                            "<evol experience=\"90\" points=\"0\" slot=\"3\">\n"
                            "<data type=\"self\" air=\"2\" fire=\"4\" earth=\"12\" water=\"4\" health=\"51\">\n"
                            "</monster>\n"
                      : std::string()) +
         "</hero>\n";
}

class HotseatPlay : public play::PlayRun {
 protected:
  // Without monsters a game is one duel: two lone heroes at one table.
  void WriteProfiles(bool withMonsters = true) {
    std::filesystem::create_directories(UserFolder() / "players");
    for (const Profile& profile : kListed) {
      written_[profile.file] = ProfileText(profile, withMonsters);
      testing_support::WriteFile(UserFolder() / "players" / profile.file, written_[profile.file]);
    }
  }

  // From the main menu to the board: the setup's second row moved to the
  // second profile by its scroll bar's down arrow (the bar's lowest square).
  void StartOn(const std::string& setup) {
    ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
    ASSERT_TRUE(Open(setup, "sg_" + setup + ".yml"));
    ASSERT_TRUE(current_.at.count("sbar1"));
    const auto [x, y] = current_.at["sbar1"];
    Point(own_.window, x, y + 44);
    ASSERT_TRUE(Open("start", "board"));
  }

  // The duels' results, each closed, until the game's result; the name each
  // duel's winner was shown with.
  void PlayToTheEnd() {
    const std::string duel = "battle_victory_mp.yml", end = "multiplayerComplete.yml";
    for (int fight = 0; fight < 6; ++fight) {
      std::string reached;
      e2e::WaitUntil(
          [&] {
            const std::string out = own_.run->Stderr();
            if (out.rfind("\nend\n") == std::string::npos || out.rfind("\nend\n") < own_.seen) return false;
            reached = play::LastScreen(out).name;
            return reached == duel || reached == end;
          },
          60s);
      ASSERT_TRUE(Reach(reached == end ? end : duel));
      if (reached == end) return;
      duelWinners_.push_back(current_.text["text"]);
      EXPECT_GE(SideOf(duelWinners_.back()), 0) << "a unit of the two armies: " << duelWinners_.back();
      ASSERT_TRUE(Click("ok"));
    }
    FAIL() << "no end after six duels\n" << Trail();
  }

  // The game's result names the hero whose side won the last duel.
  void CheckTheResult() {
    ASSERT_EQ(current_.name, "multiplayerComplete.yml");
    ASSERT_FALSE(duelWinners_.empty());
    const int winner = SideOf(duelWinners_.back());
    ASSERT_GE(winner, 0) << duelWinners_.back();
    EXPECT_EQ(current_.text["text"], std::string(kListed[winner].hero) + " wins the game! Play again?");
  }

  // The mode keeps a game's gains on the board: the profiles stay as written.
  void CheckTheProfiles() {
    for (const auto& [file, text] : written_)
      EXPECT_EQ(testing_support::ReadFile(UserFolder() / "players" / file), text) << file;
  }

  std::map<std::string, std::string> written_;
  std::vector<std::string> duelWinners_;
};

// The stand-in plays the user's side and wins each of its duels at its
// first turn: the user's hero wins the game. Played again, it is left by
// Escape's question.
TEST_F(HotseatPlay, AProfileBeatsTheComputerAndTheResultNamesIt) {
  WriteProfiles();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(StartOn("computer"));
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd());
  ASSERT_NO_FATAL_FAILURE(CheckTheResult());
  for (const std::string& duel : duelWinners_) EXPECT_EQ(SideOf(duel), 0) << duel;
  // "Play again" sets the same armies up anew; Escape's question leaves it.
  ASSERT_TRUE(Open("yes", "board"));
  ASSERT_EQ(current_.state, "0x2");
  Press("Escape");
  ASSERT_TRUE(Reach("yesno.yml"));
  ASSERT_TRUE(Open("yes", "mainMenu.yml"));
  ASSERT_EQ(current_.state, "0x4");
  Stop();
  CheckTheProfiles();
}

// Both sides played by stand-ins, so each duel goes to its attacker. Two
// lone heroes, one duel: with a monster each, the two easiest board
// computers circled for up to half a minute before the last duel.
TEST_F(HotseatPlay, TwoProfilesAtOneTablePlayToTheResultAndTheMenu) {
  WriteProfiles(false);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(StartOn("hotseat"));
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd());
  ASSERT_NO_FATAL_FAILURE(CheckTheResult());
  ASSERT_TRUE(Open("no", "mainMenu.yml"));
  ASSERT_EQ(current_.state, "0x4");
  Stop();
  CheckTheProfiles();
}

// A profile edited from the setup's profile screen: a monster bought on the
// control panel is paid for, written to the profile's file when the panel
// is left, and read back when the profile is edited again.
TEST_F(HotseatPlay, AProfileEditedFromTheSetupKeepsWhatItBought) {
  WriteProfiles();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
  ASSERT_TRUE(Open("hotseat", "sg_hotseat.yml"));
  ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
  ASSERT_TRUE(Click("0"));
  ASSERT_TRUE(Open("edit", "panel"));
  const int gold = current_.gold;
  ASSERT_TRUE(Open("cp_shop", "panel"));
  ASSERT_TRUE(Open("slot0", "panel"));
  ASSERT_TRUE(Open("cp_buy", "panel"));
  const int goldLeft = current_.gold;
  ASSERT_LT(goldLeft, gold);
  ASSERT_TRUE(Open("cp_continue", "sg_profiles.yml"));
  const std::string saved = testing_support::ReadFile(UserFolder() / "players" / kListed[0].file);
  EXPECT_NE(saved.find("gold=\"" + std::to_string(goldLeft) + "\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("<monster ", saved.find("<monster ") + 1), std::string::npos) << "two monsters\n" << saved;
  ASSERT_TRUE(Open("edit", "panel"));
  EXPECT_EQ(current_.gold, goldLeft);
  ASSERT_TRUE(Open("cp_continue", "sg_profiles.yml"));
  EXPECT_EQ(testing_support::ReadFile(UserFolder() / "players" / kListed[0].file), saved);
  ASSERT_TRUE(Open("cancel", "sg_hotseat.yml"));
  ASSERT_TRUE(Open("cancel", "sg_menu.yml"));
  ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
  Stop();
}

// A new profile that cannot be written (its ".tmp" is taken by a folder) is
// told at every try, and the notice's "ok" gives back the profile screen the
// dialog's "ok" led to, which still answers.
TEST_F(HotseatPlay, ANewProfileThatCannotBeWrittenIsToldAtEveryTry) {
  WriteProfiles();
  std::filesystem::create_directories(UserFolder() / "players" / "00002.yml.tmp");
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
  ASSERT_TRUE(Open("hotseat", "sg_hotseat.yml"));
  ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
  for (int attempt = 0; attempt < 2; ++attempt) {
    ASSERT_TRUE(Open("new", "sg_newHero.yml"));
    ASSERT_TRUE(Open("ok", "message.yml")) << "the notice, at attempt " << attempt;
    EXPECT_NE(current_.text["mess"].find("could not be saved"), std::string::npos) << current_.text["mess"];
    ASSERT_TRUE(Open("ok", "sg_profiles.yml"));
    EXPECT_EQ(current_.state, "0x9004");
  }
  ASSERT_TRUE(Open("cancel", "sg_hotseat.yml"));
  EXPECT_EQ(current_.state, "0x1004");
  Stop();
}

}  // namespace
