// The drawer of tiles in draw queue 2: each tile's box with its kind's
// picture on the top and its element's strip on the sides, and the fire and
// freeze overlays while the battle's overlay weights are above 0. It keeps
// the list of the tiles queued this frame, which the shadows read, and may
// be limited to a part of the screen. One
// instance serves the process's battle. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/YColor.h"
#include "render/YDrawObj.h"

class YShader;
class YTileset;
struct YTile;

class YTileDrawer : public YDrawObj {
 public:
  static constexpr const char* kShaderNames[] = {"tile", "tileFire", "tileFreeze"};

  static YTileDrawer& Instance();

  // The battle whose kinds and overlay weights the drawing reads (not
  // owned); null draws nothing.
  void SetBattle(const YTileset* battle) { battle_ = battle; }
  const YTileset* Battle() const { return battle_; }
  // Adds the tile to this frame's drawn list and pushes it into queue 2 at
  // its matrix's translation. The tile must stay where it is until the
  // queue is flushed.
  void Queue(const YTile& tile);
  // `item` is a queued tile: its box, then its overlays.
  void Draw(std::uintptr_t item) override;

  // The tiles queued since the last ClearDrawn, in order.
  const std::vector<const YTile*>& DrawnTiles() const { return drawn_; }
  void ClearDrawn() { drawn_.clear(); }
  // Casts the shadows of this frame's drawn tiles (only while shadows are on).
  void AddShadows() const;
  // While a clip-space rectangle (left, bottom, right, top) is set, the
  // tiles and their labels are drawn only where they reach into it; null
  // draws them all.
  void LimitTo(const std::array<float, 4>* bounds);
  // Whether the tile, with its label, reaches into the limit.
  bool Shows(const YTile& tile) const;

 private:
  YTileDrawer();
  void DrawOverlay(const YTile& tile, YShader* shader, const YColor& colour) const;

  const YTileset* battle_ = nullptr;
  std::vector<const YTile*> drawn_;
  std::optional<std::array<float, 4>> limit_;
  YShader* tileShader_;
  YShader* fireShader_;
  YShader* freezeShader_;
};
