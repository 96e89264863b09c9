// The game's application object: the one YFramework of the process. It
// starts the game's services in a fixed order, owns the screen state word,
// runs the timed frame and saves the configuration when the game quits.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/YFramework.h"
#include "sound/YMusicPlayer.h"

class YRender;

class GameFramework : public YFramework {
 public:
  // The start-up sequence: configuration (seeding the user folder on the
  // first run), then the window, then the splash state.
  GameFramework();
  ~GameFramework() override;

  // Saves the configuration, then ends the message loop.
  void Quit() override;
  // Remembers the windowed size and the maximised flag in the configuration.
  void OnSize(int clientWidth, int clientHeight) override;
  // The timed frame: gathers at least 10 ms of time, steps at most 0.05 s.
  bool Frame() override;

  // Creates the window as the configuration says: windowed at its size, or
  // full screen in its video mode.
  void CreateMainWindow();

  // The renderer, created first of all services and deleted last.
  std::unique_ptr<YRender> renderer;

  // Plays the "music" folder; the first service built, so it outlives the
  // others' use of it.
  YMusicPlayer musicPlayer;

  // The screen state word: its low 3 bits name what the frame draws; higher
  // bits mark overlays. 4 while starting, 6 (splash) once the window exists.
  std::uint32_t state = 4;

  // The time of the previous frame call (ms) and the gathered frame time (s).
  std::uint32_t previousFrameTime = 0;
  float frameAccumulator = 0;

 private:
  void CreateRenderer();
  void StartSound();
  // Gathers time; the step in seconds, or nothing while under 10 ms gathered.
  bool GatherFrameTime(float& dt);
  void SetUp2D();
};

// The application object; set by its constructor.
extern GameFramework* g_game;
