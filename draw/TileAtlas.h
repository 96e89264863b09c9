// The duel's tile atlas: the 44 frames (11 columns, 4 rows) of
// "textures\tileset.jpg", each a texture of its own, for everything that
// shows tiles. A kind's "tex" names its frame: the face in columns 0 to
// kTileFaceU, the element's side strip from kTileSideU on.
#pragma once

#include <memory>
#include <vector>

#include "framework/YRect.h"

class YSTexture;
class YTextureBase;
struct YTileSpell;

class TileAtlas {
 public:
  static constexpr int kColumns = 11;
  static constexpr int kRows = 4;
  static constexpr int kFrames = kColumns * kRows;
  static constexpr const char* kFileName = "textures\\tileset.jpg";

  TileAtlas();
  ~TileAtlas();
  TileAtlas(const TileAtlas&) = delete;
  TileAtlas& operator=(const TileAtlas&) = delete;

  // Cuts the atlas into its frames through the renderer, once; nothing
  // while no renderer exists (a later call tries again).
  void Load();
  // The frame's texture (loading the atlas on first use); null for a frame
  // outside 0 to kFrames - 1 or when the atlas could not be cut.
  YTextureBase* Frame(int frame);
  // Frees the frames (tests; a later Load cuts them again).
  void Clear();

 private:
  std::vector<std::unique_ptr<YSTexture>> frames_;
  bool loaded_ = false;
};

// Texture columns of a frame: the face ends at kTileFaceU, the side strip
// starts at kTileSideU.
inline constexpr float kTileFaceU = 0.7765625f;
inline constexpr float kTileSideU = 0.7859375f;

// The process's atlas.
TileAtlas& GetTileAtlas();

// The face of the tile kind at `kindIndex` of the tile tables over the
// screen rectangle (through "image_std"); nothing for an index outside the
// kind table or a missing frame.
void DrawTileFace(const YRect& rect, int kindIndex);
