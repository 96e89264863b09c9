#include "draw/TileAtlas.h"

#include "draw/ImageDrawing.h"
#include "players/TileTables.h"
#include "render/YRender.h"
#include "render/YSTexture.h"

TileAtlas::TileAtlas() = default;
TileAtlas::~TileAtlas() = default;

void TileAtlas::Load() {
  if (loaded_ || g_render == nullptr) return;
  loaded_ = true;
  std::vector<YSTexture*> cut;
  g_render->MakeArrayTexture(kColumns, kRows, kFrames, cut, kFileName);
  for (YSTexture* frame : cut) frames_.emplace_back(frame);
}

YTextureBase* TileAtlas::Frame(int frame) {
  Load();
  if (frame < 0 || static_cast<std::size_t>(frame) >= frames_.size()) return nullptr;
  return frames_[static_cast<std::size_t>(frame)].get();
}

void TileAtlas::Clear() {
  frames_.clear();
  loaded_ = false;
}

TileAtlas& GetTileAtlas() {
  static TileAtlas atlas;
  return atlas;
}

void DrawTileFace(const YRect& rect, int kindIndex) {
  const auto& kinds = GetTileTables().Kinds();
  if (kindIndex < 0 || static_cast<std::size_t>(kindIndex) >= kinds.size()) return;
  YTextureBase* frame = GetTileAtlas().Frame(kinds[static_cast<std::size_t>(kindIndex)].tex);
  if (frame == nullptr) return;
  DrawImageQuad(rect, YRect(0, 0, kTileFaceU, 1), frame, nullptr);
}
