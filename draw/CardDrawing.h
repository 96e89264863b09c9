// Cards and list items of units, spells and artifacts as the control panel
// and the board screen's unit view show them: name, portrait, bars and move
// line of a unit; tile faces or icon, name and description of an item.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/YColor.h"

class YPlayer;
struct YArtifact;
struct YTileSpell;

// Four element values (air, fire, earth, water) and health.
using ValueBlock = std::array<std::int32_t, 5>;

// The text size of names in the spell and artifact lists: 25 until the
// control panel measures the names of the catalogues.
extern float cpListTextSize;
// The texts of the three move kinds (walk, fly, teleport), set by the
// control panel from the locale.
extern std::array<std::string, 3> moveKindTexts;

// The main font's symbols for the two ways of moving: four directions
// (way 0) and all eight (way above 0).
inline constexpr char kStraightSymbol = '\xAD';
inline constexpr char kAnyWaySymbol = '\xAE';

ValueBlock MaximumBlock(const YPlayer& unit);
ValueBlock BaseBlock(const YPlayer& unit);
ValueBlock CurrentBlock(const YPlayer& unit);

// The lengths of a card's four element bars for block B: the element's
// place between B's smallest and largest element value spread over
// 0.8 to 1.0 of 64 units, less the 15 units of the number under it. With
// four equal values the smallest counts one lower, so every bar is full.
std::array<float, 4> ElementBarLengths(const ValueBlock& b);
// The card's move line: "<move kind text>, <distance> <way symbol>".
std::string MoveLine(const YPlayer& unit);

// A unit card at (x, y), about 200 x 140: the name in the title colour,
// the portrait, a health bar of A's health against the larger of A's and
// B's, four element bars of A's values against the larger of A's and B's,
// their lengths by B, and the move line in the text colour. Null draws
// nothing.
void DrawCard(float x, float y, YPlayer* unit, const ValueBlock& a, const ValueBlock& b, const YColor& titleColour,
              const YColor& textColour);
// The board screen's card: the unit as it stands, its current values
// against its own (base) ones, in light yellow, so that a wounded or
// drained unit shows what its next duel opens with.
void DrawUnitCardAt(float x, float y, YPlayer* unit);

// A list item 250 x 40 at (x, y): the spell's two tile faces 30 units apart
// and its name at cpListTextSize. Null draws nothing.
void DrawSpellItem(float x, float y, const YTileSpell* spell, const YColor& colour);
// The item in dark red with the spell's description below it, 330 wide.
void DrawSpellCard(float x, float y, const YTileSpell* spell);
// A list item at (x, y): the artifact's icon 40 x 40 and its name at
// cpListTextSize. Null draws nothing.
void DrawArtifactItem(float x, float y, const YArtifact* artifact, const YColor& colour);
// The item with the artifact's description below it, `width` wide.
void DrawArtifactCard(float x, float y, const YArtifact* artifact, float width, const YColor& colour);
