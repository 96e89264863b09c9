// One legal move of a unit: the target cell and what happens there.
#pragma once

#include <cstdint>

class YTessorUnit;

namespace move_kind {
inline constexpr std::int32_t kMove = 0;     // onto a free cell
inline constexpr std::int32_t kAttack = 1;   // onto an enemy: a fight
inline constexpr std::int32_t kSpecial = 2;  // a monster special acts on the cell
}  // namespace move_kind

struct YTessorMove {
  YTessorUnit* unit = nullptr;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t kind = move_kind::kMove;

  bool operator==(const YTessorMove&) const = default;
};
