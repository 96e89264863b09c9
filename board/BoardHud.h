// The arithmetic and texts of the board screen's head-up display, kept apart
// from the drawing so they can be checked on their own: percent texts of
// element factors, the turn clock's icon weights and hand, the cell panel's
// text, the level label, the cell under a board coordinate, and every name
// the screen looks up in the shipped content.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct ElementRow;
struct YTessorCell;

namespace board_hud {

inline constexpr std::array<const char*, 7> kShaderNames = {
    "image_std", "uib4", "ui4", "small_face", "clock-arrow", "linza", "star_effect"};
inline constexpr std::array<const char*, 3> kButtonTextures = {
    "textures\\ui\\button_skill.tga", "textures\\ui\\button_cp.tga", "textures\\ui\\button_mm.tga"};
// The clock's element icons in element order: air, fire, earth, water.
inline constexpr std::array<const char*, 4> kClockIcons = {"textures\\ico_a.tga", "textures\\ico_f.tga",
                                                           "textures\\ico_e.tga", "textures\\ico_w.tga"};
// The cell-kind names in kind order (air, fire, earth, water, mutex, wall,
// pit), then the power point's; each is a format for the cell's factors.
inline constexpr std::array<const char*, 8> kPointInfoKeys = {
    "point_info_air",   "point_info_fire", "point_info_earth", "point_info_water",
    "point_info_mutex", "point_info_wall", "point_info_pit",   "point_info_power"};
inline constexpr const char* kClockInfoKey = "clock_info";
inline constexpr const char* kLevelKey = "desk_level";
inline constexpr const char* kAbortKey = "abort_game";
inline constexpr const char* kLeaderId = "tessort";

}  // namespace board_hud

// "+" and trunc((factor - 1) x 100 + 0.4) "%" for a factor of 1 or more,
// else "-" and trunc((1 - factor) x 100 + 0.4) "%": 1.2 is "+20%".
std::string FormatPercentModifier(float factor);

// The alpha of the four clock icons (air, fire, earth, water) at a clock
// value: 0.33 each, but the icon of the clock's quarter fades from 1 and
// the next one grows from 0.33 as the quarter passes.
std::array<float, 4> ClockIconAlphas(float clock);
// The hand's turn in degrees, clockwise on screen: 0 at clock 0 (up),
// 90 at 0.25.
float ClockHandAngle(float clock);

// The board's column (or row) under a coordinate of the board plane: the
// square [-4.5, 4.5] is split into nine, its far edge belonging to the last
// column; -1 outside (and for a value that is not a number).
int BoardCellAt(float coordinate);

// The cell panel's text: a power point shows its own text; an element cell
// its kind's text filled with its own and its opposite element's factor of
// `row`; a mutex cell all four factors of `row` (the clock's); a wall or a
// pit its text alone. `texts` in the order of board_hud::kPointInfoKeys.
std::string CellPanelText(const std::array<std::string, 8>& texts, const YTessorCell& cell,
                          const ElementRow& row);
// The clock tip: `format` filled with the four element factors of `row`.
std::string ClockTipText(std::string_view format, const ElementRow& row);
// The level label: `format` filled with the level counted from 1; empty
// while no level is played (levelNumber below 0).
std::string LevelLabel(std::string_view format, int levelNumber);
