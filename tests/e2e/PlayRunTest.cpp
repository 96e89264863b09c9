// The game as a new player meets it, through its window: the menus and
// dialogs clicked with xdotool where the game says their controls are, the
// user's battles played by the test program's stand-ins. Every screen
// passed is kept in <build>/screenshots/play_*.png; a failure names the
// screen it waited for and the screens the game went through.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/GameFixture.h"

namespace {

using namespace std::chrono_literals;

// One report of the program: the active screen, the state word and where
// its named controls are.
struct Screen {
  std::string name;
  std::string state;
  std::map<std::string, std::pair<int, int>> at;
  std::map<std::string, int> current;  // drop-down lists' chosen items
  int gold = -1;                       // on the control panel
  std::string detail;                  // "page N" of the book, "stage N" of the final scene
};

// The last whole report in the program's output.
Screen LastScreen(const std::string& out) {
  Screen screen;
  const std::size_t end = out.rfind("\nend\n");
  if (end == std::string::npos) return screen;
  const std::size_t start = out.rfind("screen ", end);
  if (start == std::string::npos) return screen;
  std::istringstream lines(out.substr(start, end - start));
  std::string word;
  lines >> word >> screen.name >> screen.state;
  while (lines >> word) {
    if (word == "gold") {
      lines >> screen.gold;
      continue;
    }
    if (word == "page" || word == "stage") {
      std::getline(lines, screen.detail);
      screen.detail = word + screen.detail;
      continue;
    }
    if (word == "current") {
      std::string name;
      lines >> name >> screen.current[name];
      continue;
    }
    std::string name;
    int x = 0, y = 0;
    lines >> name >> x >> y;
    screen.at[name] = {x, y};
  }
  return screen;
}

class PlayRun : public e2e::ProgramRunFixture {
 protected:
  // The game, looking for network peers only on this machine.
  void Start() {
    seen_ = 0;
    run_ = std::make_unique<e2e::GameProcess>(tmp.Str(), e2e::Display(),
                                              std::vector<std::string>{"-broadcast", "127.255.255.255"},
                                              e2e::Launch{QV_PLAYRUN_EXE, ""});
    window_ = WaitForWindow();
    ASSERT_FALSE(window_.empty()) << run_->Stderr();
    PressKey(window_, "Escape");  // past the splash screens
  }
  // Waits for a report, newer than the last one reached, of `name` as the
  // settled screen (with `state` when given and a detail beginning with
  // `detail`), and keeps its picture.
  ::testing::AssertionResult Reach(const std::string& name, const std::string& state = "",
                                   const std::string& detail = "") {
    Screen screen;
    std::size_t end = 0;
    const bool reached = e2e::WaitUntil(
        [&] {
          const std::string out = run_->Stderr();
          end = out.rfind("\nend\n");
          if (end == std::string::npos || end < seen_) return false;
          screen = LastScreen(out);
          return screen.name == name && (state.empty() || screen.state == state) &&
                 screen.detail.rfind(detail, 0) == 0;
        },
        30s);
    if (!reached)
      return ::testing::AssertionFailure() << "never reached " << name << " " << state << " " << detail
                                           << "; last " << screen.name << " " << screen.state << " "
                                           << screen.detail << "\n"
                                           << Trail();
    seen_ = end + 1;
    current_ = screen;
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    char number[16];
    std::snprintf(number, sizeof number, "%02d", ++shots_);
    Screenshot(window_, Shot("play_" + test.substr(0, 12) + "_" + number + "_" + name + ".png"));
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult Click(const std::string& control) {
    const auto it = current_.at.find(control);
    if (it == current_.at.end())
      return ::testing::AssertionFailure() << current_.name << " has no control " << control;
    Point(window_, it->second.first, it->second.second);
    return ::testing::AssertionSuccess();
  }
  // Clicks `control`, then `then` on the screen that follows.
  ::testing::AssertionResult Open(const std::string& control, const std::string& screen) {
    if (auto clicked = Click(control); !clicked) return clicked;
    return Reach(screen);
  }
  // Every menu, dialog and setup the main menu leads to, each left by its
  // own button, back at the main menu.
  void VisitTheMenus() {
    ASSERT_TRUE(Open("new", "newHero.yml"));
    ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
    ASSERT_TRUE(Open("options", "options.yml"));
    ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
    ASSERT_TRUE(Open("hallFame", "hallFame.yml"));
    ASSERT_TRUE(Open("ok", "mainMenu.yml"));
    ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
    ASSERT_TRUE(Open("computer", "sg_computer.yml"));
    ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
    ASSERT_TRUE(Open("new", "sg_newHero.yml"));
    ASSERT_TRUE(Open("cancel", "sg_profiles.yml"));
    ASSERT_TRUE(Open("cancel", "sg_computer.yml"));
    ASSERT_TRUE(Open("cancel", "sg_menu.yml"));
    for (const char* setup : {"hotseat", "network", "internet"}) {
      ASSERT_TRUE(Open(setup, std::string("sg_") + setup + ".yml"));
      ASSERT_TRUE(Open("cancel", "sg_menu.yml"));
    }
    ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
    ASSERT_TRUE(Open("exit", "yesno.yml"));
    ASSERT_TRUE(Open("no", "mainMenu.yml"));
  }
  // The help book over the menu: a section's link turns to it, Escape goes
  // back, and F1 opens the book again where it was left; its bookmark closes
  // it.
  void VisitTheHelp() {
    ASSERT_TRUE(Click("help"));
    ASSERT_TRUE(Reach("book", "0x40004", "page "));
    ASSERT_TRUE(Click("page_last"));  // a link of the help's first spread
    ASSERT_TRUE(Reach("book", "0x40004", "page "));
    const std::string lastSpread = current_.detail;
    ASSERT_NE(lastSpread, "page 0");
    PressKey(window_, "Escape");
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
    PressKey(window_, "F1");
    ASSERT_TRUE(Reach("book", "0x40004", lastSpread));
    ASSERT_TRUE(Open("back", "mainMenu.yml"));
  }
  // Escape's question over a game in progress, answered yes: the main menu.
  void LeaveForTheMenu() {
    PressKey(window_, "Escape");
    ASSERT_TRUE(Reach("yesno.yml", "0x9"));
    ASSERT_TRUE(Click("yes"));
    ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  }
  // The screens the game went through, for a failure's message.
  std::string Trail() const {
    std::string trail;
    std::istringstream lines(run_->Stderr());
    for (std::string line; std::getline(lines, line);)
      if (line.rfind("screen ", 0) == 0) trail += line + "\n";
    return trail;
  }
  void Stop() {
    run_->Signal(SIGTERM);
    EXPECT_EQ(run_->Wait(15s), std::optional<int>(0)) << run_->Stderr();
  }

  std::unique_ptr<e2e::GameProcess> run_;
  std::string window_;
  Screen current_;
  std::size_t seen_ = 0;  // where the output after the last reached report starts
  int shots_ = 0;
};

TEST_F(PlayRun, ANewHeroPassesTheDoorKeeperShopsSavesLeavesAndContinues) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("new"));
  ASSERT_TRUE(Reach("newHero.yml", "0x14"));
  ASSERT_TRUE(Click("ok"));
  // The introduction, four spreads; the last one's link begins the quest.
  ASSERT_TRUE(Reach("book", "0x5", "page 0"));
  for (const char* spread : {"page 2", "page 4", "page 6"}) {
    ASSERT_TRUE(Click("nextPage"));
    ASSERT_TRUE(Reach("book", "0x5", spread));
  }
  ASSERT_TRUE(Click("startGame"));
  // The door keeper's duel, with its message, which the stand-in wins at
  // its first turn.
  ASSERT_TRUE(Reach("message.yml"));
  ASSERT_TRUE(Click("ok"));
  ASSERT_TRUE(Reach("battle_victory.yml"));
  ASSERT_TRUE(Click("ok"));
  // Between levels: the control panel with the shop; a monster bought.
  ASSERT_TRUE(Reach("panel", "0x1"));
  const int gold = current_.gold;
  ASSERT_TRUE(Click("cp_shop"));
  ASSERT_TRUE(Reach("panel"));
  ASSERT_TRUE(Click("slot0"));
  ASSERT_TRUE(Reach("panel"));
  ASSERT_TRUE(Click("cp_buy"));
  ASSERT_TRUE(Reach("panel"));
  EXPECT_LT(current_.gold, gold) << "the monster was paid for";
  const int goldLeft = current_.gold;
  // Escape's question leaves the quest, which is saved, for the main menu.
  ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  ASSERT_TRUE(current_.at.count("continue")) << "a save to continue";
  ASSERT_TRUE(Click("exit"));
  ASSERT_TRUE(Reach("yesno.yml", "0xc"));
  ASSERT_TRUE(Click("yes"));
  ASSERT_EQ(run_->Wait(15s), std::optional<int>(0)) << run_->Stderr();

  // Started again, "continue" takes the only save back to the panel.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_TRUE(Reach("panel", "0x1"));
  EXPECT_EQ(current_.gold, goldLeft) << "the save keeps the purchase";
  ASSERT_TRUE(Open("cp_skill", "heroSkill.yml"));
  ASSERT_TRUE(Open("ok", "panel"));

  // A second hero's quest: two saves, so "continue" offers the choice.
  ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  ASSERT_TRUE(Open("new", "newHero.yml"));
  ASSERT_TRUE(Open("ok", "book"));
  PressKey(window_, "Escape");  // the introduction skipped
  ASSERT_TRUE(Reach("message.yml"));
  ASSERT_TRUE(Open("ok", "battle_victory.yml"));
  ASSERT_TRUE(Open("ok", "panel"));
  ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  ASSERT_TRUE(Open("continue", "selectSave.yml"));
  ASSERT_TRUE(Click("1"));
  ASSERT_TRUE(Open("ok", "panel"));
  EXPECT_EQ(current_.gold, goldLeft) << "the first hero's save, with its purchase";
  Stop();
}

// Every menu screen in both interface languages, the second chosen on the
// options screen; each picture is kept for review.
TEST_F(PlayRun, EveryMenuScreenOfBothLanguagesIsShownAndKept) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(VisitTheMenus());
  ASSERT_NO_FATAL_FAILURE(VisitTheHelp());
  ASSERT_TRUE(Open("options", "options.yml"));
  const int language = current_.current["language"];
  ASSERT_TRUE(Open("language", "options.yml"));  // the list opens
  ASSERT_TRUE(Open(language == 0 ? "item1" : "item0", "options.yml"));
  ASSERT_NE(current_.current["language"], language);
  ASSERT_TRUE(Open("ok", "mainMenu.yml"));
  EXPECT_TRUE(LogHas("Parse fonts from file, ui\\deutsch\\fonts.yml")) << Log();
  ASSERT_NO_FATAL_FAILURE(VisitTheMenus());
  // The help of the new language, opened where the old one was left.
  PressKey(window_, "F1");
  ASSERT_TRUE(Reach("book", "0x40004", "page "));
  PressKey(window_, "Escape");
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  Stop();
}

// A save in the campaign's last level with one weak monster left beside the
// hero: the stand-ins win it, and the quest's end leads through the final
// scene (the picture cut short by a key, the fade and zoom onto the book,
// which waits) to the hall of fame.
std::string LastLevelSave(int lastLevel) {
  return "<game state=\"1\" level=\"" + std::to_string(lastLevel) +
         "\">\n"
         "<hero name=\"Wanderer\" face=\"textures\\heroes\\sylph_male.tga\" move=\"fly\" distance=\"3\" "
         "gold=\"1641\" kill=\"9\" goldall=\"941\" experienceall=\"410\">\n"
         "<evol experience=\"410\" slot=\"4\" pos_x=\"5\" pos_y=\"0\">\n"
         "<data type=\"now\" air=\"14\" fire=\"6\" earth=\"5\" water=\"8\" health=\"108\">\n"
         "<data type=\"start\" air=\"14\" fire=\"6\" earth=\"5\" water=\"8\" health=\"108\">\n"
         "<data type=\"self\" air=\"14\" fire=\"6\" earth=\"5\" water=\"8\" health=\"108\">\n"
         "<data type=\"skill\" air=\"1\" fire=\"2\" earth=\"2\" water=\"2\" health=\"1\">\n"
         "<spell id=\"315\" selected=\"1\">\n"
         "</hero>\n"
         "<desk gold=\"1641\">\n"
         "<monster id=\"frogling\">\n"
         "<evol experience=\"27\" pos_x=\"5\" pos_y=\"2\">\n"
         "<data type=\"now\" air=\"4\" fire=\"4\" earth=\"4\" water=\"4\" health=\"10\">\n"
         "<data type=\"self\" air=\"4\" fire=\"4\" earth=\"4\" water=\"4\" health=\"10\">\n"
         "</monster>\n"
         "</desk>\n"
         "</game>\n";
}

TEST_F(PlayRun, TheLastLevelWonLeadsThroughTheFinalSceneToTheHallOfFame) {
  const std::filesystem::path levels = std::filesystem::path(QV_PLAYRUN_EXE).parent_path() / "levels";
  const auto levelCount = std::distance(std::filesystem::directory_iterator(levels), {});
  ASSERT_GT(levelCount, 0);
  std::filesystem::create_directories(UserFolder() / "save");
  testing_support::WriteFile(UserFolder() / "save" / "00000.yml", LastLevelSave(static_cast<int>(levelCount) - 1));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Click("continue"));
  ASSERT_TRUE(Reach("battle_victory.yml"));
  ASSERT_TRUE(Open("ok", "questFinal.yml"));
  ASSERT_TRUE(Click("ok"));
  ASSERT_TRUE(Reach("none", "0x20005", "stage 3"));
  PressKey(window_, "space");
  ASSERT_TRUE(Reach("none", "0x20005", "stage 0 waiting"));
  Point(window_, 500, 300);
  ASSERT_TRUE(Reach("hallFame.yml", "0x80004"));
  Stop();
}

}  // namespace
