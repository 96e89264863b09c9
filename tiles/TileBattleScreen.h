// The battle screen's side of the tile battle: it turns what the battle
// tells (deals, shuffles, sweeps, pairs taken, spell shows, fades, sounds,
// the music's mood) into effects, sounds and music, steps the effects, and
// queues the frame's tiles, labels, trails and shadows. The battle's frame
// calls it; the application object installs it once. Main thread only.
#pragma once

#include <string_view>
#include <vector>

#include "tiles/DuelEvents.h"
#include "tiles/effects/CastDispatch.h"

class YMusicPlayer;
class YTileset;

class TileBattleScreen : public DuelEvents, public CastSounds {
 public:
  // Every shader the battle screen and its effects draw with.
  static constexpr const char* kShaderNames[] = {
      "tile",         "tileFire", "tileFreeze",   "tileBlur",  "tile2D",     "ui1",          "ui2",
      "ui3",          "player",   "artifact_ico", "flare_ico", "shield_ico", "reflexes_ico", "pbar",
      "tileset_back", "spark2D",  "spark2D_2",    "blast2D",   "blast2D_2",  "snow2D",       "skull",
      "fire_part",    "dcloud2D", "meteorite",    "drop",      "lightning",  "boom_tiles"};
  // Every sound it plays by name.
  static constexpr const char* kSounds[] = {"s_spell", "s_reflex"};
  // The tiles of a failed shuffle blow away along this wind.
  static constexpr float kSweepWind[3] = {0, -5, 2.5f};

  // Draws `battle` (not owned; it must outlive the screen's use). Installs
  // nothing: the caller hands the screen to the battle (SetEvents).
  explicit TileBattleScreen(YTileset& battle);
  // Hands the battle back its silent events, so it never calls a screen
  // that is gone.
  ~TileBattleScreen() override;
  TileBattleScreen(const TileBattleScreen&) = delete;
  TileBattleScreen& operator=(const TileBattleScreen&) = delete;
  // The player the battle's music goes to; null plays none. Not owned.
  void SetMusicPlayer(YMusicPlayer* player) { music_ = player; }

  bool StepEffects(float dt) override;
  void QueueDrawing(float dt) override;
  void OnWaitingFor(int side, float dt) override;
  void OnTilesCleared() override;
  void OnFreshDeal(DuelBoard& board, const std::vector<int>& tiles) override;
  void OnShuffleDeal(DuelBoard& board, const std::vector<int>& tiles, bool side0ToMove) override;
  void OnSwept(DuelBoard& board, const std::vector<int>& tiles) override;
  void OnPairTaken(DuelBoard& board, int a, int b, bool cast) override;
  void OnCastPair(DuelBoard& board, int a, int b, const std::vector<int>& taken) override;
  void StartFade(float& weight, float from, float to, float seconds) override;
  void PlaySound(std::string_view name) override;
  void SelectMusic(int track, float fadeSeconds) override;
  // CastSounds: plays the entry without a position.
  void Play(SoundEntry* entry, float volume) override;

 private:
  void AddSelectionTrails();
  void QueueTiles();
  // The label shows unless a live tile lies on the cell diagonally above.
  bool LabelShows(int tile) const;

  YTileset& battle_;
  YMusicPlayer* music_ = nullptr;
};

// The process's battle screen, drawing the process's battle (GetTileset).
TileBattleScreen& GetTileBattleScreen();
