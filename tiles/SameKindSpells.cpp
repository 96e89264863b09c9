// The standard spells of two tiles of the same kind, by element and class.
// Each spends the first kind's cost from its element unless it says
// otherwise; quantities are read before the spend unless it says "after".
#include <algorithm>

#include "tiles/MoveContext.h"

namespace {

constexpr int kAir = DuelKind::kAir, kFire = DuelKind::kFire, kEarth = DuelKind::kEarth, kWater = DuelKind::kWater;

void Air(MoveContext& m, int spellClass) {
  std::int32_t& air = m.P(kAir);
  switch (spellClass) {
    case 3: m.enemyDamage = air / 10 + 10; m.SpendA(); break;
    case 4: {
      const std::int32_t d = std::min(air / 2, m.o.health);
      m.p.health = std::min(m.p.health + d, m.p.maxHealth);
      m.enemyDamage = d;
      m.SpendA();
      break;
    }
    case 5: m.enemyDamage = air; air = 0; break;
    case 6: m.enemyDamage = air / 5 + 1; m.newFlags = DuelFlag::kShuffle; m.SpendA(); break;
    case 7:
      for (int e = 0; e < 4; ++e) m.O(e) /= 2;
      m.SpendA();
      break;
    case 8:
      m.SpendA();
      air = Clamped(air + m.TakeTiles(false, true), m.PMax(kAir));
      break;
    case 9: m.O(kAir) = 0; air = 0; break;
    case 10:
      air = std::min(air + 15, m.PMax(kAir));
      if (air > m.O(kAir)) m.selfDamage += 5;
      break;
    default: break;
  }
}

void Fire(MoveContext& m, int spellClass) {
  std::int32_t& fire = m.P(kFire);
  switch (spellClass) {
    case 3:
      m.SpendA();
      fire = Clamped(fire + m.TakeTiles(true, false), m.PMax(kFire));
      break;
    case 4: m.enemyDamage = fire / 5 + 5; m.SpendA(); break;
    case 5:
      m.enemyDamage = fire / 2;
      m.O(kFire) = std::min(m.O(kFire) * 2, m.OMax(kFire));
      m.SpendA();
      break;
    case 6:
      m.enemyDamage = fire;
      m.SpendA();
      if (m.o.health - fire < m.p.health) {
        m.O(kFire) = std::min(m.O(kFire) + fire, m.OMax(kFire));
        fire = 0;
      }
      break;
    case 7: m.newFlags = DuelFlag::kBurning; m.SpendA(); break;
    case 8:
      m.O(kFire) /= 2;
      m.SpendA();
      if (fire < m.O(kFire)) m.newFlags = DuelFlag::kExtraTurn;
      break;
    case 9: m.enemyDamage = 2 * m.lost; m.SpendA(); break;
    case 10:
      fire = std::min(fire + 10, m.PMax(kFire));
      m.P(kWater) = std::max(m.P(kWater) - 10, 0);
      break;
    case 11: m.O(kEarth) = 0; m.O(kWater) = 0; m.SpendA(); break;
    default: break;
  }
}

void Earth(MoveContext& m, int spellClass) {
  std::int32_t& earth = m.P(kEarth);
  switch (spellClass) {
    case 3: m.p.health = std::min(m.p.health + 10, m.p.maxHealth); m.SpendA(); break;
    case 4:
      m.p.health = std::min(m.p.health + earth / 4 + 2, m.p.maxHealth);
      m.SpendA();
      if (m.p.health > m.o.health) earth = 0;
      break;
    case 5:
      for (int e : {kFire, kWater, kAir}) m.P(e) = Clamped(m.P(e) + 7, m.PMax(e));
      m.SpendA();
      break;
    case 6:
      m.enemyDamage = earth / 2;
      if (earth < 20) m.selfDamage += earth / 2;
      m.SpendA();
      break;
    case 7:
      m.p.health = Clamped(m.p.health + 7, m.p.maxHealth);
      m.o.health = Clamped(m.o.health + 7, m.o.maxHealth);
      m.SpendA();
      break;
    case 8:
      earth = std::min(earth + 10, m.PMax(kEarth));
      m.o.health = std::min(m.o.health + 5, m.o.maxHealth);
      m.newFlags = DuelFlag::kShield;
      break;
    case 9: m.newFlags = DuelFlag::kShield; m.SpendA(); break;
    case 10: {
      m.SpendA();
      std::int32_t gathered = 0;
      for (int e : {kFire, kWater, kAir}) {
        const std::int32_t t = std::min(m.P(e), 7);
        m.P(e) -= t;
        gathered += t;
      }
      earth = std::min(earth + gathered, m.PMax(kEarth));
      break;
    }
    default: break;
  }
}

void Water(MoveContext& m, int spellClass) {
  std::int32_t& water = m.P(kWater);
  switch (spellClass) {
    case 3: m.selfDamage += water / 3; m.enemyDamage = m.O(kWater) / 3; m.SpendA(); break;
    case 4: m.p.health = std::min(m.p.health + 7, m.p.maxHealth); m.SpendA(); break;
    case 5:
      m.p.health = std::max(m.p.health - 3, 0);
      water = std::min(water + 10, m.PMax(kWater));
      break;
    case 6: m.enemyDamage = water / 4 + 1; m.SpendA(); break;
    case 7: m.newFlags = DuelFlag::kFrozen; m.SpendA(); break;
    case 8: m.enemyDamage = m.p.health / 4; m.selfDamage += m.p.health / 4; m.SpendA(); break;
    case 9:
      m.selfDamage += m.p.health / 4;
      m.enemyDamage = m.o.health / 4;
      for (int e = 0; e < 4; ++e) m.O(e) -= m.O(e) / 4;
      m.SpendA();
      break;
    case 10: m.newFlags = DuelFlag::kReflect; m.SpendA(); break;
    case 11:
      m.enemyDamage = water / 5 + 3;
      m.SpendA();
      if (water < m.O(kWater)) m.O(kWater) = m.OMax(kWater);
      break;
    default: break;
  }
}

}  // namespace

void CastSameKind(MoveContext& move) {
  const int spellClass = move.ka.Class();
  switch (move.ea()) {
    case kAir: Air(move, spellClass); break;
    case kFire: Fire(move, spellClass); break;
    case kEarth: Earth(move, spellClass); break;
    default: Water(move, spellClass); break;
  }
}
