// The two-player setups and the menus that lead to them, on the shipped
// English screens without a window: damaged profiles are never chosen for
// a game, and a screen whose layout could not be made leaves the menus
// answering.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/screens/ScreenControls.h"
#include "tests/game/ScreenEventsFixture.h"

namespace {

using namespace screen_test;

struct SetupRowsTest : ScreenEventsTest {
  SetupRowsTest() {
    // Damaged files keep their places: the newest, 00002, first.
    modes.profiles = 3;
    modes.profileList = {Damaged("00002.yml"), Good("Mira"), Good("Tom")};
  }
  static ProfileInfo Good(const char* name) { return {name, nullptr, 1, 0, true}; }
  static ProfileInfo Damaged(const char* file) { return {file, nullptr, 0, 0, false}; }
  UIScrollBar* Bar(const std::unique_ptr<UIControl>& setup, const char* name) {
    return ChildOf<UIScrollBar>(setup.get(), name);
  }
  bool StartEnabled(const std::unique_ptr<UIControl>& setup) {
    return ChildOf<UIButton>(setup.get(), "start")->State() != UIButton::kDisabled;
  }
};

TEST_F(SetupRowsTest, SetupsOpenOnProfilesThatCanPlayAndStartOnlyWithTwo) {
  const auto& computer = screens.computerGameScreen;
  Click("multiplayer");
  Click("computer");
  EXPECT_EQ(Bar(computer, "sbar0")->GetPos(), 1);
  EXPECT_EQ(Bar(computer, "sbar1")->GetPos(), 1);
  EXPECT_TRUE(StartEnabled(computer));
  // Scrolled to the damaged one: the panel's drawing disables "start".
  Bar(computer, "sbar1")->SetPos(0);
  drawing.Draw(computer->FindChild("1"));
  EXPECT_FALSE(StartEnabled(computer));
  Click("start");
  EXPECT_TRUE(modes.log.empty());
  Bar(computer, "sbar1")->SetPos(2);
  drawing.Draw(computer->FindChild("1"));
  EXPECT_TRUE(StartEnabled(computer));
  // A profile damaged since the list was read: the game does not start,
  // the list is read again and "start" waits for another choice.
  modes.startWorks = false;
  modes.rereadProfiles = [this] { modes.profileList[2].readable = false; };
  Click("start");
  EXPECT_EQ(modes.log, Lines{"hotseat 1 2 0"});
  EXPECT_EQ(ui.GetTopModal(), computer.get());
  EXPECT_FALSE(StartEnabled(computer));
  Click("cancel");

  // Only damaged profiles: nothing can be started.
  modes.profileList = {Damaged("00001.yml"), Damaged("00000.yml")};
  modes.profiles = 2;
  Click("hotseat");
  EXPECT_FALSE(StartEnabled(screens.hotseatGameScreen));
  Click("start");
  EXPECT_EQ(modes.log.size(), 1u);
  EXPECT_EQ(host.state, 0x1004u);
}

// The network setups open on a profile that can play and send no other.
TEST_F(SetupRowsTest, TheNetworkSetupSendsOnlyAProfileThatCanPlay) {
  const auto& local = screens.networkGameScreen;
  Click("multiplayer");
  Click("network");
  EXPECT_EQ(Bar(local, "sbar0")->GetPos(), 1);
  Bar(local, "sbar0")->SetPos(0);
  drawing.Draw(local->FindChild("0"));
  EXPECT_EQ(ChildOf<UIButton>(local.get(), "apply")->State(), UIButton::kDisabled);
  Click("apply");
  EXPECT_EQ(modes.network.sentProfile, -1);
  // One damaged since the list was read is read again and not sent.
  Bar(local, "sbar0")->SetPos(1);
  modes.rereadProfiles = [this] { modes.profileList[1].readable = false; };
  Click("apply");
  EXPECT_EQ(modes.network.sentProfile, -1);
  // A start that begins no game reads the list again under the setup.
  modes.startWorks = false;
  modes.rereadProfiles = [this] { modes.log.push_back("reread"); };
  Click("start");
  EXPECT_NE(std::ranges::find(modes.log, "reread"), modes.log.end());
  EXPECT_EQ(ui.GetTopModal(), local.get());
}

// A setup, the options, the hall or the question box that could not be
// read opens nothing: the word stays at the screen shown, whose buttons go
// on answering.
TEST_F(SetupRowsTest, AScreenThatCouldNotBeMadeLeavesTheWordAtTheScreenShown) {
  screens.computerGameScreen.reset();
  Click("multiplayer");
  Click("computer");
  EXPECT_EQ(host.state, 0x804u);
  EXPECT_EQ(ui.GetTopModal(), screens.gameMenuScreen.get());
  Click("cancel");
  EXPECT_EQ(host.state, 4u);
  EXPECT_EQ(ui.GetTopModal(), nullptr);
  Click("new");
  EXPECT_EQ(host.state, 0x14u);
  Click("cancel");

  screens.optionsScreen.reset();
  screens.hallOfFameScreen.reset();
  Click("options");
  Click("hallFame");
  EXPECT_EQ(host.state, 4u);
  EXPECT_EQ(ui.GetTopModal(), nullptr);
  screens.yesNoScreen.reset();
  Click("exit");
  EXPECT_EQ(host.log, (Lines{"fillOptions", "quit"}));
}

// Without the question box, "delete" on the profile list asks nothing and
// the list goes on answering; without the list, the setup does.
TEST_F(SetupRowsTest, AProfileListOrItsQuestionThatCouldNotBeMadeLeavesTheScreenUnderAnswering) {
  Click("multiplayer");
  Click("computer");
  screens.yesNoScreen.reset();
  Click("profiles");
  EXPECT_EQ(host.state, 0x9004u);
  Click("delete");
  EXPECT_EQ(host.state, 0x9004u);
  Click("cancel");
  EXPECT_EQ(host.state, 0x1004u);
  EXPECT_EQ(ui.GetTopModal(), screens.computerGameScreen.get());

  screens.profilesScreen.reset();
  Click("profiles");
  EXPECT_EQ(host.state, 0x1004u);
  Click("cancel");
  EXPECT_EQ(host.state, 0x804u);
  EXPECT_EQ(ui.GetTopModal(), screens.gameMenuScreen.get());
}

}  // namespace
