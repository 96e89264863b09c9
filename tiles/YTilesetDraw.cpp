// The battle screen around the 3D board: the turning background, the side
// panels, the spell lists, names, levels, health and mana bars, icons, the
// message log and the hint panel, and the frame over it all.
#include <algorithm>
#include <array>
#include <cmath>

#include "draw/BarDrawing.h"
#include "draw/ImageDrawing.h"
#include "draw/TextDrawing.h"
#include "draw/TileAtlas.h"
#include "draw/YRotatingItem.h"
#include "framework/IntToString.h"
#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YPlayer.h"
#include "players/YTileSpell.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "tiles/YTileset.h"

namespace {

constexpr float kUIWidth = 1000, kUIHeight = 625;
const YColor kValueColour(1, 1, 0.5f, 0.8f);
const YColor kDimRowColour(0.6f, 0.6f, 0, 0.8f);
const YColor kHealthColour(1, 0.2f, 0.2f, 1);
const YColor kWhite(1, 1, 1, 1);
const YColor kElementColours[4] = {{1, 1, 0.8f, 1}, {1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};

struct PanelShaders {
  YShader* frame = GetShader("ui1");
  YShader* side = GetShader("ui2");
  YShader* bottom = GetShader("ui3");
  YShader* portrait = GetShader("player");
  YShader* tile = GetShader("tile2D");
  YShader* artifact = GetShader("artifact_ico");
  YShader* flare = GetShader("flare_ico");
  YShader* shield = GetShader("shield_ico");
  YShader* reflexes = GetShader("reflexes_ico");
};

const PanelShaders& Shaders() {
  static const PanelShaders shaders;
  return shaders;
}

// Where each side's pieces stand: side 0 on the left, side 1 on the right.
struct SideLayout {
  float panelX, portraitX, nameX, statsX, manaX, iconX, frameX, spellsX;
  int mirrored;
};
constexpr SideLayout kSides[2] = {{0, 2, 4, 4, 10, 97, 87, 9, kImageUpright},
                                  {854, 862, 871, 855, 912, 862, 852, 861, kImageMirrored}};

constexpr float kPanelTop = 280, kPanelBottom = 494, kPanelWidth = 146;
constexpr float kPortraitTop = 25, kPortraitSide = 136;
constexpr float kNameY = 25, kNameWidth = 125, kNameSize = 23;
constexpr float kStatsY = 161, kStatsSize = 18;
constexpr float kManaY = 210, kManaFullHeight = 50, kManaWidth = 16, kManaStep = 20;
constexpr float kIconY = 231, kIconSide = 41, kFrameY = 221, kFrameSide = 61;
// A spell's name is clipped to its field of 95 units, of which the side
// panel's border covers the last ten: names are sized to fit the 85 left.
constexpr float kSpellsY = 304, kSpellRow = 30, kSpellNameSize = 15, kSpellNameField = 95,
                kSpellNameRoom = 85;
constexpr float kLogTop = 527, kLogLine = 15, kLogX = 10, kLogRight = 500;
constexpr float kFrameRows = 0.625f;  // the frame picture's rows that show
// Where the board shows through the frame: no panel, bar, icon, name or
// text reaches into it.
const YRect kOpening(149, 10, 702, 497);

// The frame picture over the whole screen.
void DrawFrame(const PanelShaders& s) {
  DrawImageQuadTinted(YRect(0, 0, kUIWidth, kUIHeight), YRect(0, 0, 1, kFrameRows), kImageUpright, nullptr,
                      s.frame, kShaderColour);
}

void DrawQuad(float x0, float y0, float x1, float y1, YShader* shader, int orientation) {
  DrawImageRect(x0, y0, x1 - x0, y1 - y0, nullptr, shader, orientation, kShaderColour);
}

void DrawStats(const SideLayout& at, const YPlayer& player) {
  const float x = at.statsX, y = kStatsY;
  const std::string level = IntToString(player.level + 1);
  const float width = GetMainFont()->GetTextWidth(level) * kStatsSize;
  DrawTextShadow(x + 13 + (30 - width) / 2, y + 20, kStatsSize, kValueColour, level);
  DrawTextShadow(x + 71, y + 20, kStatsSize, kValueColour, IntToString(player.shownExperience));
  DrawProgressBar(x + 4, y + 24, 132, 20, player.shownHealth, player.maxValues[5], kWhite, kHealthColour);
}

void DrawManaBars(const SideLayout& at, const YPlayer& player) {
  std::array<std::int32_t, 4> maxima{};
  for (std::size_t e = 0; e < 4; ++e) maxima[e] = player.maxValues[e + 1];
  const std::array<float, 4> heights = YTileset::ManaBarHeights(maxima);
  for (std::size_t e = 0; e < 4; ++e) {
    const float x = at.manaX + kManaStep * static_cast<float>(e);
    DrawProgressBar2(x, kManaY + kManaFullHeight - heights[e], kManaWidth, heights[e], player.shownMana[e],
                     maxima[e], kValueColour, kElementColours[e]);
  }
}

void DrawIcon(float x, float y, float side, YTextureBase* texture, YShader* shader, float alpha) {
  if (alpha <= 0) return;
  DrawImageRect(x, y, side, side, texture, shader, kImageUpright, YColor(1, 1, 1, alpha));
}

// The artifact, or the shield or reflection a side raised fading in over it.
void DrawIcons(const SideLayout& at, const YPlayer& player, float weight, std::uint32_t flags) {
  const PanelShaders& s = Shaders();
  YTextureBase* artifact = player.artifact != nullptr ? player.artifact->texture : nullptr;
  if (weight > 0 && (flags & (DuelFlag::kReflect | DuelFlag::kShield)) != 0) {
    if (weight < 1 && artifact != nullptr)
      DrawIcon(at.iconX, kIconY, kIconSide, artifact, s.artifact, 1 - weight);
    DrawIcon(at.frameX, kFrameY, kFrameSide, nullptr, s.flare, weight);
    DrawIcon(at.iconX, kIconY, kIconSide, nullptr, (flags & DuelFlag::kShield) != 0 ? s.shield : s.reflexes,
             weight);
  } else if (artifact != nullptr) {
    DrawIcon(at.iconX, kIconY, kIconSide, artifact, s.artifact, 1);
  }
}

// Whether the shown values pay for a spell of the two kinds: with one
// element the larger cost, with two each kind's own.
bool CanShownValuesPay(const YPlayer& player, const YTileKind& a, const YTileKind& b) {
  const auto shown = [&](const YTileKind& k) {
    return player.shownMana[static_cast<std::size_t>(k.Element() & 3)];
  };
  if ((a.Element() & 3) == (b.Element() & 3)) return shown(a) >= std::max(a.cost, b.cost);
  return shown(a) >= a.cost && shown(b) >= b.cost;
}

// The kind or spell a log segment names: its title and description.
bool DescribeReference(std::uint32_t ref, std::string& title, std::string& text) {
  const TileTables& tables = GetTileTables();
  if (ref > 0xFF) {
    const YTileSpell* spell = tables.FindSpell(ref);
    if (spell == nullptr) return false;
    title = spell->name, text = spell->descr;
    return true;
  }
  const int index = tables.FindKindIndex(ref);
  if (index < 0) return false;
  const YTileKind& kind = tables.Kinds()[static_cast<std::size_t>(index)];
  title = kind.name, text = kind.descr;
  return true;
}

// The message log; a kind or spell named in the line under the mouse lights
// up and shows its hint.
void DrawLog(const BoardMessages& log, float mouseX, float mouseY) {
  const std::vector<MessageLine>& lines = log.Lines();
  const float top = log.ScrollOffset() + kLogTop;
  const float row = std::floor((mouseY - top + kLogLine) / kLogLine);
  const bool inLog = mouseX <= kLogRight && row >= 0 && row < static_cast<float>(lines.size());
  const auto hovered = inLog ? static_cast<std::size_t>(row) : lines.size();
  YFont* font = GetMainFont();
  for (std::size_t j = 0; j < lines.size(); ++j) {
    if (!log.LineShows(j)) continue;
    float x = kLogX;
    const float y = top + kLogLine * static_cast<float>(j);
    for (const MessageSegment& segment : lines[j]) {
      const float width = font->GetTextWidth(segment.text) * kLogLine;
      const bool lit = j == hovered && segment.ref != 0 && mouseX > x && mouseX < x + width;
      std::string title, text;
      if (lit && DescribeReference(segment.ref, title, text)) DrawHintPanel(title, text);
      DrawTextAligned(x, y, kLogLine, lit ? kWhite : segment.colour, kAlignLeft, segment.text);
      x += width;
    }
  }
}

}  // namespace

std::array<float, 4> YTileset::ManaBarHeights(const std::array<std::int32_t, 4>& maxima) {
  const auto [low, high] = std::minmax_element(maxima.begin(), maxima.end());
  const double smallest = *low == *high ? *low - 1.0 : *low;
  std::array<float, 4> heights{};
  for (std::size_t e = 0; e < 4; ++e)
    heights[e] =
        static_cast<float>((0.8 + 0.2 * (maxima[e] - smallest) / (*high - smallest)) * kManaFullHeight);
  return heights;
}

float YTileset::SpellNameSize(float unitWidth) {
  return unitWidth * kSpellNameSize > kSpellNameRoom ? kSpellNameRoom / unitWidth : kSpellNameSize;
}

void YTileset::DrawBackground(float dt) {
  static YRotatingItem background(YRect(145, 10, 710, 502), GetShader("tileset_back"));
  background.Update(dt);
}

void YTileset::DrawPanels() {
  const float mx = (mouseX_ + 1) * kUIWidth / 2, my = (kUIHeight - kUIWidth * mouseY_) / 2;
  const PanelShaders& s = Shaders();
  DrawQuad(0, kPanelTop, kPanelWidth, kPanelBottom, s.side, kImageUpright);
  DrawQuad(kUIWidth - kPanelWidth, kPanelTop, kUIWidth, kPanelBottom, s.side, kImageMirrored);
  DrawQuad(0, 507, 492, kUIHeight, s.bottom, kImageUpright);
  DrawQuad(508, 507, kUIWidth, kUIHeight, s.bottom, kImageMirrored);
  for (int side = 0; side < 2; ++side) {
    const SideLayout& at = kSides[side];
    if (YPlayer* fighter = Fighter(side)) {
      DrawImageRect(at.portraitX, kPortraitTop, kPortraitSide, kPortraitSide, fighter->GetFace(), s.portrait,
                    kImageUpright, kShaderColour);
      DrawTile2D(at.spellsX, kSpellsY, *fighter);
    }
  }
  DrawHint(mx, my);
  DrawLog(messages_, mx, my);
  DrawFrame(s);
  DrawSideBars();
  for (int side = 0; side < 2; ++side) {
    const YPlayer* fighter = Fighter(side);
    if (fighter == nullptr) continue;
    DrawStats(kSides[side], *fighter);
    DrawManaBars(kSides[side], *fighter);
    DrawIcons(kSides[side], *fighter, overlays_[kSide0Highlight + side],
              rememberedFlags_[static_cast<std::size_t>(side)]);
  }
}

void YTileset::DrawPanelsIn(const YRect& area) {
  const bool inOpening = area.x >= kOpening.x && area.y >= kOpening.y &&
                         area.x + area.width <= kOpening.x + kOpening.width &&
                         area.y + area.height <= kOpening.y + kOpening.height;
  if (inOpening)
    DrawFrame(Shaders());
  else
    DrawPanels();
}

void YTileset::DrawHint(float mx, float my) const {
  if (YRectHint* hint = HoveredHint(mx, my)) {
    hint->Draw(mx, my);
  } else if (underMouse_ < 0) {
    return;
  } else if (spellPreview_ != nullptr) {
    DrawHintPanel(spellPreview_->name, spellPreview_->descr);
  } else if (const YTileKind* kind = KindRecord(underMouse_)) {
    DrawHintPanel(kind->name, kind->descr);
  }
}

YRectHint* YTileset::HoveredHint(float mx, float my) const {
  if (underMouse_ >= 0) return nullptr;
  const auto hint =
      std::find_if(hints_.begin(), hints_.end(), [&](const auto& h) { return h->Contains(mx, my); });
  return hint != hints_.end() ? hint->get() : nullptr;
}

void YTileset::DrawSideBars() {
  for (int side = 0; side < 2; ++side) {
    const YPlayer* fighter = Fighter(side);
    if (fighter == nullptr) continue;
    const float width = GetMainFont()->GetTextWidth(fighter->name);
    const float size = width * kNameSize > kNameWidth ? kNameWidth / width : kNameSize;
    const float x = kSides[side].nameX + (kNameWidth - width * size) / 2;
    const YColor colour = side == state_.sideToMove ? YColor(1, 1, 0, 1) : YColor(0.7f, 0.7f, 0, 1);
    DrawTextShadow(x, kNameY, size, colour, fighter->name);
  }
}

void YTileset::DrawTile2D(float x, float y, const YPlayer& player) {
  const std::vector<YTileKind>& kinds = GetTileTables().Kinds();
  const auto kind = [&](std::int32_t index) -> const YTileKind* {
    return index >= 0 && static_cast<std::size_t>(index) < kinds.size()
               ? &kinds[static_cast<std::size_t>(index)]
               : nullptr;
  };
  TileAtlas& atlas = GetTileAtlas();
  float rowY = y;
  for (const YTileSpell* spell : player.spells) {
    const YTileKind* a = spell != nullptr ? kind(spell->first) : nullptr;
    const YTileKind* b = spell != nullptr ? kind(spell->second) : nullptr;
    if (a == nullptr || b == nullptr) {
      rowY += kSpellRow;
      continue;
    }
    const bool affordable = CanShownValuesPay(player, *a, *b);
    DrawImageQuad(YRect(x, rowY, 20, 26), YRect(0, 0, kTileFaceU, 1), atlas.Frame(a->tex), Shaders().tile);
    DrawImageQuad(YRect(x + 22, rowY, 20, 26), YRect(0, 0, kTileFaceU, 1), atlas.Frame(b->tex),
                  Shaders().tile);
    if (g_render != nullptr && GetMainFont()->shader != nullptr) {
      g_render->SetShaderColor(GetMainFont()->shader, affordable ? kValueColour : kDimRowColour);
      const float size = SpellNameSize(GetMainFont()->GetTextWidth(spell->name));
      YFont::DrawTextClipped(GetMainFont(), x + 44, rowY + 20, size, spell->name, kSpellNameField);
    }
    rowY += kSpellRow;
  }
}
