// What the game modes ask of the application: the screen-state word, the
// UI root's current screen, named sound effects and the result, message
// and level screens. The application object implements it; tests replace
// it with a recording host, so a whole mode runs without a window.
// Main thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class YGameMaster;
class YMonsterShop;
class YPlayer;

// Bits of the state word above its low three (what the frame draws) that
// the game modes set.
namespace host_state {
inline constexpr std::uint32_t kBoard = 2;              // the board screen, nothing else
inline constexpr std::uint32_t kResultModal = 0x40;     // a fight's result is shown
inline constexpr std::uint32_t kCompleteModal = 0x80;   // a game's end is shown
inline constexpr std::uint32_t kBoardFrozen = 0x100;    // a fight begins: the board waits
inline constexpr std::uint32_t kNetworkAbort = 0x4000;  // the network game's end is shown
inline constexpr std::uint32_t kFinalScene = 0x20000;   // the quest's final scene follows
}  // namespace host_state

class GameHost {
 public:
  virtual ~GameHost() = default;

  // --- screen-state word and screens -----------------------------------------
  virtual std::uint32_t State() const = 0;
  virtual void SetState(std::uint32_t word) = 0;
  // Makes no screen current: the UI root fades out (a fight's start).
  virtual void ClearScreen() = 0;
  // Plays a named sound effect once; a name without an effect plays nothing.
  virtual void PlayEffect(std::string_view name) = 0;

  // --- messages and results (each also sets the bits of the state word its
  //     screen sets, and switches the music as its screen does) -------------
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience,
                                 std::int32_t goldBonus, std::int32_t experienceBonus) = 0;
  virtual void ShowDefeat(std::int32_t gold, std::int32_t experience) = 0;
  virtual void ShowBattleVictoryMP(const std::string& text, std::int32_t experience,
                                   std::int32_t experienceBonus) = 0;
  virtual void ShowMultiplayerDraw() = 0;
  virtual void ShowNetworkDefeat() = 0;
  // The board side that won the game (0 or 1), -1 for a draw.
  virtual void ShowHotseatComplete(std::int32_t winner) = 0;
  virtual void ShowNetworkResult(std::int32_t winner) = 0;

  // --- the quest's level screens ---------------------------------------------
  // The reward offered: the artifact's id and the spell's key.
  virtual void ShowLevelComplete(const std::string& artifact, std::uint32_t spell) = 0;
  virtual void ShowLevelComplete2() = 0;
  virtual void ShowLevelFail() = 0;
  virtual void ShowQuestFinal() = 0;
  // The fine screen: the hero's face picture (may be empty) and the gold it paid.
  virtual void ShowHeroFine(const std::string& face, std::int32_t gold) = 0;
  // The control panel for the hero between levels, with the monster shop
  // (null: none) on tab `tab` (a tab the panel lacks keeps its own).
  virtual void OpenControlPanel(YPlayer* hero, YMonsterShop* shop, std::int32_t tab) = 0;
  // The game is left and frees its players: every screen that shows one
  // (the control panel, the skill screen) lets go of it, and of the shop,
  // before they go. What is on screen stays until another screen comes.
  virtual void ReleasePlayers() = 0;

  // --- the mode in play --------------------------------------------------------
  // Closes every open modal screen.
  virtual void CloseModals() = 0;
  // The application's current game mode becomes `mode` (not owned).
  virtual void SetGameMode(YGameMaster* mode) = 0;
};

// The host of a mode no application drives (tests, a headless game): shows
// and plays nothing and keeps the state word.
class NullGameHost final : public GameHost {
 public:
  std::uint32_t State() const override { return state_; }
  void SetState(std::uint32_t word) override { state_ = word; }
  void ClearScreen() override {}
  void PlayEffect(std::string_view) override {}
  void ShowMessage(const std::string&) override {}
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
  void SetGameMode(YGameMaster*) override {}

 private:
  std::uint32_t state_ = 0;
};
