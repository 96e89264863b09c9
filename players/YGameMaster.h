// The game-mode interface the two battles call back: the board when a move
// ends on an enemy, the tile battle when a duel is decided, and the screens
// when a game starts, a result closes or the player leaves the control panel.
// Every operation of the base does nothing. Main thread only.
#pragma once

#include <cstdint>

class YTessorUnit;

class YGameMaster {
 public:
  virtual ~YGameMaster() = default;

  // A new game of the mode is set up on the board and shown.
  virtual void Start() {}
  // The user leaves a game: the commanders of both battles are deleted and
  // the board is cleared.
  virtual void End() {}
  // A board move ended on a cell held by an enemy. The mode starts the duel
  // of the two units' own records and freezes the board; it reports the
  // outcome back through the board's OnBattleResult exactly once. The units
  // stay the board's.
  virtual void OnFight(YTessorUnit* attacker, YTessorUnit* defender) {
    (void)attacker;
    (void)defender;
  }
  // The duel is decided: 0 or 1 the duel side that won, -1 both fell.
  virtual void OnFightEnd(std::int32_t result) { (void)result; }
  // The fight's result screen was closed.
  virtual void OnLevelEnd() {}
  // Quest only: the reward taken after a level (1 artifact, 0 spell, -1 none).
  virtual void OnRewardChoice(std::int32_t choice) { (void)choice; }
  // Quest only: the same level is played again.
  virtual void OnRetryLevel() {}
  // Quest only: the next level is prepared.
  virtual void OnNextRound() {}
  // The player left the control panel with its continue button.
  virtual void Update() {}
};
