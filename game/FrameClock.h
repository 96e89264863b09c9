// The frame's time step: time gathers between frame calls, a frame runs
// only once at least 10 ms have gathered, and it steps the game by at most
// 50 ms, so a long pause (a minimised window) costs one short step. While
// the screen is calm (its last frame showed nothing new but slow drawing,
// or only what moves over its kept still layer) a frame waits for 30 ms,
// unless a message woke the clock.
#pragma once

#include <cstdint>

class FrameClock {
 public:
  static constexpr float kMinStep = 0.01f;
  static constexpr float kMaxStep = 0.05f;
  static constexpr float kCalmStep = 0.03f;

  explicit FrameClock(std::uint32_t nowMs = 0) : previous_(nowMs) {}

  // Adds the time since the last call (ms clock, wrapping). True with the
  // step in `dt` when a frame is due; false while under 10 ms have gathered.
  bool Gather(std::uint32_t nowMs, float& dt);
  void Restart(std::uint32_t nowMs) { previous_ = nowMs; }
  // Whether the screen is calm; set before Gather.
  void SetCalm(bool calm) { calm_ = calm; }
  // A message came: the next frame is due after kMinStep, calm or not.
  void Wake() { awake_ = true; }
  // Milliseconds still to gather before the next frame is due (0: due).
  std::uint32_t MsUntilDue() const;

 private:
  std::uint32_t previous_ = 0;
  float gathered_ = 0;
  bool calm_ = false;
  bool awake_ = false;
  float Threshold() const { return calm_ && !awake_ ? kCalmStep : kMinStep; }
};

// The mouse position in view coordinates: x from -1 at the left edge to 1 at
// the right, y upward, with the picture of the design aspect centred.
void ClientToView(int mouseX, int mouseY, int clientWidth, int clientHeight, float currentAspect,
                  float designAspect, float& x, float& y);
