// The working values of one move's effects: the mover P and the other side
// O, the pair's kinds, the damage to the enemy (E) and to the mover (S), the
// flags the move leaves (F) and the turn's health loss (L). The spell tables
// read and change them; SimulateMoveEffects settles the damage afterwards.
#pragma once

#include <cstdint>

#include "tiles/DuelState.h"

struct MoveContext {
  MoveContext(DuelState& s, int tileA, int tileB)
      : state(s), p(s.Mover()), o(s.Opponent()), ka(s.KindOf(tileA)), kb(s.KindOf(tileB)) {}

  DuelState& state;
  DuelSide& p;
  DuelSide& o;
  const DuelKind& ka;
  const DuelKind& kb;
  std::int32_t enemyDamage = 0;  // E
  std::int32_t selfDamage = 0;   // S
  std::uint32_t newFlags = 0;    // F
  std::int32_t lost = 0;         // L: the health P lost since its previous move

  int ea() const { return ka.Element(); }
  int eb() const { return kb.Element(); }
  std::int32_t& P(int element) { return p.mana[static_cast<std::size_t>(element)]; }
  std::int32_t& O(int element) { return o.mana[static_cast<std::size_t>(element)]; }
  std::int32_t PMax(int element) const { return p.maxMana[static_cast<std::size_t>(element)]; }
  std::int32_t OMax(int element) const { return o.maxMana[static_cast<std::size_t>(element)]; }

  // The first kind's cost from its element's value (a same-kind spell).
  void SpendA() { P(ea()) -= ka.cost; }
  // Both kinds' costs from their elements' values.
  void SpendBoth() {
    P(ea()) -= ka.cost;
    P(eb()) -= kb.cost;
  }
  // Takes the listed tiles (see DuelState::TakeTile); returns how many.
  // With `burn`, each burning tile costs the mover 5 health.
  int TakeTiles(bool earthOnly, bool burn);
};

// v limited to 0 .. max.
inline std::int32_t Clamped(std::int32_t v, std::int32_t max) {
  if (v > max) v = max;
  return v < 0 ? 0 : v;
}
// The same-kind spell of the pair's element and class; nothing for a
// class without one.
void CastSameKind(MoveContext& move);
// The combination spell of a key (either byte order); an unknown key does
// nothing.
void CastCombination(MoveContext& move, std::uint32_t key);
