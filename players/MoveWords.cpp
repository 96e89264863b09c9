#include "players/MoveWords.h"

std::int32_t ParseMoveKind(std::string_view text) {
  if (text == "fly") return 1;
  if (text == "teleport") return 2;
  return 0;
}

const char* MoveKindName(std::int32_t moveKind) {
  if (moveKind == 1) return "fly";
  if (moveKind == 2) return "teleport";
  return "walk";
}

std::int32_t ParseWay(std::string_view text) { return text == "straight" ? 0 : 1; }

const char* WayName(std::int32_t way) { return way == 0 ? "straight" : "any"; }
