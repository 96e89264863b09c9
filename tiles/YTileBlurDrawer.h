// Blur trails: fading ghost copies of a tile that mark the selected tile,
// its partner, the hint pair and tiles the spell effects move about. Each
// trail is a copy of the tile's box at the place it had, a little larger,
// fading from a start colour to an end colour over its life. The drawer
// keeps the battle's list of trails and draws them from draw queue 1.
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/YColor.h"
#include "framework/YMatrix4.h"
#include "render/YDrawObj.h"

class YDrawQueue;
class YShader;
struct YTile;

struct YTileTrail {
  const YTile* tile = nullptr;  // whose box is copied; not owned
  YColor startColour, endColour;
  YMatrix4 matrix;
  float lifetime = 0;
  float remaining = 0;
  bool mark = false;  // marks a tile that stands still (QueueMarks)
};

class YTileBlurDrawer : public YDrawObj {
 public:
  static constexpr float kLifetime = 0.15f;
  static constexpr float kJitter = 0.012f;

  static YTileBlurDrawer& Instance();

  // A trail of the tile as it stands now, its place shaken by up to
  // `jitter` in each axis and its box grown by 0.01 in each dimension.
  void AddTrail(const YTile& tile, const YColor& startColour, const YColor& endColour, float lifetime,
                float jitter);
  // A trail of the tile that marks it while it stands still (the selected
  // tile, its partner, the hint pair): with kLifetime and kJitter, queued
  // by QueueMarks rather than Age, so that the still picture under it may
  // be kept.
  void AddMark(const YTile& tile, const YColor& startColour, const YColor& endColour);
  // The glowing orange trail of a tile the effects move.
  void AddTrailPreset(const YTile& tile);
  // Ages every trail by dt: a trail whose life has run out is dropped (the
  // last one takes its place and is examined next); every other one but
  // the marks is pushed into queue 1 at its place.
  void Age(float dt);
  // Pushes the live marks into `queue` at their places.
  void QueueMarks(YDrawQueue& queue);
  // A clip-space rectangle: left, bottom, right, top.
  using ClipBounds = std::array<float, 4>;
  // For each marked tile, the rectangle that holds its marks' boxes seen
  // through `viewProjection` (the whole screen when a box reaches the
  // eye's plane).
  std::vector<ClipBounds> MarksClipBounds(const YMatrix4& viewProjection) const;
  // Drops every trail (the tiles they copy are going).
  void Clear() { trails_.clear(); }
  // `item` is the index of a trail: its box in the colour of its age.
  void Draw(std::uintptr_t item) override;

  const std::vector<YTileTrail>& Trails() const { return trails_; }
  // The colour of a trail at its age.
  static YColor TrailColour(const YTileTrail& trail);

 private:
  YTileBlurDrawer();
  std::vector<YTileTrail> trails_;
  YShader* shader_;
};
