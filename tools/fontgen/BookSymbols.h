// The game's own symbols in the main font for the book's page links: byte
// 0xAA, back (an arrow pointing left), byte 0xAB, the first page (a bar
// with two arrow heads pointing at it), and byte 0xAC, forward (an arrow
// pointing right). Drawn in code, sized like capital letters of the face
// they join.
#pragma once

#include <cstdint>
#include <optional>

#include "tools/fontgen/FreeTypeFace.h"

inline constexpr std::uint8_t kBackByte = 0xAA;
inline constexpr std::uint8_t kFirstPageByte = 0xAB;
inline constexpr std::uint8_t kForwardByte = 0xAC;

// The symbol of that byte at a line height of `linePixels`, standing on the
// baseline; nothing for any other byte.
std::optional<RenderedGlyph> BookSymbol(std::uint8_t byte, float linePixels);
