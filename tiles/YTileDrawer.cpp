#include "tiles/YTileDrawer.h"

#include "draw/TileAtlas.h"
#include "players/TileTables.h"
#include "render/Shadows.h"
#include "render/YCamera.h"
#include "render/YDrawQueue.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "tiles/TileBox.h"
#include "tiles/YTile.h"
#include "tiles/YTileset.h"

namespace {

constexpr int kFireElement = 1;
// Half the width and length, and the height, of what a tile draws (its box
// is 1 x 1.3 x 0.7, its label lies just above the top).
constexpr float kReachX = 0.55f, kReachY = 0.7f, kReachZ = 0.8f;

YVector3 Translation(const YMatrix4& m) {
  return YVector3(m.m[3][0], m.m[3][1], m.m[3][2]);
}

}  // namespace

YTileDrawer::YTileDrawer()
    : tileShader_(GetShader(kShaderNames[0])),
      fireShader_(GetShader(kShaderNames[1])),
      freezeShader_(GetShader(kShaderNames[2])) {}

YTileDrawer& YTileDrawer::Instance() {
  static YTileDrawer drawer;
  return drawer;
}

void YTileDrawer::Queue(const YTile& tile) {
  drawn_.push_back(&tile);
  YDrawQueue::Push2(reinterpret_cast<std::uintptr_t>(&tile), Translation(tile.world), this);
}

void YTileDrawer::Draw(std::uintptr_t item) {
  const auto& tile = *reinterpret_cast<const YTile*>(item);
  const std::vector<YTileKind>& kinds = GetTileTables().Kinds();
  if (battle_ == nullptr || g_render == nullptr || tile.kind < 0 || !Shows(tile) ||
      static_cast<std::size_t>(tile.kind) >= kinds.size())
    return;
  const YTileKind& kind = kinds[static_cast<std::size_t>(tile.kind)];
  const int element = kind.Element() & 3;
  TileAtlas& atlas = GetTileAtlas();
  g_render->SetShader(tileShader_, true);
  tile_box::DrawPictureFaces(tile.world, atlas.Frame(kind.tex), atlas.Frame(TileAtlas::kColumns * element));
  const float fire = battle_->OverlayWeight(YTileset::kFireOverlay);
  const float freeze = battle_->OverlayWeight(YTileset::kFreezeOverlay);
  if (fire > 0 && element == kFireElement) DrawOverlay(tile, fireShader_, YColor(0, 0, 0, fire));
  if (freeze > 0 && element > kFireElement) DrawOverlay(tile, freezeShader_, YColor(1, 1, 1, freeze));
}

void YTileDrawer::DrawOverlay(const YTile& tile, YShader* shader, const YColor& colour) const {
  g_render->SetShaderColor(shader, colour);
  tile_box::DrawAllFaces(tile.world);
}

void YTileDrawer::LimitTo(const std::array<float, 4>* bounds) {
  limit_.reset();
  if (bounds != nullptr) limit_ = *bounds;
}

// The box, a little larger and taller for the label above its top.
bool YTileDrawer::Shows(const YTile& tile) const {
  if (!limit_) return true;
  std::vector<YVector3> corners;
  for (float x : {-kReachX, kReachX})
    for (float y : {-kReachY, kReachY})
      for (float z : {0.0f, kReachZ}) corners.push_back(tile.world.TransformPoint(YVector3(x, y, z)));
  std::array<float, 4> b{2, 2, -2, -2};
  if (!YCamera::WidenClipBounds(corners, GetCamera().ViewProjection(), b.data())) return true;
  const std::array<float, 4>& l = *limit_;
  return b[0] <= l[2] && b[2] >= l[0] && b[1] <= l[3] && b[3] >= l[1];
}

void YTileDrawer::AddShadows() const {
  if (!ShadowsEnabled()) return;
  const YVector3& light = GetCamera().LightDirection();
  for (const YTile* tile : drawn_)
    tile_box::ForEachShadowEdge(tile->world, light,
                                [](const YVector3& a, const YVector3& b) { AddShadowEdge(a, b); });
}
