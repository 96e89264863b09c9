// Helpers of the tile battle's tests: the shipped tile kinds and spells, a
// dealt position on a layout, fighters with chosen values and a recording
// events sink.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "players/YPlayer.h"
#include "tests/support/TestSupport.h"
#include "tiles/DuelEvents.h"
#include "tiles/DuelState.h"
#include "tiles/TileLayout.h"

namespace tiles_test {

// Loads the shipped tile file into the process's tile tables (once).
void LoadShippedTiles();
// The kind index of a kind id in the shipped table.
int KindIndex(std::uint32_t id);
// The shipped spell of a key; null when none.
const YTileSpell* Spell(std::uint32_t key);

// The corners of a shipped layout ("standard" for "layouts\standard.lay").
std::vector<tile_layout::Corner> ShippedLayout(const std::string& name);
// The names of every shipped layout (without ".lay").
std::vector<std::string> ShippedLayoutNames();

// A state with the shipped kinds and the tiles of the corners, set aside.
DuelState StateOn(const std::vector<tile_layout::Corner>& corners);
// The same, dealt fresh from a seed as a battle deals it.
DuelState DealtState(const std::vector<tile_layout::Corner>& corners, std::int32_t seed);

// A kind table of every element and class 1 to 11 (ids 0x01 to 0x3B):
// classes 1 and 2 cost nothing, the others `cost`; priority 60 - class.
std::vector<DuelKind> TestKinds(std::int32_t cost = 4);
// Index of a kind id in TestKinds.
int TestKind(std::uint32_t id);
// Tiles of the given kind ids (TestKinds) on layer 0, far enough apart
// that every one is free; all live.
DuelState SpreadState(const std::vector<std::uint32_t>& ids);

// A side with every element and health at `value` of `cap`.
DuelSide Side(std::int32_t value, std::int32_t cap);
// A fighter record with the same values, named.
void SetFighter(YPlayer& fighter, const std::string& name, std::int32_t value, std::int32_t cap);

// A temporary working folder holding the shipped layouts, for battles that
// load "layouts\standard.lay"; the shipped tiles are loaded too.
class ShippedLayoutsFolder {
 public:
  ShippedLayoutsFolder();

 private:
  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_;
};

// Records what the battle tells the screen, in order, as short texts.
class RecordingEvents : public DuelEvents {
 public:
  void OnFreshDeal(DuelBoard& board, const std::vector<int>& tiles) override;
  void OnShuffleDeal(DuelBoard& board, const std::vector<int>& tiles, bool side0ToMove) override;
  void OnSwept(DuelBoard& board, const std::vector<int>& tiles) override;
  void OnPairTaken(DuelBoard& board, int a, int b, bool cast) override;
  void OnCastPair(DuelBoard& board, int a, int b, const std::vector<int>& taken) override;
  void StartFade(float& weight, float from, float to, float seconds) override;
  void PlaySound(std::string_view name) override;
  void SelectMusic(int track, float fadeSeconds) override;

  std::vector<std::string> events;
  // Set: effects stay alive for this many further StepEffects calls.
  int effectFrames = 0;
  bool StepEffects(float dt) override;
};

}  // namespace tiles_test
