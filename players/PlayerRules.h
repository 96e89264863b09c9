// The arithmetic every player record shares: experience thresholds, the
// rating a unit's price starts from, the block the board's undo copies, the
// order in which new monsters fill the army, and the checked conversions
// that keep values read from files inside 32 bits.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

class YPlayer;
struct YPlayerUndo;

// The army slot numbers in the order a joining monster looks for a free one;
// a new profile hero stands in the first.
inline constexpr std::array<int, 18> kArmyOrder = {4, 5, 3, 13, 6, 2, 14, 12, 7, 1, 15, 11, 8, 0, 16, 10, 17, 9};
inline constexpr int kArmySlots = 18;

// The longest hero name, in bytes: what the name boxes of the new-hero
// dialogs and of the control panel take. A longer name read from a file is
// cut to it, so that no list, panel or dialog draws more.
inline constexpr std::size_t kMaxHeroName = 16;
// Cuts `name` to kMaxHeroName bytes; true when it was longer.
bool CutHeroName(std::string& name);
// What a reader logs of a name it cut.
std::string HeroNameCutNotice();

// The highest level whose next threshold still fits a 32-bit experience
// value; levels asked for beyond it are held there.
inline constexpr int kMaxLevel = 14652;

// Experience needed for level n: 0 below 1, else 10 x (n + 1)^2. 64-bit;
// levels beyond 900 million are held there, so no level overflows.
std::int64_t ExperienceForLevel(std::int64_t n);

// The smallest level n >= `from` whose threshold is above `total`. Looks
// at most kMaxLevel + 2 levels past `from` (no 32-bit experience reaches
// further), so absurd levels read from files cannot make it run long.
std::int64_t FirstLevelAbove(std::int64_t from, std::int64_t total);

// The level a hero with this experience holds: one below the first level
// n >= 1 whose threshold is above the experience, and 0 below 40 points.
std::int32_t HeroLevelForExperience(std::int64_t experience);

// 3 x (moveKind + way + distance) + the four base element values + base
// health + the eval of the artifact in use / 5. The base of unit prices.
std::int32_t UnitStrengthSum(const YPlayer& record);

// Copies the six words of the undo block (experience, four mana, health).
void CopyCounterRecord(YPlayerUndo& to, const YPlayerUndo& from);
// The element and health caps become the record's base values: what a
// monster holds until the board sets its caps from the square it stands on.
void SetCapsToBase(YPlayer& record);

// A 64-bit intermediate held at the ends of the 32-bit range. Inline, as
// the board computer's search calls both conversions for every unit of
// every position it visits.
inline std::int32_t SaturatedInt32(std::int64_t value) {
  constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < kLow ? kLow : value > kHigh ? kHigh : value);
}
// A float truncated toward zero, held at the ends of the 32-bit range; a
// value that is not a number gives 0.
inline std::int32_t TruncatedInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  if (value <= kLow) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}
