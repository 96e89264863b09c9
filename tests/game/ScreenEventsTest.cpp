// The screens' event handling on the shipped English screens, without a
// window: clicks by control name and state word, the screen-changed rules,
// the way back to the main menu and Escape's question. The application and
// the game modes are recording fakes.
#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "tests/game/ScreenEventsFixture.h"

namespace {

using namespace screen_test;

TEST(ScreenEventsRows, ListRowsAreNamesOfDigitsOnly) {
  EXPECT_EQ(ListRowEntry("3", 4), 7);
  EXPECT_EQ(ListRowEntry("yes", 0), -1);
  EXPECT_EQ(ListRowEntry("", 0), -1);
  EXPECT_EQ(ListRowEntry("1a", 0), -1);
}

TEST_F(ScreenEventsTest, MainMenuRowsOpenTheirDialogsAndQuestions) {
  Click("new");
  EXPECT_EQ(host.state, 0x14u);
  EXPECT_EQ(ui.GetTopModal(), screens.newHeroScreen.get());
  const auto* name = dynamic_cast<UIEdit*>(screens.newHeroScreen->FindChild("name"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->GetText(), GetLocale().GetText("player_name"));
  Click("cancel");
  EXPECT_EQ(host.state, 4u);
  EXPECT_EQ(ui.GetTopModal(), nullptr);

  Click("multiplayer");
  EXPECT_EQ(host.state, 0x804u);
  EXPECT_EQ(ui.GetTopModal(), screens.gameMenuScreen.get());
  Click("cancel");
  Click("options");
  EXPECT_EQ(host.state, 0x10004u);
  Click("ok");
  EXPECT_EQ(host.state, 4u);
  Click("exit");
  EXPECT_EQ(host.state, 0xCu);
  Click("no");
  EXPECT_EQ(host.state, 4u);
  Click("hallFame");
  Click("exit");
  Click("yes");
  EXPECT_EQ(host.log, (Lines{"fillOptions", "applyOptions", "ask " + GetLocale().GetText("exit_confirm"),
                             "hallOfFame", "ask " + GetLocale().GetText("exit_confirm"), "quit"}));
}

// "ok" makes the quest without starting it; it starts once, when the
// introduction's fade ends, with the door keeper's message.
TEST_F(ScreenEventsTest, ANewHeroStartsTheQuestOnceAfterTheIntroduction) {
  Click("new");
  Click("ok");
  EXPECT_EQ(host.mode, &modes.quest);
  EXPECT_EQ(host.state, 5u);
  EXPECT_EQ(host.log.front(), "intro") << "the introduction is asked for";
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(modes.log, (Lines{"newQuest " + GetLocale().GetText("player_name"), "start"}));
  EXPECT_EQ(host.log.back(), "message " + GetLocale().GetText("door-keeper_mess"));
}

TEST_F(ScreenEventsTest, ContinueLoadsTheOnlySaveOrOpensTheSelection) {
  modes.saves = 1;
  Click("continue");
  EXPECT_EQ(modes.log, Lines{"load 0"});
  EXPECT_EQ(ui.GetTopModal(), nullptr);

  modes.log.clear();
  modes.saves = 3;
  events.ShowMainMenu();
  Settle();
  Click("continue");
  EXPECT_EQ(host.state, 0x24u);
  EXPECT_EQ(ui.GetTopModal(), screens.selectSaveScreen.get());
  Click("2");
  Click("yes");  // no row of the list
  Click("7");    // beyond the list
  EXPECT_EQ(events.selectedSave, 2);
  modes.loadWorks = false;  // the save reader refuses it
  Click("ok");
  EXPECT_EQ(modes.log, Lines{"load 2"});
  EXPECT_EQ(host.state, 4u);
  EXPECT_EQ(ui.CurrentScreen(), screens.mainMenuScreen.get());
  EXPECT_EQ(ui.GetTopModal(), nullptr);
}

// A save that cannot go on brings the menu back with a question that says
// why: "no" keeps the save, "yes" deletes it and "continue" goes. A message
// box over the menu closes with its button.
TEST_F(ScreenEventsTest, ASaveThatCannotGoOnIsOfferedForDeletion) {
  modes.saves = 1;
  modes.loadWorks = false;
  UIControl* menu = screens.mainMenuScreen.get();
  for (const char* answer : {"no", "yes"}) {
    Click("continue");
    events.OnScreenChanged(menu);  // the fade's end
    EXPECT_EQ(host.state, 0x204u);
    EXPECT_EQ(host.log.back(), "ask " + GetLocale().GetText("save_damaged_confirm"));
    Click("new");  // not a button of the question
    Click(answer);
    EXPECT_EQ(host.state, 4u);
  }
  EXPECT_EQ(modes.log, (Lines{"load 0", "endGames", "load 0", "endGames", "delete 0"}));
  EXPECT_FALSE(menu->FindChild("continue")->IsVisible());

  Open(screens.messageScreen.get());
  Click("ok");
  EXPECT_EQ(ui.GetTopModal(), nullptr);
  EXPECT_EQ(host.state, 4u);
}

// Chosen in the list, a save that cannot go on goes back to the list on
// "no" to its question, its selection kept, as a damaged profile's does.
TEST_F(ScreenEventsTest, ASaveRefusedFromTheListGoesBackToIt) {
  modes.saves = 3;
  modes.loadWorks = false;
  Click("continue");
  Click("2");
  Click("ok");
  events.OnScreenChanged(screens.mainMenuScreen.get());
  Click("no");
  EXPECT_EQ(host.state, 0x24u);
  EXPECT_EQ(ui.GetTopModal(), screens.selectSaveScreen.get());
  EXPECT_EQ(events.selectedSave, 2);
  Click("ok");
  events.OnScreenChanged(screens.mainMenuScreen.get());
  Click("yes");
  EXPECT_EQ(host.state, 4u);
  EXPECT_EQ(ui.GetTopModal(), nullptr);
  EXPECT_EQ(modes.log, (Lines{"load 2", "endGames", "load 2", "endGames", "delete 2"}));
}

// An unlisted control of the question leaves the word alone; deleting the
// last save leaves a usable main menu with nothing over it.
TEST_F(ScreenEventsTest, DeletingTheLastSaveReturnsToTheMainMenu) {
  modes.saves = 2;
  Click("continue");
  Click("1");
  Click("delete");
  EXPECT_EQ(host.state, 0x224u);
  Click("mess");
  EXPECT_EQ(host.state, 0x224u);
  Click("yes");
  EXPECT_EQ(host.state, 0x24u);
  EXPECT_EQ(events.selectedSave, 0);
  Click("delete");
  Click("yes");
  EXPECT_EQ(modes.log, (Lines{"delete 1", "delete 0"}));
  EXPECT_EQ(host.state, 4u);
  EXPECT_TRUE(ui.ModalStack().empty());
  EXPECT_EQ(ui.CurrentScreen(), screens.mainMenuScreen.get());
}

TEST_F(ScreenEventsTest, ResultModalsDispatchToTheModeByTheActiveModal) {
  host.mode = &modes.quest;
  const std::pair<UIControl*, const char*> rows[] = {{screens.levelFailScreen.get(), "retry"},
                                                     {screens.levelComplete2Screen.get(), "reward -1"},
                                                     {screens.questFinalScreen.get(), "reward -1"}};
  for (const auto& [modal, call] : rows) {
    modes.log.clear();
    host.state = 0x82;
    Open(modal);
    Click("gold");  // not a row of the result
    EXPECT_EQ(host.state, 0x82u);
    Click("ok");
    EXPECT_EQ(host.state, 2u);
    EXPECT_EQ(modes.log, Lines{call});
  }
  modes.log.clear();
  host.state = 0x82;
  Open(screens.levelCompleteScreen.get());
  Click("artifact");
  host.state = 0x42;
  Open(screens.battleVictoryScreen.get());
  Click("ok");
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(modes.log, (Lines{"reward 1", "levelEnd"}));
}

TEST_F(ScreenEventsTest, EscapesQuestionSavesTheQuestAndShowsTheMainMenu) {
  host.mode = &modes.quest;
  host.state = 2;
  ASSERT_TRUE(events.AskAbort());
  EXPECT_EQ(host.state, 0xAu);
  EXPECT_EQ(host.log, Lines{"ask " + GetLocale().GetText("abort_game")});
  Open(screens.yesNoScreen.get());
  EXPECT_FALSE(events.AskAbort());
  Click("no");
  EXPECT_EQ(host.state, 2u);
  events.AskAbort();
  Open(screens.yesNoScreen.get());
  Click("yes");
  EXPECT_EQ(modes.log, Lines{"saveQuest"});
  EXPECT_EQ(host.state, 4u);
}

// Without its question box (a layout cut short: the box without its
// buttons) Escape leaves a game as "yes" would.
TEST_F(ScreenEventsTest, EscapeWithoutItsQuestionBoxLeavesTheGame) {
  const std::string question = testing_support::ReadFile("ui/english/yesno.yml");
  screens.yesNoScreen = UIParser().LoadText(question.substr(0, question.size() / 3), "yesno.yml");
  ASSERT_NE(screens.yesNoScreen, nullptr);
  host.mode = &modes.quest;
  host.state = 3;
  ASSERT_TRUE(events.AskAbort());
  EXPECT_EQ(modes.log, Lines{"saveQuest"});
  EXPECT_EQ(host.state, 4u);
}

// Every way out of the program (the menu's exit, the window's close, a
// signal) leaves a game as Escape's question does, then ends the program:
// the quest saved where it stands (under the question or the help book
// too), at a result box with its result; the games end (the network peer
// told) whatever is shown.
TEST_F(ScreenEventsTest, LeavingTheProgramSavesTheQuestWhereItStandsAndEndsTheGames) {
  host.mode = &modes.quest;
  for (const std::uint32_t state : {1u, 2u, 3u, 0xBu, 0x40003u}) {
    host.state = state;
    events.EndProgram();
    EXPECT_EQ(modes.log, (Lines{"saveQuest", "endGames"})) << state;
    EXPECT_EQ(host.log, Lines{"quit"}) << "then the program ends";
    modes.log.clear();
    host.log.clear();
  }
  // At a result box (the help over it too) the quest takes the result the
  // box waits to hand over; the fade into a fight keeps the save before it.
  for (const std::uint32_t state : {0x42u, 0x43u, 0x82u, 0x40082u}) {
    host.state = state;
    events.EndProgram();
    EXPECT_EQ(modes.log, (Lines{"takeResult", "endGames"})) << state;
    modes.log.clear();
  }
  for (const std::uint32_t state : {0x102u, 4u}) {
    host.state = state;
    events.EndProgram();
    EXPECT_EQ(modes.log, Lines{"endGames"}) << state;
    modes.log.clear();
  }
  host.mode = &modes.other;
  for (const std::uint32_t state : {3u, 0x82u}) {
    host.state = state;
    events.EndProgram();
    EXPECT_EQ(modes.log, Lines{"endGames"}) << state;
    modes.log.clear();
  }
}

// Escape's question answered yes in a network game tells the other machine
// at once; the game itself ends once the fade reaches the menu.
TEST_F(ScreenEventsTest, LeavingANetworkGameByTheMenuTellsThePeerAtOnce) {
  host.mode = modes.Network();
  for (const std::uint32_t state : {0xAu, 0xBu}) {
    host.state = state;
    Open(screens.yesNoScreen.get());
    Click("yes");
    EXPECT_EQ(modes.log, Lines{"sendAbort"}) << state;
    EXPECT_EQ(host.state, 4u);
    modes.log.clear();
  }
}

// A network abort's message over a fight's result: the main menu closes
// both, not only the top one.
TEST_F(ScreenEventsTest, TheMainMenuClosesEveryModal) {
  host.state = 0x4042;
  Open(screens.battleVictoryScreen.get());
  Open(screens.messageScreen.get());
  Click("ok");
  EXPECT_TRUE(ui.ModalStack().empty());
  EXPECT_EQ(ui.WaitingModal(), nullptr);
  EXPECT_EQ(host.state, 4u);
  // Over a network setup the setup stays, looking for a game again.
  Click("multiplayer");
  Click("network");
  host.state |= 0x4000;
  Open(screens.messageScreen.get());
  Click("ok");
  EXPECT_EQ(ui.GetTopModal(), screens.networkGameScreen.get());
  EXPECT_EQ(host.state, 0x2004u);
}

// Enter, Space and Escape each answer a message box as its button does;
// any other key leaves it to the screens.
TEST_F(ScreenEventsTest, EnterSpaceAndEscapeAnswerAMessageBox) {
  for (const std::uint32_t key : {platform::vk::Return, platform::vk::Space, platform::vk::Escape}) {
    Open(screens.messageScreen.get());
    EXPECT_FALSE(events.OnMessageKey('A'));
    ASSERT_EQ(ui.GetTopModal(), screens.messageScreen.get());
    EXPECT_TRUE(events.OnMessageKey(key)) << key;
    Settle();
    EXPECT_TRUE(ui.ModalStack().empty()) << key;
  }
}

// The other player cancels as this one clicks the setup: the click lands on
// the setup as it shrinks for the message and is not taken for the
// message's. Once the message is answered the setup is back, and its word.
TEST_F(ScreenEventsTest, AClickOnTheSetupAsAMessageOpensOverItIsNotTakenForTheMessage) {
  Click("multiplayer");
  Click("internet");
  const UIControl* setup = screens.internetGameScreen.get();
  for (const char* button : {"cancel", "apply", "profiles"}) {
    host.state |= 0x4000;  // the other player left
    ui.PushModal(screens.messageScreen.get());
    ui.Update(0.01f);
    events.OnClick(setup->FindControl(button));
    Settle();
    EXPECT_EQ(ui.GetTopModal(), screens.messageScreen.get()) << button;
    Click("ok");
    EXPECT_EQ(ui.GetTopModal(), setup) << button;
    EXPECT_EQ(host.state, 0x2004u) << button;
  }
}

// The setup's link is read at every frame whatever covers the setup: the
// player list counts as no player chosen, so that a start read under it
// waits for the choice; the other player leaving is told over the list, and
// the message's answer leaves the list over a setup that looks again.
TEST_F(ScreenEventsTest, TheNetworkSetupIsReadUnderThePlayerListAndItsMessage) {
  Click("multiplayer");
  Click("internet");
  Click("apply");
  ASSERT_EQ(modes.network.sentProfile, 0);
  Click("profiles");
  EXPECT_EQ(modes.network.sentProfile, -1);
  modes.log.clear();
  EXPECT_EQ(events.FrameScene(), 4u);  // every frame, before its scene is drawn
  EXPECT_EQ(modes.log, Lines{"read"});
  host.state |= 0x4000;
  Open(screens.messageScreen.get());
  Click("ok");
  EXPECT_EQ(ui.GetTopModal(), screens.profilesScreen.get());
  EXPECT_EQ(host.state, 0xA004u);
  Click("cancel");
  EXPECT_EQ(ui.GetTopModal(), screens.internetGameScreen.get());
  EXPECT_EQ(host.state, 0x2004u);
}

// While the network game waits for the other player the board is held
// dark, the mode hears the other machine at every frame of the hold, and
// Escape leads back to the network setup last used. A message shown
// meanwhile ends the hold, and Enter answers it: back to the setup too.
TEST_F(ScreenEventsTest, TheNetworkWaitIsHeldUntilEscapeOrAMessageThatKeysAnswer) {
  UIControl board(YRect(), "board", nullptr);
  events.scenes.board = &board;
  Click("multiplayer");
  Click("internet");
  modes.running = false;
  modes.networkWaiting = true;
  for (const std::uint32_t key : {platform::vk::Escape, platform::vk::Return}) {
    host.state = 2;
    ui.CloseAllModals();
    ui.SetScreen(nullptr);
    Settle();
    modes.log.clear();
    events.OnScreenChanged(nullptr);
    EXPECT_EQ(modes.log, Lines{"read"});
    EXPECT_GT(ui.ScreenFade(), 0.9f);
    EXPECT_TRUE(events.WaitsForPeer());
    if (key == platform::vk::Return) {
      host.state = 0x4002;  // the other player left
      ui.SetScreen(&board);
      Settle();
      events.OnScreenChanged(&board);
      EXPECT_EQ(ui.ScreenFade(), 0.0f);
      Open(screens.messageScreen.get());
      EXPECT_TRUE(events.OnMessageKey(key));
    } else {
      EXPECT_TRUE(events.AskAbort());
      EXPECT_EQ(modes.log.back(), "endNetwork");
    }
    Settle();
    events.OnScreenChanged(screens.mainMenuScreen.get());
    Settle();
    EXPECT_EQ(ui.GetTopModal(), screens.internetGameScreen.get());
    EXPECT_EQ(host.state, 0x2004u);
  }
  EXPECT_FALSE(events.OnMessageKey(platform::vk::Return));  // no message box on top
}

TEST_F(ScreenEventsTest, ScreenChangesSetTheWordAndTheMusic) {
  UIControl panel(YRect(), "panel", nullptr), board(YRect(), "board", nullptr),
      book(YRect(), "book", nullptr);
  events.scenes = {&panel, &board, &book};
  events.OnScreenChanged(&panel);
  EXPECT_EQ(host.state, 1u);
  host.state = 0x24;
  events.OnScreenChanged(&board);
  EXPECT_EQ(host.state, 2u);
  modes.running = false;  // a board whose game is over keeps the music
  events.OnScreenChanged(&board);
  events.OnScreenChanged(screens.mainMenuScreen.get());
  EXPECT_EQ(host.state, 4u);
  EXPECT_EQ(host.log, (Lines{"music 1", "music 3"}));
  EXPECT_EQ(modes.log, Lines{"endGames"});
  // F1 in the new-hero dialog opens the help, not the introduction.
  host.state = 0x14;
  events.OnScreenChanged(&book);
  EXPECT_EQ(host.state, 0x40014u);
  events.OnScreenChanged(screens.hallOfFameScreen.get());
  EXPECT_EQ(host.state, 0x80004u);

  modes.log.clear();
  host.mode = &modes.quest;
  host.state = 0x102;
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(host.state, 3u);
  host.state = 0x402;
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(host.state, 2u);
  EXPECT_EQ(modes.log, (Lines{"battleView", "start"}));
  host.log.clear();
  host.state = 0x20002;  // the quest's last level is over
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(host.state, 0x20005u);
  EXPECT_EQ(host.log, (Lines{"finalScene", "music 2"}));
}

TEST_F(ScreenEventsTest, TextBoxesShowTheirTextCentred) {
  screen_texts::ShowTextBox(ui, screens.yesNoScreen.get(), "Leave the game?");
  EXPECT_EQ(TextOf(screens.yesNoScreen.get(), "mess"), "Leave the game?");
  EXPECT_EQ(ui.GetTopModal(), screens.yesNoScreen.get());
}

template <class T>
T* ChildOf(const std::unique_ptr<UIControl>& screen, const char* name) {
  return dynamic_cast<T*>(screen->FindChild(name));
}

bool Enabled(const std::unique_ptr<UIControl>& screen, const char* name) {
  return ChildOf<UIButton>(screen, name)->State() != UIButton::kDisabled;
}

// Four saves fit the rows without a bar; from five the bar shows, and a
// scrolled list takes the selection along at the next draw.
TEST_F(ScreenEventsTest, TheSaveListShowsItsBarFromFiveSaves) {
  auto* bar = ChildOf<UIScrollBar>(screens.selectSaveScreen, "sbar");
  modes.saves = 4;
  Click("continue");
  EXPECT_FALSE(bar->IsVisible());
  Click("cancel");
  modes.saves = 5;
  Click("continue");
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->Total(), 5);
  EXPECT_EQ(bar->Visible(), 4);
  bar->SetPos(1);
  drawing.Draw(screens.selectSaveScreen->FindChild("3"));
  EXPECT_EQ(events.selectedSave, 1);
}

// The delete question acts only on its own answers; "delete" is disabled
// once a single profile is left.
TEST_F(ScreenEventsTest, TheProfileListDeletesWhileMoreThanOneProfileIsLeft) {
  Click("multiplayer");
  Click("computer");
  Click("profiles");
  EXPECT_EQ(host.state, 0x9004u);
  EXPECT_TRUE(Enabled(screens.profilesScreen, "delete"));
  Click("1");
  Click("delete");
  EXPECT_EQ(host.state, 0x9204u);
  Click("mess");
  EXPECT_EQ(host.state, 0x9204u);
  Click("yes");
  EXPECT_EQ(host.state, 0x9004u);
  EXPECT_EQ(modes.log, Lines{"deleteProfile 1"});
  EXPECT_EQ(events.lists.selectedProfile, 0);
  EXPECT_FALSE(Enabled(screens.profilesScreen, "delete"));
}

// A profile file that stays is told over the list, and the message's "ok"
// closes only it; "edit" waits for a profile to exist.
TEST_F(ScreenEventsTest, AProfileThatStaysIsToldAndNoneCannotBeEdited) {
  Click("multiplayer");
  Click("computer");
  Click("profiles");
  modes.deleteWorks = false;
  Click("delete");
  Open(screens.yesNoScreen.get());
  Click("yes");
  EXPECT_EQ(host.log.back(), "message " + GetLocale().GetText("profile_delete_fail_mess"));
  Open(screens.messageScreen.get());
  Click("ok");
  EXPECT_EQ(ui.GetActive(), screens.profilesScreen.get());
  EXPECT_EQ(host.state, 0x9004u);
  modes.profiles = 0;
  events.lists.RefreshProfileList(screens.profilesScreen.get(), true);
  EXPECT_FALSE(Enabled(screens.profilesScreen, "edit"));
  Click("new");
  Click("ok");
  EXPECT_TRUE(Enabled(screens.profilesScreen, "edit"));
}

// "edit" on a damaged profile says so and offers to delete it.
TEST_F(ScreenEventsTest, EditingADamagedProfileOffersToDeleteIt) {
  modes.profile.readable = false;
  Click("multiplayer");
  Click("computer");
  Click("profiles");
  Click("1");
  Click("edit");
  EXPECT_TRUE(modes.log.empty()) << "a damaged profile has no hero to edit";
  ASSERT_FALSE(host.log.empty());
  EXPECT_EQ(host.log.back(), "ask " + GetLocale().GetText("profile_damaged_confirm"));
  EXPECT_EQ(host.state, 0x9204u);
  Click("yes");
  EXPECT_EQ(modes.log, Lines{"deleteProfile 1"});
}

// A new profile and "edit" hand the profile to the control panel; its way
// back brings the menu with the setup and the profile screen, and "cancel"
// gives the setup back with its lists refreshed.
TEST_F(ScreenEventsTest, ProfilesAreEditedOnThePanelAndTheSetupComesBackRefreshed) {
  UIControl panel(YRect(), "panel", nullptr);
  events.scenes.panel = &panel;
  Click("multiplayer");
  Click("computer");
  auto* second = ChildOf<UIScrollBar>(screens.computerGameScreen, "sbar1");
  second->SetPos(1);
  Click("profiles");
  Click("new");
  EXPECT_EQ(host.state, 0x9014u);
  Click("ok");
  Click("1");
  Click("edit");
  events.OnScreenChanged(&panel);
  EXPECT_EQ(host.state, 0x9001u);
  EXPECT_TRUE(ui.ModalStack().empty());
  events.BackToMenu();
  EXPECT_EQ(ui.PendingScreen(), screens.mainMenuScreen.get());
  modes.profiles = 1;  // the list is refreshed when the menu is back
  events.OnScreenChanged(screens.mainMenuScreen.get());
  EXPECT_EQ(host.state, 0x9004u);
  EXPECT_EQ(ui.GetTopModal(), screens.profilesScreen.get());
  EXPECT_FALSE(Enabled(screens.profilesScreen, "delete"));
  modes.profiles = 0;  // "edit" without a selected profile does nothing
  events.lists.RefreshProfileList(screens.profilesScreen.get(), true);
  Click("edit");
  modes.profiles = 2;
  Click("cancel");
  EXPECT_EQ(host.state, 0x1004u);
  EXPECT_EQ(second->GetPos(), 0);
  EXPECT_EQ(modes.log,
            (Lines{"newProfile " + GetLocale().GetText("player_name") + " 5", "edit 1", "saveProfile"}));
  // Outside the profile screen the way back is the game mode's.
  host.mode = &modes.quest;
  host.state = 1;
  events.BackToMenu();
  EXPECT_EQ(modes.log.back(), "update");
}

TEST_F(ScreenEventsTest, StartPlaysTheChosenDifficultyOrASecondPersonWhenProfilesExist) {
  Click("multiplayer");
  Click("computer");
  ChildOf<UICombobox>(screens.computerGameScreen, "difficulty")->SetCurrent(2);
  ChildOf<UIScrollBar>(screens.computerGameScreen, "sbar1")->SetPos(1);
  Click("start");
  EXPECT_EQ(host.mode, modes.Hotseat());
  EXPECT_TRUE(ui.ModalStack().empty());
  host.state = 4;
  Click("multiplayer");
  Click("hotseat");
  Click("start");
  EXPECT_EQ(modes.log, (Lines{"hotseat 0 1 2", "hotseat 0 0 -1"}));
  // Without profiles nothing starts and the setup stays usable.
  host.state = 4;
  modes.profiles = 0;
  Click("multiplayer");
  Click("hotseat");
  EXPECT_FALSE(Enabled(screens.hotseatGameScreen, "start"));
  Click("start");
  EXPECT_EQ(host.state, 0x1004u);
  EXPECT_EQ(ui.GetTopModal(), screens.hotseatGameScreen.get());
  Click("cancel");
  EXPECT_EQ(host.state, 0x804u);
  EXPECT_EQ(modes.log.size(), 2u);
}

// "apply" is needed until the chosen profile and the typed host are sent;
// "start" waits for that and for the network mode.
TEST_F(ScreenEventsTest, TheNetworkSetupsEnableApplyAndStartByWhatWasSent) {
  const auto& local = screens.networkGameScreen;
  Click("multiplayer");
  Click("network");
  EXPECT_EQ(modes.log, Lines{"connect "});  // by broadcast, at once
  modes.network.mayStart = true;
  drawing.Draw(local->FindChild("0"));
  EXPECT_TRUE(Enabled(local, "apply"));
  EXPECT_FALSE(Enabled(local, "start"));
  Click("apply");
  drawing.Draw(local->FindChild("0"));
  EXPECT_FALSE(Enabled(local, "apply"));
  EXPECT_TRUE(Enabled(local, "start"));
  ChildOf<UIScrollBar>(local, "sbar0")->SetPos(1);
  drawing.Draw(local->FindChild("0"));
  EXPECT_TRUE(Enabled(local, "apply"));
  EXPECT_FALSE(Enabled(local, "start"));
  Click("cancel");
  EXPECT_EQ(host.state, 0x804u);

  const auto& internet = screens.internetGameScreen;
  Click("internet");
  Click("apply");
  ChildOf<UIEdit>(internet, "ip")->SetText("127.0.0.1");
  drawing.Draw(internet->FindChild("0"));
  EXPECT_TRUE(Enabled(internet, "apply"));
  Click("apply");
  drawing.Draw(internet->FindChild("0"));
  EXPECT_FALSE(Enabled(internet, "apply"));
  EXPECT_EQ(modes.log, (Lines{"connect ", "endNetwork", "connect ", "connect 127.0.0.1"}));
}

TEST_F(ScreenEventsTest, HelpKeyIsIgnoredWhileAScreenChangeIsPending) {
  host.state = 0x102;
  EXPECT_FALSE(events.OnHelpKey());
  host.state = 4;
  ui.SetScreen(screens.mainMenuScreen.get());
  ui.Update(0.1f);
  EXPECT_FALSE(events.OnHelpKey());
  Settle();
  EXPECT_TRUE(events.OnHelpKey());
  EXPECT_EQ(host.log, Lines{"help"});
}

// While the skill screen is the active modal its rows take every click;
// "ok" stores the values once, tells the board and leaves the word alone.
TEST_F(ScreenEventsTest, TheSkillScreenTakesTheClicksWhileItIsOpen) {
  YPlayerHero hero;
  hero.startValues = {9, 9, 9, 9, 0};
  hero.skillCosts = {1, 1, 1, 1, 1};
  hero.points = 2;
  host.state = 2;
  events.skill.Show(&hero);
  Settle();
  Click("plus3");
  UIControl ok(YRect(), "ok", nullptr);
  events.OnClick(&ok);
  events.OnClick(&ok);  // while the screen shrinks
  Settle();
  EXPECT_EQ(hero.baseMana[3], 1);
  EXPECT_EQ(hero.points, 1);
  EXPECT_EQ(modes.log, Lines{"notifySkill"});
  EXPECT_EQ(host.state, 2u);
  EXPECT_EQ(ui.GetTopModal(), nullptr);
}

// A help book of nine plain pages over the main menu, its screen changes
// heard as the application hears them.
struct BookEventsTest : ScreenEventsTest {
  BookEventsTest() {
    for (int i = 0; i < 9; ++i)
      host.pages.helpPages.push_back(std::make_unique<UIControl>(YRect(), "p" + std::to_string(i), nullptr));
    host.pages.helpSpellsPage = 3;
    host.pages.helpSpecialSpellsPage = 5;
    host.pages.helpArtifactsPage = 7;
    events.scenes.book = host.book.SetPages(BookPages::View(host.pages.helpPages));
  }
  int Turned() {
    for (int i = 0; i < 10; ++i) host.book.Step(0.25f);
    return host.book.ShownPage();
  }
  // The book's window becomes the screen; the change is heard.
  void ShowBook() {
    ui.SetScreen(host.book.Window());
    Settle();
    events.OnScreenChanged(host.book.Window());
  }
  // Closes the book as its "back" link or Escape does.
  void CloseBook() {
    Settle();
    EXPECT_EQ(ui.CurrentScreen(), nullptr) << "faded out";
    events.OnScreenChanged(nullptr);
  }
};

TEST_F(BookEventsTest, PageLinksTurnTheBook) {
  host.state = 0x40004;
  const auto click = [&](const char* name) {
    Click(name);
    return Turned();
  };
  EXPECT_EQ(click("specialspells"), 4);
  EXPECT_EQ(click("spells"), 2);
  EXPECT_EQ(click("artifacts"), 6);
  EXPECT_EQ(click("page_last"), 8);
  EXPECT_EQ(click("page3"), 2);
  EXPECT_EQ(click("nextPage"), 4);
  EXPECT_EQ(click("prevPage"), 2);
  EXPECT_EQ(click("pageX"), 2);
  EXPECT_EQ(click("page0"), 0);
  host.state = 5;  // the introduction
  EXPECT_EQ(click("nextPage"), 2);
  EXPECT_EQ(host.log, Lines{}) << "nothing else acts on a book's clicks";
}

TEST_F(BookEventsTest, ClosingTheHelpBringsBackItsScreenModalsAndPage) {
  ui.SetScreen(screens.mainMenuScreen.get());
  Click("new");
  host.pages.bookReturnScreen = screens.mainMenuScreen.get();
  ShowBook();
  EXPECT_EQ(host.state, 0x40014u);
  EXPECT_EQ(ui.GetTopModal(), nullptr) << "the dialog waits under the book";
  host.book.Reset(5);
  Click("back");
  CloseBook();
  EXPECT_EQ(host.state, 0x14u);
  EXPECT_EQ(ui.CurrentScreen(), screens.mainMenuScreen.get());
  EXPECT_TRUE(screens.mainMenuScreen->IsVisible()) << "hidden when the book replaced it";
  EXPECT_EQ(ui.GetTopModal(), screens.newHeroScreen.get());
  EXPECT_EQ(host.pages.helpStartPage, 5);
}

TEST_F(BookEventsTest, BookKeysTurnTheBookAndEscapeClosesIt) {
  namespace vk = platform::vk;
  host.state = 0x40002;
  for (std::uint32_t key : {vk::Left, vk::Return, std::uint32_t{28}, std::uint32_t{31}, vk::F1})
    EXPECT_FALSE(events.OnBookKey(key)) << key;
  EXPECT_TRUE(events.OnBookKey(vk::Space));
  EXPECT_EQ(Turned(), 2);
  EXPECT_TRUE(events.OnBookKey(vk::Next));
  EXPECT_EQ(Turned(), 4);
  EXPECT_TRUE(events.OnBookKey(vk::Prior));
  EXPECT_EQ(Turned(), 2);
  host.state = 5;
  EXPECT_TRUE(events.OnBookKey('A'));
  EXPECT_EQ(Turned(), 4);
  host.state = 0x20005;  // the final scene's keys are its own
  EXPECT_FALSE(events.OnBookKey('A'));
  host.state = 4;
  EXPECT_FALSE(events.OnBookKey(vk::Escape));
  host.state = 0x40004;
  ui.SetCurrentScreen(host.book.Window());
  EXPECT_TRUE(events.OnBookKey(vk::Escape));
  CloseBook();
  EXPECT_EQ(host.state, 4u);
}

// The board or the duel under the help book must not take its clicks.
TEST(ScreenEventsRows, TheSceneUnderTheHelpBookGetsNoMouse) {
  EXPECT_TRUE(ScreenEvents::SceneTakesMouse(2, false));
  EXPECT_FALSE(ScreenEvents::SceneTakesMouse(2, true));
  EXPECT_FALSE(ScreenEvents::SceneTakesMouse(0x40002, false));
  EXPECT_FALSE(ScreenEvents::SceneTakesMouse(0x40003, false));
}

// The main menu's "help" opens the help at its start; F1 where it was left.
TEST_F(ScreenEventsTest, HelpOpensFromTheMenuAtItsStart) {
  Click("help");
  EXPECT_EQ(host.log, Lines{"help start"});
}

}  // namespace
