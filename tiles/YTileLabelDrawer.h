// The drawer of tile labels in draw queue 1: a tile's cost as a number in
// its top right corner, in its element's colour while the side to move can
// pay it and grey while it cannot. Reads its battle from the tile drawer.
#pragma once

#include <cstdint>

#include "framework/YColor.h"
#include "render/YDrawObj.h"

class YFont;
struct YTile;

class YTileLabelDrawer : public YDrawObj {
 public:
  static constexpr float kTextSize = 0.3f;

  static YTileLabelDrawer& Instance();
  // Pushes the tile into queue 1 at its translation.
  void Queue(const YTile& tile);
  void Draw(std::uintptr_t item) override;
  // The colour of a cost the mover has `mana` of the element for: the
  // element's colour when it suffices, else grey.
  static YColor CostColour(int element, std::int32_t cost, std::int32_t mana);

 private:
  YTileLabelDrawer();
  YFont* font_;
};
