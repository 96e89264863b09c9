// The game's own symbols in the main font for the two ways a unit moves on
// the board: byte 0xAD, four arrows (straight lines only), and byte 0xAE,
// eight arrows (any direction). Drawn in code, sized like capital letters
// of the face they join.
#pragma once

#include <cstdint>
#include <optional>

#include "tools/fontgen/FreeTypeFace.h"

inline constexpr std::uint8_t kStraightMoveByte = 0xAD;
inline constexpr std::uint8_t kAnyMoveByte = 0xAE;

// The symbol of that byte at a line height of `linePixels`, standing on the
// baseline; nothing for any other byte.
std::optional<RenderedGlyph> MoveSymbol(std::uint8_t byte, float linePixels);
