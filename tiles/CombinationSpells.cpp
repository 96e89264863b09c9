// The combination spells: two different kinds joined by a spell the mover
// knows, by the spell's key. Steps run in the order written; "spend both"
// takes each kind's cost from its element's value.
#include <algorithm>
#include <utility>

#include "tiles/MoveContext.h"

namespace {

constexpr int kAir = DuelKind::kAir, kFire = DuelKind::kFire, kEarth = DuelKind::kEarth, kWater = DuelKind::kWater;

void AllClamped(MoveContext& m, std::int32_t add) {
  for (int e = 0; e < 4; ++e) m.P(e) = Clamped(m.P(e) + add, m.PMax(e));
}

// 0x3937, also the end of 0x0818: freeze, pay the dearer kind's cost from
// the first kind's element, hurt both sides by a quarter and drain earth.
void FrostNova(MoveContext& m) {
  m.newFlags = DuelFlag::kFrozen;
  m.P(m.ea()) -= std::max(m.ka.cost, m.kb.cost);
  m.selfDamage += m.p.health / 4;
  m.O(kEarth) = 0;
  m.enemyDamage += m.o.health / 4;
}

// 0x063A: the battle's generator, reseeded from the shuffle seed, swaps
// five random pairs of values between the sides.
void Chaos(MoveContext& m) {
  m.SpendBoth();
  DuelState& state = m.state;
  state.random.Seed(static_cast<std::uint32_t>(state.shuffleSeed));
  state.shuffleSeed = state.random.Next();
  for (int n = 0; n < 5; ++n) {
    const int i = state.random.Below(4);
    const int j = state.random.Below(4);
    std::swap(m.P(i), m.O(j));
  }
  for (int e = 0; e < 4; ++e) {
    m.P(e) = Clamped(m.P(e), m.PMax(e));
    m.O(e) = Clamped(m.O(e), m.OMax(e));
  }
}

void Firestorm(MoveContext& m) {
  m.SpendBoth();
  const int taken = m.TakeTiles(false, true);
  for (int n = 0; n < taken; ++n) {
    if (m.P(kFire) <= 0) continue;
    m.P(kFire) -= 1;
    m.enemyDamage += 1;
  }
  FrostNova(m);
}

bool AirAndFireKeys(MoveContext& m, std::uint32_t key) {
  std::int32_t& air = m.P(kAir);
  std::int32_t& fire = m.P(kFire);
  switch (key) {
    case 0x0315: m.enemyDamage = air / 3 + 7; m.SpendBoth(); return true;
    case 0x0423: {
      const std::int32_t d = m.o.health / 7;
      m.p.health = std::min(m.p.health + d, m.p.maxHealth);
      m.enemyDamage = d;
      m.SpendBoth();
      return true;
    }
    case 0x0509: m.enemyDamage = (m.O(kAir) + air) / 2; m.O(kAir) = 0; air = 0; return true;
    case 0x051A: m.enemyDamage = (fire + air) / 2; m.p.mana = {}; return true;
    case 0x063A: Chaos(m); return true;
    case 0x0725:
      m.SpendBoth();
      for (int e = 0; e < 4; ++e) {
        const std::int32_t h = m.O(e) / 2;
        m.O(e) -= h;
        m.P(e) = std::min(m.P(e) + h, m.PMax(e));
      }
      return true;
    case 0x073A: m.p.mana = {}; m.o.mana = {}; return true;
    case 0x0818: Firestorm(m); return true;
    case 0x0933: m.SpendBoth(); m.O(kWater) = 0; return true;
    default: return false;
  }
}

bool FireKeys(MoveContext& m, std::uint32_t key) {
  std::int32_t& fire = m.P(kFire);
  switch (key) {
    case 0x130A: m.SpendBoth(); m.enemyDamage += m.TakeTiles(true, false); return true;
    case 0x1326: {
      m.SpendBoth();
      const int taken = m.TakeTiles(true, false);
      fire += taken;
      m.enemyDamage += taken;
      fire = Clamped(fire, m.PMax(kFire));
      return true;
    }
    case 0x1436: m.enemyDamage = (m.P(kWater) + fire) / 3 + 2; m.SpendBoth(); return true;
    case 0x151A: m.enemyDamage = fire / 2 + 5; m.SpendBoth(); return true;
    case 0x163B: m.enemyDamage = fire; m.SpendBoth(); m.O(kWater) = 0; m.P(kWater) = 0; return true;
    case 0x1737: m.newFlags = DuelFlag::kBurning | DuelFlag::kFrozen; m.SpendBoth(); return true;
    case 0x1929:
      m.SpendBoth();
      m.enemyDamage = fire / 5 + 3;
      m.state.flags &= ~DuelFlag::kShield;
      return true;
    case 0x1B03:
      m.enemyDamage = 13;
      for (int e = 0; e < 4; ++e) m.O(e) = std::max(m.O(e) - 5, 0);
      m.SpendBoth();
      return true;
    case 0x1B33: {
      m.SpendBoth();
      const std::int32_t least = std::min(m.o.health, m.p.health);
      m.selfDamage += m.p.health - least;
      m.enemyDamage = m.o.health - least;
      return true;
    }
    default: return false;
  }
}

bool EarthAndWaterKeys(MoveContext& m, std::uint32_t key) {
  std::int32_t& water = m.P(kWater);
  switch (key) {
    case 0x2434: m.p.health = std::min(m.p.health + water / 4 + 1, m.p.maxHealth); m.SpendBoth(); return true;
    case 0x2614: m.enemyDamage = (m.P(kFire) + m.P(kAir)) / 4; m.SpendBoth(); return true;
    case 0x2735:
      m.SpendBoth();
      m.p.health = std::min(m.p.health + 15, m.p.maxHealth);
      water = std::min(water + 10, m.PMax(kWater));
      return true;
    case 0x282A: m.SpendBoth(); AllClamped(m, 3); return true;
    case 0x3418: m.enemyDamage = water / 3; m.SpendBoth(); water = 0; return true;
    case 0x350A: AllClamped(m, 10); m.p.health = std::max(m.p.health - 13, 0); return true;
    case 0x3827: m.selfDamage += m.o.health / 4; m.enemyDamage = m.p.health / 4; m.SpendBoth(); return true;
    case 0x3937: FrostNova(m); return true;
    default: return false;
  }
}

bool CastKey(MoveContext& move, std::uint32_t key) {
  return AirAndFireKeys(move, key) || FireKeys(move, key) || EarthAndWaterKeys(move, key);
}

}  // namespace

void CastCombination(MoveContext& move, std::uint32_t key) {
  if (CastKey(move, key)) return;
  CastKey(move, ((key & 0xFF) << 8) | ((key >> 8) & 0xFF));
}
