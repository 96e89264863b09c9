#include "tiles/YTileBlurDrawer.h"

#include <algorithm>

#include "draw/EffectMath.h"
#include "draw/TileAtlas.h"
#include "players/TileTables.h"
#include "render/YCamera.h"
#include "render/YDrawQueue.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "tiles/TileBox.h"
#include "tiles/YTile.h"
#include "tiles/effects/EffectRandom.h"

namespace {

constexpr float kGrowth = 0.01f;  // the ghost's box is this much larger in each dimension
constexpr float kJitterScale = 6.103702e-5f;

// A draw of -1 to 1 from the effects' generator, times the jitter.
float Shake(float jitter) {
  return (static_cast<float>(GetEffectRandom().Next()) * kJitterScale - 1.0f) * jitter;
}

}  // namespace

YTileBlurDrawer::YTileBlurDrawer() : shader_(GetShader("tileBlur")) {}

YTileBlurDrawer& YTileBlurDrawer::Instance() {
  static YTileBlurDrawer drawer;
  return drawer;
}

// The box grows about its own frame (the scale is applied before the
// tile's matrix), so the ghost stays centred on the tile wherever it is.
void YTileBlurDrawer::AddTrail(const YTile& tile, const YColor& startColour, const YColor& endColour,
                               float lifetime, float jitter) {
  YTileTrail trail{&tile, startColour, endColour, tile.world, lifetime, lifetime};
  const float dy = Shake(jitter);
  const float dx = Shake(jitter);
  const float dz = Shake(jitter);
  trail.matrix.m[3][0] += dx;
  trail.matrix.m[3][1] += dy;
  trail.matrix.m[3][2] += dz;
  YMatrix4 grow;
  grow.SetScaling(YVector3(1 + kGrowth / 1.0f, 1 + kGrowth / 1.3f, 1 + kGrowth / 0.7f));
  trail.matrix.Multiply(trail.matrix, grow);
  trails_.push_back(trail);
}

void YTileBlurDrawer::AddMark(const YTile& tile, const YColor& startColour, const YColor& endColour) {
  AddTrail(tile, startColour, endColour, kLifetime, kJitter);
  trails_.back().mark = true;
}

void YTileBlurDrawer::AddTrailPreset(const YTile& tile) {
  AddTrail(tile, YColor(1, 0.6f, 0.2f, 0.25f), YColor(1, 0.6f, 0.2f, 0.005f), kLifetime, kJitter);
}

void YTileBlurDrawer::Age(float dt) {
  std::size_t i = 0;
  while (i < trails_.size()) {
    YTileTrail& trail = trails_[i];
    trail.remaining -= dt;
    if (trail.remaining < 0) {
      trail = trails_.back();
      trails_.pop_back();
      continue;
    }
    const YMatrix4& m = trail.matrix;
    if (!trail.mark) YDrawQueue::Push1(i, YVector3(m.m[3][0], m.m[3][1], m.m[3][2]), this);
    ++i;
  }
}

void YTileBlurDrawer::QueueMarks(YDrawQueue& queue) {
  for (std::size_t i = 0; i < trails_.size(); ++i) {
    if (!trails_[i].mark) continue;
    const YMatrix4& m = trails_[i].matrix;
    queue.Push(i, YVector3(m.m[3][0], m.m[3][1], m.m[3][2]), this);
  }
}

std::vector<YTileBlurDrawer::ClipBounds> YTileBlurDrawer::MarksClipBounds(const YMatrix4& viewProjection) const {
  std::vector<const YTile*> tiles;
  std::vector<ClipBounds> bounds;
  std::vector<YVector3> corners;
  for (const YTileTrail& trail : trails_) {
    if (!trail.mark) continue;
    const auto known = std::find(tiles.begin(), tiles.end(), trail.tile);
    const std::size_t at = static_cast<std::size_t>(known - tiles.begin());
    if (known == tiles.end()) {
      tiles.push_back(trail.tile);
      bounds.push_back({2, 2, -2, -2});
    }
    corners.clear();
    for (const YMeshVertex& v : tile_box::Vertices())
      corners.push_back(trail.matrix.TransformPoint(YVector3(v.x, v.y, v.z)));
    if (!YCamera::WidenClipBounds(corners, viewProjection, bounds[at].data())) bounds[at] = {-1, -1, 1, 1};
  }
  return bounds;
}

YColor YTileBlurDrawer::TrailColour(const YTileTrail& trail) {
  const float t = trail.lifetime > 0 ? trail.remaining / trail.lifetime : 0;
  return effect_math::Blend(trail.endColour, trail.startColour, t);
}

void YTileBlurDrawer::Draw(std::uintptr_t item) {
  const std::vector<YTileKind>& kinds = GetTileTables().Kinds();
  if (item >= trails_.size() || g_render == nullptr) return;
  const YTileTrail& trail = trails_[item];
  if (trail.tile->kind < 0 || static_cast<std::size_t>(trail.tile->kind) >= kinds.size()) return;
  const YTileKind& kind = kinds[static_cast<std::size_t>(trail.tile->kind)];
  g_render->SetShaderColor(shader_, TrailColour(trail));
  TileAtlas& atlas = GetTileAtlas();
  tile_box::DrawPictureFaces(trail.matrix, atlas.Frame(kind.tex),
                             atlas.Frame(TileAtlas::kColumns * (kind.Element() & 3)));
}
