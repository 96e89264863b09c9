// A spell effect: everything a move sets off on screen (tile flights,
// particle streams, bolts, fades). An effect registers itself when it is
// created and lives until its Update reports it finished; UpdateEffects
// then deletes it. While any effect is alive the tile battle takes no turn
// step. Main thread only.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

class YSEffect {
 public:
  // Joins the active list, which owns it from now on.
  YSEffect();
  // Leaves the draw list if it is on it.
  virtual ~YSEffect();
  YSEffect(const YSEffect&) = delete;
  YSEffect& operator=(const YSEffect&) = delete;

  // One frame of dt seconds; true when the effect has finished.
  virtual bool Update(float dt) = 0;
  // Draws the effect (only those that put themselves on the draw list).
  virtual void Draw();

 protected:
  // Asks to be drawn by this frame's DrawEffects.
  void RequestDraw();
};

// Starts an effect: creates it, and the active list takes it. Effects are
// only ever made this way (the list deletes them). When memory runs out the
// effect is skipped.
template <typename Effect, typename... Args>
void StartEffect(Args&&... args) {
  (void)new (std::nothrow) Effect(std::forward<Args>(args)...);
}

// Steps every active effect once; an effect that finishes is deleted and
// the last one moved into its place is stepped in the same pass. True when
// effects are still alive afterwards.
bool UpdateEffects(float dt);
// Draws the effects that asked for it this frame, then empties the draw
// list.
void DrawEffects();
// Deletes every live effect at once: the battle frees the tiles they move.
void DeleteAllEffects();
// How many effects are alive.
std::size_t LiveEffectCount();
