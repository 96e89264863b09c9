// The screens' event handling on the shipped English screens, without a
// window: clicks by control name and state word, the screen-changed rules,
// the way back to the main menu and Escape's question. The application and
// the game modes are recording fakes.
#include "game/screens/ScreenEvents.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "framework/YLocale.h"
#include "game/screens/CustomDrawing.h"
#include "game/screens/GameScreens.h"
#include "game/screens/OptionsScreen.h"
#include "game/screens/ScreenHost.h"
#include "game/screens/ScreenModes.h"
#include "game/screens/ScreenResults.h"
#include "game/screens/ScreenTexts.h"
#include "modes/SaveInfo.h"
#include "modes/YGameQuest.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YGameMaster.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "render/DisplayMode.h"
#include "players/YPlayerHero.h"
#include "tests/support/TestSupport.h"
#include "ui/UIButton.h"
#include "ui/UICombobox.h"
#include "ui/UIComboboxList.h"
#include "ui/UIControl.h"
#include "ui/UIEdit.h"
#include "ui/UIImage.h"
#include "ui/UIParser.h"
#include "ui/UIRoot.h"
#include "ui/UIScrollBar.h"
#include "ui/UIText.h"
#include "ui/UITracker.h"

namespace {

using Lines = std::vector<std::string>;

struct RecordingMode : YGameMaster {
  explicit RecordingMode(Lines& log) : log_(log) {}
  void Start() override { log_.push_back("start"); }
  void OnLevelEnd() override { log_.push_back("levelEnd"); }
  void OnRewardChoice(std::int32_t choice) override { log_.push_back("reward " + std::to_string(choice)); }
  void OnRetryLevel() override { log_.push_back("retry"); }
  void OnNextRound() override { log_.push_back("nextRound"); }
  void Update() override { log_.push_back("update"); }
  Lines& log_;
};

struct FakeHost : ScreenHost {
  std::uint32_t State() const override { return state; }
  void SetState(std::uint32_t word) override { state = word; }
  void ClearScreen() override {}
  void PlayEffect(std::string_view) override {}
  void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
  void ShowBattleVictory(bool, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
  void ShowDefeat(std::int32_t, std::int32_t) override {}
  void ShowBattleVictoryMP(const std::string&, std::int32_t, std::int32_t) override {}
  void ShowMultiplayerDraw() override {}
  void ShowNetworkDefeat() override {}
  void ShowHotseatComplete(std::int32_t) override {}
  void ShowNetworkResult(std::int32_t) override {}
  void ShowLevelComplete(const std::string&, std::uint32_t) override {}
  void ShowLevelComplete2() override {}
  void ShowLevelFail() override {}
  void ShowQuestFinal() override {}
  void ShowHeroFine(const std::string&, std::int32_t) override {}
  void OpenControlPanel(YPlayer*, YMonsterShop*, std::int32_t) override {}
  void CloseModals() override {}
  void SetGameMode(YGameMaster* m) override { mode = m; }
  YGameMaster* GameMode() const override { return mode; }
  void ShowYesNo(const std::string& text) override { log.push_back("ask " + text); }
  void SelectMusic(int track, int followUp, float fade) override {
    log.push_back("music " + std::to_string(track));
    music.push_back({track, followUp, fade});
  }
  void QuitGame() override { log.push_back("quit"); }
  void ShowHelp() override { log.push_back("help"); }
  void ShowHallOfFame() override { log.push_back("hallOfFame"); }
  void FillOptions() override {
    log.push_back("fillOptions");
    if (fillOptions) fillOptions();
  }
  void ApplyOptions() override {
    log.push_back("applyOptions");
    if (applyOptions) applyOptions();
  }
  void SetOptionVolume(bool music, float value) override {
    log.push_back((music ? "music volume " : "sound volume ") + std::to_string(value));
  }
  std::function<void()> fillOptions, applyOptions;
  std::uint32_t state = 4;
  YGameMaster* mode = nullptr;
  Lines log;
  struct Music {
    int track, followUp;
    float fade;
    bool operator==(const Music&) const = default;
  };
  std::vector<Music> music;
};

struct FakeModes : ScreenModes {
  YGameMaster* Quest() override { return &quest; }
  YGameMaster* Hotseat() override { return &other; }
  YGameMaster* Network() override { return &other; }
  bool NewQuest(const QuestHeroChoice& c) override {
    log.push_back("newQuest " + c.name);
    return true;
  }
  void LoadSaveList() override {}
  int SaveCount() override { return saves; }
  const SaveInfo& SaveSummary(int) override { return save; }
  bool HasSaves() override { return saves > 0; }
  bool LoadSave(int n) override {
    log.push_back("load " + std::to_string(n));
    return loadWorks;
  }
  bool DeleteSave(int n) override {
    log.push_back("delete " + std::to_string(n));
    --saves;
    return true;
  }
  void SaveQuest() override { log.push_back("saveQuest"); }
  void EndGames() override { log.push_back("endGames"); }
  void LoadProfileSummaries() override {}
  int ProfileCount() override { return profiles; }
  const ProfileInfo& ProfileSummary(int) override { return profile; }
  bool CreateProfile(const std::string& name, int, int, int, std::int32_t level) override {
    log.push_back("newProfile " + name + " " + std::to_string(level));
    return true;
  }
  void SelectProfile(int n) override { log.push_back("edit " + std::to_string(n)); }
  void DeleteProfile(int n) override {
    log.push_back("deleteProfile " + std::to_string(n));
    --profiles;
  }
  void SaveCurrentProfile() override { log.push_back("saveProfile"); }
  bool StartHotseat(int first, int second, std::int32_t difficulty) override {
    log.push_back("hotseat " + std::to_string(first) + " " + std::to_string(second) + " " +
                  std::to_string(difficulty));
    return true;
  }
  NetworkView NetworkState() override { return network; }
  void Connect(const std::string& host) override {
    log.push_back("connect " + host);
    network.host = host;
  }
  void SendPlayerInfo(int n) override { network.sentProfile = n; }
  void ForgetSentProfile() override { network.sentProfile = -1; }
  void ReadNetworkMessages() override { log.push_back("read"); }
  void StartNetworkGame() override { log.push_back("startNetwork"); }
  void EndNetworkGame() override { log.push_back("endNetwork"); }
  void SendNetworkAbort() override { log.push_back("sendAbort"); }
  bool BoardRunning() override { return running; }
  void SetUpBattleView() override { log.push_back("battleView"); }
  bool BattleStarted() override { return true; }
  void SetBattleMood() override {}
  std::string SidePlayerName(int side) override { return sideNames[side & 1]; }
  int SideCommanderKind(int side) override { return sideKinds[side & 1]; }
  std::string sideNames[2];
  int sideKinds[2] = {-1, -1};
  void NotifySkill(const YPlayer*) override { log.push_back("notifySkill"); }
  int saves = 0;
  int profiles = 2;
  SaveInfo save;
  ProfileInfo profile;
  NetworkView network;
  bool loadWorks = true;
  bool running = true;
  Lines log;
  RecordingMode quest{log};
  RecordingMode other{log};
};

std::string TextOf(const UIControl* screen, const char* name) {
  const auto* text = dynamic_cast<const UIText*>(screen->FindChild(name));
  std::string all;
  for (const UIText::Run& run : text != nullptr ? text->Runs() : std::vector<UIText::Run>())
    all += (all.empty() ? "" : " ") + run.text;
  return all;
}

struct ScreenEventsTest : ::testing::Test {
  ScreenEventsTest() {
    GetLocale().Load("ui\\english\\locale.yml");
    UIParser::LoadLayout("ui\\english\\styles.yml");
    screens.Load("ui\\english\\", nullptr);
  }
  void Click(const char* name) {
    UIControl sender(YRect(), name, nullptr);
    events.OnClick(&sender);
    Settle();
  }
  void Settle() {
    for (int i = 0; i < 6; ++i) ui.Update(0.25f);
  }
  void Open(UIControl* modal) {
    ui.PushModal(modal);
    Settle();
  }
  testing_support::ScopedCwd cwd{QV_GAME_DIR};
  UIRoot ui{1000, 625, nullptr};
  GameScreens screens;
  FakeHost host;
  FakeModes modes;
  ScreenEvents events{ui, screens, host, modes};
  CustomDrawing drawing{screens, modes, events.lists, events.selectedSave};
};

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
  // The same for the game-kind menu and a network setup under the abort.
  Click("multiplayer");
  Click("network");
  host.state |= 0x4000;
  Open(screens.messageScreen.get());
  Click("ok");
  EXPECT_TRUE(ui.ModalStack().empty());
  EXPECT_EQ(host.state, 4u);
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
  EXPECT_EQ(modes.log, (Lines{"connect ", "read", "read", "read", "endNetwork", "connect ", "read",
                              "connect 127.0.0.1", "read"}));
}

// ---- The result screens the game modes show ---------------------------------

struct ScreenResultsTest : ScreenEventsTest {
  ScreenResults results{ui, screens, host, modes};
};

TEST_F(ScreenResultsTest, FightResultsShowTheirGainsStateAndMusic) {
  host.state = 3;
  results.ShowBattleVictory(false, 120, 45, 30, 10);
  UIControl* draw = screens.battleDrawScreen.get();
  EXPECT_EQ(ui.GetTopModal(), draw);
  EXPECT_EQ(TextOf(draw, "gold") + TextOf(draw, "experence") + TextOf(draw, "goldbonus") +
                TextOf(draw, "experencebonus"),
            "+120+45+30+10");
  EXPECT_EQ(host.state, 0x43u);
  results.ShowDefeat(7, 0);
  EXPECT_EQ(TextOf(screens.defeatScreen.get(), "gold"), "+7");
  EXPECT_EQ(TextOf(screens.defeatScreen.get(), "experence"), "+0");
  EXPECT_EQ(host.music, (std::vector<FakeHost::Music>{{7, 3, 0.5f}, {8, 3, 0.5f}}));
}

// A reward that names what the catalogues lack falls back to the plain
// level-complete screen, whose "ok" goes on without a reward.
TEST_F(ScreenResultsTest, ALevelRewardShowsItsPicturesOrFallsBackWhenMissing) {
  ClearArtifacts();
  YArtifactLoader artifacts("ui\\english\\artifacts.yml");
  GetTileTables().Clear();
  GetTileTables().Load("ui\\english\\");
  ASSERT_FALSE(Artifacts().empty());
  ASSERT_FALSE(GetTileTables().Spells().empty());
  const YArtifact& item = *Artifacts().front();
  const YTileSpell& spell = *GetTileTables().Spells().front();
  UIControl* reward = screens.levelCompleteScreen.get();
  results.ShowLevelComplete(item.id, spell.key);
  EXPECT_EQ(ui.GetTopModal(), reward);
  EXPECT_EQ(TextOf(reward, "artifactName"), item.name);
  EXPECT_EQ(TextOf(reward, "spellName"), spell.name);
  EXPECT_EQ(dynamic_cast<UIImage*>(reward->FindChild("artifactImg"))->texture, item.texture);
  ui.CloseAllModals();
  Settle();

  host.mode = &modes.quest;
  host.state = 0x82;
  LogCapture log;
  results.ShowLevelComplete("no_such_artifact", spell.key);
  Settle();
  EXPECT_EQ(ui.GetTopModal(), screens.levelComplete2Screen.get());
  EXPECT_EQ(log.Lines().size(), 1u);
  Click("ok");
  EXPECT_EQ(modes.log, Lines{"reward -1"});
}

// The locale's game-end text is a format from a data file: only %s and %d
// are filled, nothing reads a missing argument; a draw's text is not a
// format at all.
TEST_F(ScreenResultsTest, TheHotseatEndFillsItsFormatSafely) {
  testing_support::ScopedTempDir dir;
  std::ofstream(dir.File("locale.yml")) << "<locale><str name=\"hotseat_complete\">%s wins %d%s %n %x</str>"
                                           "<str name=\"multiplayer_draw\">Nobody wins 100%s</str></locale>";
  GetLocale().Load(dir.File("locale.yml"));
  modes.sideNames[1] = "Mira";
  host.state = 2;
  results.ShowHotseatComplete(1);
  UIControl* end = screens.multiplayerCompleteScreen.get();
  EXPECT_EQ(TextOf(end, "text"), "Mira wins %n %x");
  EXPECT_EQ(host.state, 0x82u);
  EXPECT_EQ(ui.GetTopModal(), end);
  results.ShowHotseatComplete(-1);
  EXPECT_EQ(TextOf(end, "text"), "Nobody wins 100%s");
}

// The network game's end speaks for this machine: the side whose board
// commander is the peer's won against it.
TEST_F(ScreenResultsTest, TheNetworkEndTellsWinFromDefeatByTheWinnersCommander) {
  UIControl* end = screens.multiplayerCompleteScreen.get();
  modes.sideKinds[0] = 3;  // the peer plays side 0
  modes.sideKinds[1] = 1;
  results.ShowNetworkResult(0);
  EXPECT_EQ(TextOf(end, "text"), GetLocale().GetText("network_defeat_game"));
  results.ShowNetworkResult(1);
  EXPECT_EQ(TextOf(end, "text"), GetLocale().GetText("network_win_game"));
  results.ShowNetworkResult(-1);
  EXPECT_EQ(TextOf(end, "text"), GetLocale().GetText("multiplayer_draw"));
}

// The fine is a whole screen, not a modal; its "ok" starts the next round.
TEST_F(ScreenResultsTest, TheFineBecomesTheScreenAndItsOkGoesOn) {
  host.mode = &modes.quest;
  host.state = 2;
  results.ShowHeroFine("textures\\heroes\\wanderer.tga", 40);
  Settle();
  UIControl* fine = screens.heroFineScreen.get();
  EXPECT_EQ(ui.CurrentScreen(), fine);
  EXPECT_EQ(ui.GetTopModal(), nullptr);
  EXPECT_EQ(TextOf(fine, "gold"), "-40");
  EXPECT_EQ(dynamic_cast<UIImage*>(fine->FindChild("face"))->texture->name(),
            "textures\\heroes\\wanderer.tga");
  EXPECT_EQ(host.state, 0x82u);
  Click("ok");
  EXPECT_EQ(modes.log, Lines{"nextRound"});
  EXPECT_EQ(host.state, 2u);
}

// The options on a display of two sizes, the configuration in 1024x768 and
// English; the screens' reload is the application's.
struct OptionsTest : ScreenEventsTest {
  OptionsTest() {
    config.interfaceIndex = config.interfaces.IndexOf("english", 0);
    config.videoMode = "1024x768:32@60";
    display.SetModes(
        {{800, 600, 32, 60, 0}, {1024, 768, 32, 60, 1}, {1024, 768, 32, 75, 2}, {1024, 768, 32, 0, -1}});
    host.fillOptions = [this] { OptionsScreen::Fill(screens.optionsScreen.get(), config, display); };
    host.applyOptions = [this] { options.Apply(screens.optionsScreen.get(), config); };
    events.ShowMainMenu();
    Settle();
    host.log.clear();
  }
  UICombobox* List(const char* name) {
    return dynamic_cast<UICombobox*>(screens.optionsScreen->FindChild(name));
  }
  void Reload(int language) {
    ++reloads;
    config.interfaceIndex = language;
    const std::string prefix = config.GetInterfaceName() + "\\";
    GetLocale().Load(prefix + "locale.yml");
    UIParser::LoadLayout(prefix + "styles.yml");
    events.LoadScreens(prefix, nullptr);
  }
  Init config;  // lists the game folder's interface folders
  DisplayModeList display;
  Lines videoModes;
  int reloads = 0;
  OptionsScreen options{{[this](const std::string& mode) { videoModes.push_back(mode); },
                         [this](int language) { Reload(language); }}};
};

TEST_F(OptionsTest, TheSameResolutionLeavesTheWindowAlone) {
  Click("options");
  ASSERT_EQ(List("resolution")->List()->Items(), (std::vector<std::string>{"800x600", "1024x768"}));
  EXPECT_EQ(List("resolution")->GetCurrent(), 1);
  Click("ok");
  options.RunPending();
  EXPECT_TRUE(videoModes.empty());
  Click("options");
  List("resolution")->SetCurrent(0);
  Click("ok");
  options.RunPending();
  EXPECT_EQ(videoModes, Lines{"800x600:32"});
  // A mode the display does not list selects nothing: untouched, "ok"
  // changes nothing.
  videoModes.clear();
  config.videoMode = "1280x1024:32";
  Click("options");
  Click("ok");
  options.RunPending();
  EXPECT_TRUE(videoModes.empty());
}

// The click on "ok" comes from a screen the reload deletes: the reload
// waits for the frame's boundary, happens once and ends in the main menu.
TEST_F(OptionsTest, ALanguageChangeReloadsOnceAtTheFrameBoundary) {
  ASSERT_GE(config.interfaces.Count(), 2);
  Click("options");
  EXPECT_EQ(List("language")->List()->Items().size(), static_cast<std::size_t>(config.interfaces.Count()));
  const int other = config.interfaceIndex == 0 ? 1 : 0;
  List("language")->SetCurrent(other);
  const std::string title = TextOf(screens.optionsScreen.get(), "title");
  Click("ok");
  EXPECT_EQ(reloads, 0);
  options.RunPending();
  options.RunPending();
  EXPECT_EQ(reloads, 1);
  EXPECT_NE(TextOf(screens.optionsScreen.get(), "title"), title);
  Settle();
  EXPECT_EQ(ui.CurrentScreen(), screens.mainMenuScreen.get());
  EXPECT_TRUE(ui.ModalStack().empty());
  EXPECT_EQ(ui.WaitingModal(), nullptr);
  EXPECT_EQ(host.state, 4u);
  // The same language again does nothing.
  Click("options");
  Click("ok");
  options.RunPending();
  EXPECT_EQ(reloads, 1);
  Reload(config.interfaces.IndexOf("english", 0));
}

TEST_F(OptionsTest, VolumesActAtOnceAndCancelKeepsThem) {
  Click("options");
  auto* music = dynamic_cast<UITracker*>(screens.optionsScreen->FindChild("music_vol"));
  ASSERT_NE(music, nullptr);
  EXPECT_FLOAT_EQ(music->GetValue(), config.musicVolume);
  music->SetValue(0.25f);
  Click("music_vol");
  Click("cancel");
  Click("sound_vol");  // the options are closed
  EXPECT_EQ(host.log, (Lines{"fillOptions", "music volume " + std::to_string(0.25f)}));
  EXPECT_EQ(host.state, 4u);
}

// F1 waits while a screen change is pending (the fade to a duel), which the
// book would otherwise take over.
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

}  // namespace
