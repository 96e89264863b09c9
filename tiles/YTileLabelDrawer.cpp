#include "tiles/YTileLabelDrawer.h"

#include "framework/IntToString.h"
#include "players/TileTables.h"
#include "render/YDrawQueue.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "tiles/YTile.h"
#include "tiles/YTileDrawer.h"
#include "tiles/YTileset.h"

namespace {

constexpr float kShadowOffset = 0.01f;
constexpr float kCornerInset = 0.025f;
const YColor kGrey(0.5f, 0.5f, 0.5f, 1);
const YColor kLight(1, 1, 1, 1);
const YColor kDark(0.1f, 0.1f, 0.1f, 1);

void DrawAt(YFont& font, float x, float y, const YColor& colour, const std::string& text) {
  g_render->SetShaderColor(font.shader, colour);
  g_render->DrawTextEx(font, YVector3(x, y, 0), YTileLabelDrawer::kTextSize, text, YVector3(1, 0, 0),
                       YVector3(0, 1, 0));
}

}  // namespace

YTileLabelDrawer::YTileLabelDrawer() : font_(YFont::Find("labelfont")) {}

YTileLabelDrawer& YTileLabelDrawer::Instance() {
  static YTileLabelDrawer drawer;
  return drawer;
}

void YTileLabelDrawer::Queue(const YTile& tile) {
  const YMatrix4& m = tile.world;
  YDrawQueue::Push1(reinterpret_cast<std::uintptr_t>(&tile), YVector3(m.m[3][0], m.m[3][1], m.m[3][2]), this);
}

YColor YTileLabelDrawer::CostColour(int element, std::int32_t cost, std::int32_t mana) {
  static const YColor colours[4] = {{1, 1, 0.5f, 1}, {1, 0.3f, 0.3f, 1}, {0, 1, 0, 1}, {0.3f, 0.3f, 1, 1}};
  return cost > mana ? kGrey : colours[element & 3];
}

void YTileLabelDrawer::Draw(std::uintptr_t item) {
  const auto& tile = *reinterpret_cast<const YTile*>(item);
  const YTileset* battle = YTileDrawer::Instance().Battle();
  const std::vector<YTileKind>& kinds = GetTileTables().Kinds();
  if (battle == nullptr || g_render == nullptr || font_->shader == nullptr || tile.kind < 0 ||
      !YTileDrawer::Instance().Shows(tile) ||
      static_cast<std::size_t>(tile.kind) >= kinds.size())
    return;
  const YTileKind& kind = kinds[static_cast<std::size_t>(tile.kind)];
  const std::string text = IntToString(kind.cost);
  const float w = font_->GetTextWidth(text);
  YMatrix4 place, world;
  place.SetTranslation(YVector3(0.5f - kTextSize * w - kCornerInset, 0.65f - kTextSize, 0.7f + kCornerInset));
  tile.world.Multiply(world, place);
  g_render->SetWorldTransform(world);
  const int element = kind.Element() & 3;
  const std::int32_t mana = battle->State().Mover().mana[static_cast<std::size_t>(element)];
  DrawAt(*font_, kShadowOffset, kShadowOffset, kLight, text);
  DrawAt(*font_, -kShadowOffset, -kShadowOffset, kDark, text);
  DrawAt(*font_, 0, 0, CostColour(element, kind.cost, mana), text);
  g_render->SetWorldTransform(YMatrix4());
}
