// One square of the 9 x 9 board: its kind (element, mutex, wall or pit),
// whether it is a power point, and the unit standing on it.
#pragma once

#include <cstdint>

class YTessorUnit;

namespace cell_kind {
inline constexpr std::uint32_t kAir = 0;
inline constexpr std::uint32_t kFire = 1;
inline constexpr std::uint32_t kEarth = 2;
inline constexpr std::uint32_t kWater = 3;
inline constexpr std::uint32_t kMutex = 4;
inline constexpr std::uint32_t kWall = 5;
inline constexpr std::uint32_t kPit = 6;
inline constexpr std::uint32_t kKindMask = 7;
inline constexpr std::uint32_t kPowerPoint = 8;
}  // namespace cell_kind

inline constexpr int kBoardSize = 9;
inline constexpr int kCellCount = kBoardSize * kBoardSize;

inline constexpr bool IsOnBoard(int x, int y) {
  return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize;
}
inline constexpr int CellIndex(int x, int y) {
  return y * kBoardSize + x;
}

struct YTessorCell {
  // Bits 0-2: the kind (cell_kind); bit 3: power point. Walls and pits never
  // carry the power-point bit.
  std::uint32_t type = cell_kind::kAir;
  YTessorUnit* occupant = nullptr;  // the unit standing here; the board owns it

  std::uint32_t Kind() const { return type & cell_kind::kKindMask; }
  bool IsPowerPoint() const { return (type & cell_kind::kPowerPoint) != 0; }
  // Walls and pits: no unit may end a move here.
  bool IsBlocked() const { return Kind() >= cell_kind::kWall; }
};
