// What the tile battle tells the screen: deals and shuffles to animate, pairs
// taken and their spell shows, fades of the overlays, sounds, the music's
// mood and the frame's drawing. The rules never draw or play anything
// themselves; the battle screen installs an implementation with effects and
// sound, tests a recording one. The defaults do the least that keeps the
// battle consistent without effects: tiles snap to their new places, fades
// jump to their end, and no effect is ever running. Main thread only.
#pragma once

#include <string_view>
#include <vector>

class DuelBoard;

class DuelEvents {
 public:
  virtual ~DuelEvents() = default;

  // Steps the running effects by dt seconds; true while any is still alive,
  // in which case the battle's turn flow waits.
  virtual bool StepEffects(float dt);
  // The frame's drawing: queue the tiles, labels and trails (called each
  // frame after the effects have stepped).
  virtual void QueueDrawing(float dt);
  // The side to move is being waited for this frame (its marker moves).
  virtual void OnWaitingFor(int side, float dt);
  // The tiles are gone (a new layout comes): drop whatever follows them.
  virtual void OnTilesCleared();

  // A fresh deal: every listed tile stands at home with its fly-in value
  // drawn (YTile::flyIn) and flies in from afar.
  virtual void OnFreshDeal(DuelBoard& board, const std::vector<int>& tiles);
  // A shuffle deal: every listed tile has its new place in its coordinates
  // while its drawing matrix still stands at the old one; the effect carries
  // it home. The default puts it there at once.
  virtual void OnShuffleDeal(DuelBoard& board, const std::vector<int>& tiles, bool side0ToMove);
  // The board was swept: the listed tiles (now removed) blow away.
  virtual void OnSwept(DuelBoard& board, const std::vector<int>& tiles);
  // A pair was taken; `cast` says whether it cast something (else it was a
  // blank shot).
  virtual void OnPairTaken(DuelBoard& board, int a, int b, bool cast);
  // The show of the pair (a, b) once the running effects ended; `taken`
  // lists the further tiles its spell took, already marked removed.
  virtual void OnCastPair(DuelBoard& board, int a, int b, const std::vector<int>& taken);

  // Moves `weight` from `from` to `to` over `seconds`; the weight must
  // outlive the fade (the battle's overlay weights do). The default sets
  // it to `to` at once.
  virtual void StartFade(float& weight, float from, float to, float seconds);
  // Plays the named sound effect.
  virtual void PlaySound(std::string_view name);
  // Changes the music to `track`, cross-fading over `fadeSeconds`.
  virtual void SelectMusic(int track, float fadeSeconds);
};
