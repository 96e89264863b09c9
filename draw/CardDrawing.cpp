#include "draw/CardDrawing.h"

#include <algorithm>

#include "draw/BarDrawing.h"
#include "draw/ImageDrawing.h"
#include "draw/PanelStyle.h"
#include "draw/TextDrawing.h"
#include "draw/TileAtlas.h"
#include "players/YArtifact.h"
#include "players/YPlayer.h"
#include "players/YTileSpell.h"
#include "render/YFont.h"

float cpListTextSize = 25.0f;
std::array<std::string, 3> moveKindTexts;

namespace {

const YColor kElementColours[4] = {YColor(1, 1, 0.8f, 1), YColor(1, 0, 0, 1), YColor(0, 1, 0, 1),
                                   YColor(0, 0, 1, 1)};
const YColor kHealthText(0.8f, 0.8f, 0.5f, 1);
const YColor kHealthBar(1, 0.2f, 0.2f, 1);
const YColor kBoardTitle(1, 1, 0.5f, 1);
const YColor kBoardText(0.8f, 0.8f, 0.5f, 1);

constexpr float kNameSize = 20;
constexpr float kNameBox = 100;        // the name is centred over the portrait when narrower
constexpr float kPortraitSide = 100;
constexpr float kBarColumn = 64;       // an element bar and its number
constexpr float kBarNumber = 15;
constexpr float kMoveLineSize = 15;
constexpr float kDescriptionSize = 18.5f;
constexpr float kItemHeight = 40;
constexpr float kTileWidth = 28, kTileHeight = 36, kTileStep = 30;
constexpr float kSpellNameX = 64;
constexpr float kIconSide = 40;
constexpr float kArtifactNameX = 46;
constexpr float kSpellCardWidth = 330;

// The baseline that centres a list name of `size` in an item's height.
float ItemTextY(float y, float size) {
  return y + kItemHeight / 2 + 0.55f * size;
}

float DescriptionY(float y) {
  return y + kItemHeight + kDescriptionSize + 4;
}

}  // namespace

ValueBlock MaximumBlock(const YPlayer& unit) {
  const auto& m = unit.maxValues;
  return {m[1], m[2], m[3], m[4], m[5]};
}

ValueBlock BaseBlock(const YPlayer& unit) {
  const auto& b = unit.baseMana;
  return {b[0], b[1], b[2], b[3], unit.baseHealth};
}

ValueBlock CurrentBlock(const YPlayer& unit) {
  const auto& c = unit.mana;
  return {c[0], c[1], c[2], c[3], unit.health};
}

std::array<float, 4> ElementBarLengths(const ValueBlock& b) {
  const auto [low, high] = std::minmax_element(b.begin(), b.begin() + 4);
  double minimum = *low;
  const double maximum = *high;
  if (minimum == maximum) minimum -= 1;
  const double range = maximum - minimum;
  std::array<float, 4> lengths{};
  for (std::size_t k = 0; k < 4; ++k)
    lengths[k] = static_cast<float>(((b[k] - minimum) * 0.2 / range + 0.8) * kBarColumn - kBarNumber);
  return lengths;
}

std::string MoveLine(const YPlayer& unit) {
  const std::size_t kind = static_cast<std::size_t>(std::clamp(unit.moveKind, 0, 2));
  const char symbol[2] = {unit.way > 0 ? kAnyWaySymbol : kStraightSymbol, '\0'};
  return FormatTextArgs("%s, %d %s", moveKindTexts[kind], unit.distance, symbol);
}

void DrawCard(float x, float y, YPlayer* unit, const ValueBlock& a, const ValueBlock& b, const YColor& titleColour,
              const YColor& textColour) {
  if (unit == nullptr) return;
  const float nameWidth = GetMainFont()->GetTextWidth(unit->name) * kNameSize;
  if (nameWidth < kNameBox)
    DrawTextAligned(x + kNameBox / 2, y + 20, kNameSize, titleColour, kAlignCentre, unit->name);
  else
    DrawTextAligned(x, y + 20, kNameSize, titleColour, kAlignLeft, unit->name);
  DrawPortrait(YRect(x, y + 25, kPortraitSide, kPortraitSide), unit, false);
  DrawProgressBar(x + 105, y + 90, 90, 20, a[4], std::max(a[4], b[4]), kHealthText, kHealthBar);
  const std::array<float, 4> lengths = ElementBarLengths(b);
  const float ground = y + 25 + kBarColumn - kBarNumber;
  for (std::size_t k = 0; k < 4; ++k)
    DrawProgressBar2(x + 110 + 20 * static_cast<float>(k), ground - lengths[k], 16, lengths[k], a[k],
                     std::max(a[k], b[k]), textColour, kElementColours[k]);
  DrawTextAligned(x + 105, y + 130, kMoveLineSize, textColour, kAlignLeft, MoveLine(*unit));
}

void DrawUnitCardAt(float x, float y, YPlayer* unit) {
  if (unit == nullptr) return;
  DrawCard(x, y, unit, CurrentBlock(*unit), BaseBlock(*unit), kBoardTitle, kBoardText);
}

void DrawSpellItem(float x, float y, const YTileSpell* spell, const YColor& colour) {
  if (spell == nullptr) return;
  DrawTileFace(YRect(x, y + (kItemHeight - kTileHeight) / 2, kTileWidth, kTileHeight), spell->first);
  DrawTileFace(YRect(x + kTileStep, y + (kItemHeight - kTileHeight) / 2, kTileWidth, kTileHeight), spell->second);
  DrawTextAligned(x + kSpellNameX, ItemTextY(y, cpListTextSize), cpListTextSize, colour, kAlignLeft, spell->name);
}

void DrawSpellCard(float x, float y, const YTileSpell* spell) {
  if (spell == nullptr) return;
  DrawSpellItem(x, y, spell, kPanelDarkRed);
  DrawTextBlock(x, DescriptionY(y), kSpellCardWidth, kDescriptionSize, kPanelBlack, spell->descr);
}

void DrawArtifactItem(float x, float y, const YArtifact* artifact, const YColor& colour) {
  if (artifact == nullptr) return;
  if (artifact->texture != nullptr)
    DrawImageRect(x, y, kIconSide, kIconSide, artifact->texture, nullptr, kImageUpright, kShaderColour);
  DrawTextAligned(x + kArtifactNameX, ItemTextY(y, cpListTextSize), cpListTextSize, colour, kAlignLeft,
                  artifact->name);
}

void DrawArtifactCard(float x, float y, const YArtifact* artifact, float width, const YColor& colour) {
  if (artifact == nullptr) return;
  DrawArtifactItem(x, y, artifact, colour);
  DrawTextBlock(x, DescriptionY(y), width, kDescriptionSize, kPanelBlack, artifact->descr);
}
