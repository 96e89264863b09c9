// The tile layout a duel is fought on: a monster attacker whose type names
// layouts fights on one of them, drawn at random; every other duel on the
// standard layout.
#pragma once

#include <string>

class YPlayer;

inline constexpr const char* kStandardLayout = "layouts\\standard.lay";

// The layout for a duel of `first` (the attacker's record; may be null)
// against `second` (not looked at): "layouts\" and a name from the monster
// type's list, drawn with the program's generator, when `first` is a
// monster whose type lists layouts; kStandardLayout otherwise.
std::string GetLayoutPath(const YPlayer* first, const YPlayer* second);
