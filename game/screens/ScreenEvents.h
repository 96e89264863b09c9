// The game screens' event handling: a click on a control of a menu, dialog
// or result screen acts by the control's name and the screen-state word;
// a finished screen change moves the word and the music to the new screen.
// It works on the UI root, the loaded screens, the application (ScreenHost)
// and the game modes (ScreenModes), so tests drive it without a window.
// Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "game/screens/HeroPortrait.h"
#include "game/screens/SkillScreen.h"
#include "game/screens/ScreenLists.h"
#include "game/screens/SetupRows.h"

class GameScreens;
class ScreenHost;
class ScreenModes;
class UIControl;
class UIRoot;

// Bits of the state word the screens set (the low three bits are the
// scene; the game modes' bits are in host_state).
namespace screen_state {
inline constexpr std::uint32_t kPanel = 1;
inline constexpr std::uint32_t kBoard = 2;
inline constexpr std::uint32_t kBattle = 3;
inline constexpr std::uint32_t kMenu = 4;
inline constexpr std::uint32_t kBook = 5;
inline constexpr std::uint32_t kQuestion = 0x8;
inline constexpr std::uint32_t kDialog = 0x10;
inline constexpr std::uint32_t kSaves = 0x20;
inline constexpr std::uint32_t kResult = 0x40;
inline constexpr std::uint32_t kComplete = 0x80;
inline constexpr std::uint32_t kDeleteQuestion = 0x200;
inline constexpr std::uint32_t kRestart = 0x400;
inline constexpr std::uint32_t kGameMenu = 0x800;
inline constexpr std::uint32_t kTwoProfileSetup = 0x1000;
inline constexpr std::uint32_t kNetworkSetup = 0x2000;
inline constexpr std::uint32_t kNetworkAbort = 0x4000;
inline constexpr std::uint32_t kProfiles = 0x8000;
inline constexpr std::uint32_t kOptions = 0x10000;
inline constexpr std::uint32_t kFinalScene = 0x20000;
inline constexpr std::uint32_t kHelpBook = 0x40000;
inline constexpr std::uint32_t kHallOfFame = 0x80000;
}  // namespace screen_state

class ScreenEvents {
 public:
  // All four outlive this object.
  ScreenEvents(UIRoot& ui, GameScreens& screens, ScreenHost& host, ScreenModes& modes);

  // The screens other parts of the game build, told apart on a screen
  // change (null: not built).
  struct Scenes {
    UIControl* panel = nullptr;
    UIControl* board = nullptr;
    UIControl* book = nullptr;
  };
  Scenes scenes;

  // A click on `sender` (event code 0). Null: nothing.
  void OnClick(UIControl* sender);
  // A screen change has finished (event code 6); `screen` the new one, or
  // null when the fade ended without one.
  void OnScreenChanged(UIControl* screen);
  // Closes every modal and fades to the main menu, its "continue" shown
  // only while the quest has a save; the menu music.
  void ShowMainMenu();
  // At every frame, before its scene is drawn: ReadNetworkSetup, then the
  // scene to draw (the low three bits of the state word). A game left for
  // the main menu (control panel, board or duel) stands, no longer stepped,
  // under the screen that fades out of it, until the menu takes its place.
  std::uint32_t FrameScene();
  // The control panel's way back: to the main menu while a profile is
  // edited (the profile screen comes back over it), else to the game
  // mode's screen.
  void BackToMenu();
  // Escape outside the menus: while the whole word is the control panel,
  // the board or the duel and no modal is open, asks whether to abort the
  // game (without its question box, leaves it as "yes" would). False when
  // the word or a modal leaves it alone.
  bool AskAbort();
  // Every way out of the program (the menu's exit, the window's close, a
  // signal): LeaveGames, then the host's QuitGame.
  void EndProgram();
  // As leaving by the menu does, a quest under way is saved where it
  // stands (at a result box with the result taken into it) and the other
  // player of a network game is told.
  void LeaveGames();
  // The network game waits for the other player (to play again, or for
  // its side of a game begun here) while the word is 2 alone and no modal
  // is open: the screen is held dark, the frame says that it waits, and
  // Escape stops the wait for the network setup.
  bool WaitsForPeer();
  // The locale texts the frame shows while WaitsForPeer, one a line.
  static constexpr const char* kWaitTexts[] = {"mp_connect", "network_wait_escape"};
  // Enter, Space and Escape answer the message box as its button does.
  // False when no message box is on top.
  bool OnMessageKey(std::uint32_t key);

  // F1: the help book, except while a screen change is pending (the fade
  // to a duel, 0x102): the book would take the place of the screen the
  // change waits for. False when ignored.
  bool OnHelpKey();
  // The keys of a book: in the book state (not the final scene) Escape
  // closes it, Page Up turns back and any other key forward; over the help
  // Escape closes it, Space and Page Down turn forward and Page Up back.
  // False when the key goes on to the game's other keys.
  bool OnBookKey(std::uint32_t key);
  // Replaces every screen by those of the interface folder `prefix`; on a
  // reload (a screen is current) it ends in the main menu with no modal.
  void LoadScreens(std::string_view prefix, const std::function<void(UIControl*)>& onDialog);

  // Whether the word and the modals let Escape or the board's menu button
  // ask: the whole word 1, 2 or 3 and no modal open.
  static bool MayAskAbort(std::uint32_t state, bool modalOpen);
  // Whether the scene under the UI gets the mouse too: not while a modal
  // is open, nor while the help book hides the scene.
  static bool SceneTakesMouse(std::uint32_t state, bool modalOpen);

  // The save chosen in the save selection (-1: none).
  int selectedSave = 0;
  // Set by whoever opens the introduction book: the book's screen then
  // starts the introduction rather than the help.
  bool introductionPending = false;
  // The skill screen: its hero, values and points, and its clicks.
  SkillScreen skill;
  // The hero dialogs' portrait and the gender it put aside.
  HeroPortrait portrait;
  // The profile and two-player selections.
  ScreenLists lists;

 private:
  std::uint32_t State() const;
  void SetState(std::uint32_t word) const;
  // The page links of the book shown (introduction or help).
  void BookRow(std::string_view name);
  // The rows of the main menu (word 4) and of its questions and dialogs.
  bool MainMenuRow(std::string_view name);
  bool QuestionRow(std::string_view name);
  // "yes" to the question whether to abort the game: the quest saved, the
  // network peer told, the main menu.
  void LeaveForMenu();
  void NewHeroRow(std::string_view name);
  void SaveSelectionRow(UIControl* sender);
  void DeleteSaveRow(std::string_view name);
  // The question over the menu whether to delete a save that cannot go on.
  void RefusedSaveRow(std::string_view name);
  // The rows of the fight, level and game results over the battles.
  void LevelResultRow(std::string_view name);
  void ClosedModalRow(std::string_view name);
  bool OptionsRow(std::string_view name);
  // While a network setup is open, whatever covers it (the player list, a
  // message, the control panel): the network mode reads what arrived, so
  // that the other player leaving is told at once.
  void ReadNetworkSetup();
  // The quest is the game in play; then saved where it stands.
  bool QuestInPlay() const;
  void SaveQuestInPlay();
  void Continue();
  // The save selection over the menu (reset: its first save selected).
  void OpenSaveList(bool reset);
  // Resumes save n; `fromList`: chosen in the save selection, which its
  // refusal's question goes back to.
  void LoadSave(int n, bool fromList);
  void StartNewQuest();
  void RefreshSaveList(bool reset);
  // The main menu's "continue" is shown only while the quest has a save.
  void ShowContinue();
  void OpenModal(UIControl* modal, std::uint32_t bits);
  void Ask(std::uint32_t bit, const std::string& key);
  void ScreenGone();
  // A fight's result box stands open, not on its way out.
  bool FightResultOpen() const;
  void BoardScreenShown();
  void MainMenuShown();
  // The main menu with the network setup last used over it.
  void ShowNetworkSetup();

  UIRoot& ui_;
  GameScreens& screens_;
  ScreenHost& host_;
  ScreenModes& modes_;
  SetupRows setupRows_;
  // The question to ask once the main menu is back, after a save could not
  // be resumed (empty: none).
  std::string refusedSaveQuestion_;
  bool refusedFromList_ = false;
  std::uint32_t sceneLeft_ = 0;
  // The network setup opens again once the main menu is back.
  bool networkSetupPending_ = false;
};

// A list row's entry: its name read as a row number (digits only) plus the
// list's first visible entry. -1 when the name is not made of digits.
int ListRowEntry(std::string_view name, int firstVisible);
