// The clicks of the two-player screens: the game-kind menu, the computer,
// hot-seat and network setups, and the profile screen over them with its
// new-profile dialog and delete question. Each row changes the state word
// only for a name it lists. Main thread only.
#pragma once

#include <cstdint>
#include <string_view>

class GameScreens;
class HeroPortrait;
class ScreenHost;
class ScreenLists;
class ScreenModes;
class UIControl;
class UIRoot;

class SetupRows {
 public:
  // The locale texts the rows show.
  static constexpr const char* kLocaleKeys[] = {"player_name", "delete_profile_confirm",
                                                "profile_damaged_confirm", "profile_delete_fail_mess"};

  // All six outlive this object; `portrait` shows the new-profile dialog's
  // face.
  SetupRows(UIRoot& ui, GameScreens& screens, ScreenHost& host, ScreenModes& modes, ScreenLists& lists,
            HeroPortrait& portrait);

  // A click while the profile screen is open (the word has 0x8000): the
  // delete question, the new-profile dialog, or the screen's own buttons
  // and rows.
  void ProfileRow(UIControl* sender);
  // The game-kind menu (word 0x804): the four setups; false for any other
  // name.
  bool GameMenuRow(std::string_view name);
  // The computer and hot-seat setups (word 0x1004).
  void TwoProfileSetupRow(std::string_view name);
  // The network setups (word 0x2004).
  void NetworkSetupRow(std::string_view name);
  // Over the main menu: the game-kind menu and the network setup last
  // opened (the local-network one when none was), as its button opens it.
  void OpenNetworkSetupAgain();

 private:
  std::uint32_t State() const;
  void SetState(std::uint32_t word) const;
  void DeleteQuestionRow(std::string_view name);
  void NewProfileRow(std::string_view name);
  void CloseProfiles();
  void OpenNewProfile();
  void EditProfile();
  void AskDeleteProfile(const char* question);
  void OpenProfiles();
  void OpenSetup(UIControl* setup, std::uint32_t word, bool network);
  void StartTwoProfileGame();
  void StartNetworkGame();
  void ApplyNetworkChoice();
  UIControl* ActiveSetup() const;

  UIRoot& ui_;
  GameScreens& screens_;
  ScreenHost& host_;
  ScreenModes& modes_;
  ScreenLists& lists_;
  HeroPortrait& portrait_;
  // The game-kind menu's button of the network setup last opened.
  std::string_view networkSetup_ = "network";
};
