// The game's menu, dialog and result screens: one control tree each, read
// from a layout file of the interface folder. The set owns the trees; the
// UI root only shows them. Main thread only.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class UIControl;

class GameScreens {
 public:
  GameScreens();
  ~GameScreens();
  GameScreens(const GameScreens&) = delete;
  GameScreens& operator=(const GameScreens&) = delete;

  // One screen of the set and the layout file it is read from.
  struct Entry {
    std::unique_ptr<UIControl> GameScreens::*member;
    const char* file;
  };
  // Every screen, in the order they are loaded.
  static const std::array<Entry, 26> kEntries;

  // Reads every screen from `prefix` + its file ("ui\english\" +
  // "mainMenu.yml"), in the order of kEntries, each replacing the tree
  // read before; a file that yields nothing leaves its screen null and is
  // reported to FileAlerts. Calls
  // `onDialog` with each hero dialog (new hero, new profile) right after it
  // is read, so its lists can be filled before anything else is read.
  void Load(std::string_view prefix, const std::function<void(UIControl*)>& onDialog);
  // The screen read from `file`, or null (no such entry, or nothing read).
  UIControl* Find(std::string_view file) const;
  // The layout file `member` is read from; empty when it has no entry.
  static const char* FileOf(std::unique_ptr<UIControl> GameScreens::*member);
  // Whether the main menu was read with every button the game answers on
  // it: without them the game cannot be played.
  bool MainMenuMade() const;
  // Whether the question box was read with its "yes" and "no": without
  // them a question could not be answered.
  bool QuestionMade() const;

  std::unique_ptr<UIControl> mainMenuScreen;
  std::unique_ptr<UIControl> selectSaveScreen;
  std::unique_ptr<UIControl> messageScreen;
  std::unique_ptr<UIControl> yesNoScreen;
  std::unique_ptr<UIControl> battleVictoryScreen;
  std::unique_ptr<UIControl> battleDrawScreen;
  std::unique_ptr<UIControl> defeatScreen;
  std::unique_ptr<UIControl> levelCompleteScreen;
  std::unique_ptr<UIControl> levelComplete2Screen;
  std::unique_ptr<UIControl> levelFailScreen;
  std::unique_ptr<UIControl> heroFineScreen;
  std::unique_ptr<UIControl> questFinalScreen;
  std::unique_ptr<UIControl> heroSkillScreen;
  std::unique_ptr<UIControl> newHeroScreen;
  std::unique_ptr<UIControl> gameMenuScreen;
  std::unique_ptr<UIControl> computerGameScreen;
  std::unique_ptr<UIControl> hotseatGameScreen;
  std::unique_ptr<UIControl> networkGameScreen;
  std::unique_ptr<UIControl> internetGameScreen;
  std::unique_ptr<UIControl> profilesScreen;
  std::unique_ptr<UIControl> newProfileScreen;
  std::unique_ptr<UIControl> battleVictoryMPScreen;
  std::unique_ptr<UIControl> multiplayerCompleteScreen;
  std::unique_ptr<UIControl> optionsScreen;
  std::unique_ptr<UIControl> hallOfFameScreen;
  // The message screen's second copy, for FileNotice alone, so that its
  // button is told apart from the messages the state word answers.
  std::unique_ptr<UIControl> noticeScreen;
};
