// The window's close (its close box, Alt+F4) at every screen where a game
// can stand ends the program as its exit does: status 0, the log whole and
// a quest under way saved where it stands. Once leaving has freed the
// quest, no frame draws it again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/WindowClose.h"
#include "tests/play/CraftedSaves.h"
#include "tests/play/PlayFixture.h"

namespace {

using namespace std::chrono_literals;

class WindowClose : public play::PlayRun {
 protected:
  std::filesystem::path SaveFile() const { return UserFolder() / "save" / "00000.yml"; }

  // A save of the campaign's first level, between levels: "continue" opens
  // the control panel.
  void SaveBetweenLevels() {
    std::string save = play::LastLevelSave(0);
    save.replace(save.find("state=\"1\""), 9, "state=\"0\"");
    save.erase(save.find("<desk"), save.find("</game>") - save.find("<desk"));
    WriteSave(save);
  }
  void WriteSave(const std::string& text) {
    std::filesystem::create_directories(SaveFile().parent_path());
    testing_support::WriteFile(SaveFile(), text);
  }
  // The quest continued from its save, which is then taken away when
  // asked: only the way out can write it again.
  void Continue(const std::string& screen, const std::string& state, bool takeAway) {
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
    ASSERT_TRUE(Click("continue"));
    ASSERT_TRUE(Reach(screen, state, "", play::kBoardGame));
    if (takeAway) std::filesystem::remove(SaveFile());
  }
  // Closes the window where the game stands; the quest's save then holds
  // `savedState` (empty: no quest under way).
  void CloseAndCheck(const std::string& savedState) {
    ASSERT_TRUE(e2e::RequestWindowClose(e2e::Display(), Current().window));
    EXPECT_EQ(Current().run->Wait(30s), std::optional<int>(0)) << Current().run->Stderr();
    const std::string log = testing_support::ReadFile(UserFolder() / "log.txt");
    EXPECT_NE(log.find("OpenGL Released."), std::string::npos) << log;
    if (savedState.empty()) return;
    const std::string save = testing_support::ReadFile(SaveFile());
    EXPECT_NE(save.find("<game state=\"" + savedState + "\""), std::string::npos) << save;
  }
};

TEST_F(WindowClose, AtTheMenuTheIntroductionTheHallAndTheNetworkSetup) {
  for (int screen = 0; screen < 4; ++screen) {
    SCOPED_TRACE(screen);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
    if (screen == 1) {
      ASSERT_TRUE(Open("new", "newHero.yml"));
      ASSERT_TRUE(Open("ok", "book"));
    } else if (screen == 2) {
      ASSERT_TRUE(Open("hallFame", "hallFame.yml"));
    } else if (screen == 3) {
      ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
      ASSERT_TRUE(Open("network", "sg_network.yml"));
    }
    ASSERT_NO_FATAL_FAILURE(CloseAndCheck(""));
  }
}

// The control panel, under its question, the hero's skills and the help:
// each of them drew the hero that leaving had freed.
TEST_F(WindowClose, OnTheControlPanelAndWhatOpensOverIt) {
  for (int over = 0; over < 4; ++over) {
    SCOPED_TRACE(over);
    SaveBetweenLevels();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Continue("panel", "0x1", true));
    if (over == 1) {
      Press("Escape");
      ASSERT_TRUE(Reach("yesno.yml", "0x9"));
    } else if (over == 2) {
      ASSERT_TRUE(Open("cp_skill", "heroSkill.yml"));
    } else if (over == 3) {
      Press("F1");
      ASSERT_TRUE(Reach("book", "0x40001"));
    }
    ASSERT_NO_FATAL_FAILURE(CloseAndCheck("0"));
  }
}

// On the board and in the duel the user's stand-in holds: the save made on
// continuing is taken away, so only the way out can have written the one
// found after.
TEST_F(WindowClose, OnTheBoardAndInItsDuel) {
  for (const bool duel : {false, true}) {
    SCOPED_TRACE(duel);
    // On the board the enemy stands far from the hero (a cell the level
    // itself uses), so that the board stays a while before the fight.
    std::string save = play::LastLevelSave(LevelCount() - 1);
    if (!duel) save.replace(save.find("pos_x=\"5\" pos_y=\"2\""), 19, "pos_x=\"4\" pos_y=\"8\"");
    WriteSave(save);
    ASSERT_NO_FATAL_FAILURE(Start());
    StandIn("hold");
    ASSERT_NO_FATAL_FAILURE(Continue(duel ? "none" : "board", duel ? "0x3" : "0x2", true));
    ASSERT_NO_FATAL_FAILURE(CloseAndCheck(duel ? "2" : "1"));
  }
}

}  // namespace
