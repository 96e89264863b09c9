// The words that name how a unit moves, shared by every file that stores
// move values: "walk" / "fly" / "teleport" and "straight" / "any".
// Comparisons are exact and case-sensitive.
#pragma once

#include <cstdint>
#include <string_view>

// "fly" 1, "teleport" 2, anything else 0 (walk).
std::int32_t ParseMoveKind(std::string_view text);
// 1 "fly", 2 "teleport", anything else "walk".
const char* MoveKindName(std::int32_t moveKind);
// "straight" 0, anything else 1 (any).
std::int32_t ParseWay(std::string_view text);
// 0 "straight", anything else "any".
const char* WayName(std::int32_t way);
