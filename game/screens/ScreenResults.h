// The result screens the game modes show: a fight's victory, draw or
// defeat, the two-player modes' duel and game results, and the quest's
// level reward, level result, final and fine screens. Each fills the
// controls its screen has (a missing one is skipped), sets the state bits
// its screen stands for, switches the music and opens the screen. Works on
// the UI root, the loaded screens, the application (ScreenHost: state word,
// music, message box) and the game modes (ScreenModes: the board's sides),
// so tests drive it without a window. A fight's result that comes while
// the question whether to leave is open takes the question's place; a
// result whose screen could not be made is logged, naming its file, and
// taken as its button takes it. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class GameScreens;
class ScreenHost;
class ScreenModes;
class UIControl;
class UIRoot;
class YGameMaster;

class ScreenResults {
 public:
  // All four outlive this object.
  ScreenResults(UIRoot& ui, GameScreens& screens, ScreenHost& host, ScreenModes& modes);

  // A quest fight won (victory) or with both fighters fallen: the gains as
  // "+n".
  void ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience, std::int32_t goldBonus,
                         std::int32_t experienceBonus);
  void ShowDefeat(std::int32_t gold, std::int32_t experience);
  // A two-player duel won: who won (`text`, shown as given) and the gains.
  void ShowBattleVictoryMP(const std::string& text, std::int32_t experience, std::int32_t experienceBonus);
  // Message boxes of a two-player duel drawn or lost to the peer.
  void ShowMultiplayerDraw();
  void ShowNetworkDefeat();
  // The end of a two-player game; `winner` the board side that won, -1
  // for a draw. The hot-seat names the winner's player record; the network
  // game tells win from defeat by the winner's board commander.
  void ShowHotseatComplete(std::int32_t winner);
  void ShowNetworkResult(std::int32_t winner);
  // The level's reward: the artifact with id `artifact` or the spell with
  // key `spell`. When either is not found the plain level-complete screen
  // stands in for it (its "ok" takes no reward), with a log line.
  void ShowLevelComplete(const std::string& artifact, std::uint32_t spell);
  void ShowLevelComplete2();
  void ShowLevelFail();
  void ShowQuestFinal();
  // The fine of a fallen hero: its face picture (data name; empty: the
  // screen's own) and the gold taken as "-n". The fine screen becomes the
  // current screen, not a modal.
  void ShowHeroFine(const std::string& face, std::int32_t gold);

  // At the frame's boundary: a level's result whose screen could not be
  // made is handed to the game mode as its "ok" hands it, while the word
  // still waits at the result.
  void AnswerUnmadeScreen();

 private:
  using Screen = std::unique_ptr<UIControl> GameScreens::*;
  // What a level result's "ok" hands to the game mode.
  using Answer = std::function<void(YGameMaster&)>;

  void SetStateBits(std::uint32_t bits) const;
  // A fight's result closes the question whether to leave, if open.
  void WithdrawQuestion();
  // The modal over the scene with the state bits and the music of its row
  // (track < 0: the music stays); `answer` is a level result's "ok". A
  // screen not made, or made without `button` (null: any), is taken.
  void Open(Screen screen, const char* button, std::uint32_t bits, int track, Answer answer = {});
  static bool HasButton(const UIControl* box, const char* button);
  // The result of a screen that could not be made: a fight's is handed
  // over by the fade its "ok" would begin, a level's at the frame's boundary.
  void TakeUnmade(Screen screen, std::uint32_t bits, Answer answer);
  void ShowGameEnd(const std::string& text);
  // Fills the reward screen; false when the artifact or the spell is missing.
  bool FillReward(const std::string& artifact, std::uint32_t spell);

  UIRoot& ui_;
  GameScreens& screens_;
  ScreenHost& host_;
  ScreenModes& modes_;
  Answer unmadeAnswer_;
};
