// The screens' event handling without a window: a recording application
// and recording game modes, and a fixture with the shipped English screens
// loaded into a UI root.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "framework/YLocale.h"
#include "game/book/BookPages.h"
#include "game/book/YBook.h"
#include "game/screens/CustomDrawing.h"
#include "game/screens/GameScreens.h"
#include "game/screens/OptionsScreen.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenHost.h"
#include "game/screens/ScreenModes.h"
#include "game/screens/ScreenResults.h"
#include "game/screens/ScreenTexts.h"
#include "modes/SaveInfo.h"
#include "modes/YGameQuest.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YGameMaster.h"
#include "players/YPlayerHero.h"
#include "render/DisplayMode.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
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

namespace screen_test {

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
  void ReleasePlayers() override {}
  void CloseModals() override {}
  void SetGameMode(YGameMaster* m) override { mode = m; }
  YGameMaster* GameMode() const override { return mode; }
  void ShowYesNo(const std::string& text) override { log.push_back("ask " + text); }
  void SelectMusic(int track, int followUp, float fade) override {
    log.push_back("music " + std::to_string(track));
    music.push_back({track, followUp, fade});
  }
  void QuitGame() override { log.push_back("quit"); }
  void ShowHelp(bool fromStart) override { log.push_back(fromStart ? "help start" : "help"); }
  BookPages& Pages() override { return pages; }
  bool ShowIntro() override {
    log.push_back("intro");
    return false;
  }
  void FreePages() override { log.push_back("freePages"); }
  void OpenFinalScene() override { log.push_back("finalScene"); }
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
  // The book the page links turn; the lists are filled by the tests.
  YBook book;
  BookPages pages{book};
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
  std::string ResumeProblem() override { return loadWorks ? "" : "save_damaged_confirm"; }
  bool DeleteSave(int n) override {
    log.push_back("delete " + std::to_string(n));
    --saves;
    return true;
  }
  void SaveQuest() override { log.push_back("saveQuest"); }
  void TakeQuestResult() override { log.push_back("takeResult"); }
  void EndGames() override { log.push_back("endGames"); }
  void LoadProfileSummaries() override {
    if (rereadProfiles) rereadProfiles();
  }
  int ProfileCount() override { return profiles; }
  // Entry n of `profileList` when it has one, else `profile`.
  const ProfileInfo& ProfileSummary(int n) override {
    return n >= 0 && n < static_cast<int>(profileList.size()) ? profileList[static_cast<std::size_t>(n)] : profile;
  }
  bool CreateProfile(const std::string& name, int, int, int, std::int32_t level) override {
    log.push_back("newProfile " + name + " " + std::to_string(level));
    ++profiles;
    return true;
  }
  void SelectProfile(int n) override { log.push_back("edit " + std::to_string(n)); }
  bool DeleteProfile(int n) override {
    log.push_back("deleteProfile " + std::to_string(n));
    if (!deleteWorks) return false;
    --profiles;
    return true;
  }
  void SaveCurrentProfile() override { log.push_back("saveProfile"); }
  bool StartHotseat(int first, int second, std::int32_t difficulty) override {
    log.push_back("hotseat " + std::to_string(first) + " " + std::to_string(second) + " " +
                  std::to_string(difficulty));
    return startWorks;
  }
  NetworkView NetworkState() override { return network; }
  void Connect(const std::string& host) override {
    log.push_back("connect " + host);
    network.host = host;
  }
  void SendPlayerInfo(int n) override { network.sentProfile = n; }
  void ForgetSentProfile() override { network.sentProfile = -1; }
  void ReadNetworkMessages() override { log.push_back("read"); }
  bool NetworkWaiting() override { return networkWaiting; }
  bool StartNetworkGame() override {
    log.push_back("startNetwork");
    return startWorks;
  }
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
  std::vector<ProfileInfo> profileList;
  std::function<void()> rereadProfiles;
  bool startWorks = true;
  NetworkView network;
  bool loadWorks = true;
  bool deleteWorks = true;
  bool running = true;
  bool networkWaiting = false;
  Lines log;
  RecordingMode quest{log};
  RecordingMode other{log};
};

inline std::string TextOf(const UIControl* screen, const char* name) {
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

}  // namespace screen_test
