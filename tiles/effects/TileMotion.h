// What the tile motion effects do to a tile: read and set its place (the
// translation row of its drawing matrix), show it this frame, give it a
// glowing trail.
#pragma once

#include "framework/YVector3.h"
#include "tiles/YTile.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileDrawer.h"

namespace tile_motion {

inline YVector3 Position(const YTile& tile) {
  return {tile.world.m[3][0], tile.world.m[3][1], tile.world.m[3][2]};
}

inline void Place(YTile& tile, const YVector3& p) {
  tile.world.m[3][0] = p.x;
  tile.world.m[3][1] = p.y;
  tile.world.m[3][2] = p.z;
}

inline void Show(const YTile& tile) {
  YTileDrawer::Instance().Queue(tile);
}
inline void Trail(const YTile& tile) {
  YTileBlurDrawer::Instance().AddTrailPreset(tile);
}

}  // namespace tile_motion
