// What the duel's rules read of a tile kind: its id byte (element in bits
// 4-7, class in bits 0-3), the element value a spell pair with it needs and
// its rank among available pairs. A compact copy of the kind table travels
// with every battle state, so that a search copy needs nothing else.
#pragma once

#include <cstdint>
#include <vector>

struct YTileKind;

struct DuelKind {
  enum Element { kAir = 0, kFire = 1, kEarth = 2, kWater = 3 };
  // The classes with pair rules of their own.
  static constexpr int kPlainClass = 1;  // any two pair; experience
  static constexpr int kWellClass = 2;   // any two pair; fills elements

  std::uint32_t id = 0;
  std::int32_t cost = 0;
  std::int32_t priority = 50;

  int Element() const { return static_cast<int>((id >> 4) & 0x3); }
  int Class() const { return static_cast<int>(id & 0xF); }
};

// The rules' copy of a kind table, in table order.
std::vector<DuelKind> DuelKindsOf(const std::vector<YTileKind>& table);
