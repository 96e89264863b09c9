#include "tiles/MoveEffects.h"

#include <algorithm>
#include <array>

#include "players/YArtifact.h"
#include "players/YTileSpell.h"
#include "tiles/MoveContext.h"
#include "tiles/PairRules.h"

namespace {

// Experience of a plain pair per element of each tile: air, fire, earth, water.
constexpr std::array<std::int32_t, 4> kPlainExperience = {3, 4, 1, 2};
// Gold of a plain pair per element, for the taker's board player.
constexpr std::array<std::int32_t, 4> kPlainGold = {5, 2, 10, 7};
// Health a burning tile costs the one who takes it.
constexpr std::int32_t kBurnDamage = 5;

// Damage below 0 is none; the artifacts add their bonus and protection;
// no one loses more than they have, and less than 1 is nothing.
void SettleDamage(MoveContext& m) {
  std::int32_t& self = m.selfDamage;
  std::int32_t& enemy = m.enemyDamage;
  self = std::max(self, 0);
  enemy = std::max(enemy, 0);
  if (self > 0) {
    if (m.p.artifact != nullptr) self += m.p.artifact->damage2;
    if (m.o.artifact != nullptr) self += m.o.artifact->damage;
  }
  if (enemy > 0) {
    if (m.p.artifact != nullptr) enemy += m.p.artifact->damage;
    if (m.o.artifact != nullptr) enemy += m.o.artifact->damage2;
  }
  self = std::min(self, m.p.health);
  enemy = std::min(enemy, m.o.health);
  if (self < 1) self = 0;
  if (enemy < 1) enemy = 0;
}

// The shield or reflection the other side raised in its last move.
void ApplyDefence(MoveContext& m) {
  const std::uint32_t flags = m.state.flags;
  if ((flags & DuelFlag::kShield) != 0) {
    m.enemyDamage = 0;
  } else if ((flags & DuelFlag::kReflect) != 0) {
    m.selfDamage = std::min(m.selfDamage + m.enemyDamage, m.p.health);
  }
}

std::int32_t HealthLostSinceLastMove(const DuelState& state, const DuelSide& mover) {
  if (state.undo.size() < 2) return 0;
  return state.undo[state.undo.size() - 2].sides[static_cast<std::size_t>(state.sideToMove & 1)].health - mover.health;
}

void PlainPair(MoveContext& m) {
  m.p.experience += kPlainExperience[static_cast<std::size_t>(m.ea())] + kPlainExperience[static_cast<std::size_t>(m.eb())];
  m.P(m.ea()) = Clamped(m.P(m.ea()) + 1, m.PMax(m.ea()));
  m.P(m.eb()) = Clamped(m.P(m.eb()) + 1, m.PMax(m.eb()));
}

void WellPair(MoveContext& m) {
  m.P(m.ea()) = m.PMax(m.ea());
  m.P(m.eb()) = m.PMax(m.eb());
}

// The pair's own effect (step 6 to 8); false when two different kinds
// have no spell of the mover.
bool CastPair(MoveContext& m) {
  if (m.ka.Class() == DuelKind::kPlainClass) {
    PlainPair(m);
    return true;
  }
  if (m.ka.Class() == DuelKind::kWellClass) {
    WellPair(m);
    return true;
  }
  if (m.ka.id == m.kb.id) {
    CastSameKind(m);
    return true;
  }
  const YTileSpell* spell = FindTileLink(m.p, m.ka.id, m.kb.id);
  if (spell == nullptr) return false;
  CastCombination(m, spell->key);
  return true;
}

}  // namespace

int MoveContext::TakeTiles(bool earthOnly, bool burn) {
  std::vector<int> taken;
  if (earthOnly)
    CollectFreeEarthTiles(state, taken);
  else
    CollectFreeTiles(state, taken);
  for (int tile : taken) {
    state.TakeTile(tile);
    if (burn && IsBurning(state, tile)) selfDamage += kBurnDamage;
  }
  return static_cast<int>(taken.size());
}

bool SimulateMoveEffects(DuelState& state, int a, int b) {
  MoveContext m(state, a, b);
  if (m.p.health < 1) {
    state.flags = 0;
    return false;
  }
  bool cast = true;
  if (m.P(m.ea()) < m.ka.cost || m.P(m.eb()) < m.kb.cost) {
    m.P(m.ea()) = Clamped(m.P(m.ea()) + 1, m.PMax(m.ea()));
    cast = false;
  }
  m.lost = HealthLostSinceLastMove(state, m.p);
  if (IsBurning(state, a)) m.selfDamage += kBurnDamage;
  if (IsBurning(state, b)) m.selfDamage += kBurnDamage;
  if (cast && !CastPair(m)) return false;
  SettleDamage(m);
  ApplyDefence(m);
  m.p.health -= m.selfDamage;
  m.o.health -= m.enemyDamage;
  state.flags = m.newFlags;
  return cast;
}

void ApplyTurnUpkeep(DuelState& state) {
  DuelSide& p = state.Mover();
  DuelSide& o = state.Opponent();
  if (p.health < 1) return;
  if (const YArtifact* artifact = p.artifact) {
    p.health = Clamped(p.health + artifact->health, p.maxHealth);
    if (p.health < 1) p.health = 0;
    for (std::size_t e = 0; e < 4; ++e) {
      p.mana[e] = Clamped(p.mana[e] + artifact->elements[e], p.maxMana[e]);
      o.mana[e] = Clamped(o.mana[e] + artifact->elements2[e], o.maxMana[e]);
    }
  }
  const YArtifact* skipper = o.artifact;
  if (skipper != nullptr && skipper->skip >= 1 && state.random.Below(skipper->skip) == 0)
    state.flags = DuelFlag::kExtraTurn;
}

int PlainPairGold(int element) { return kPlainGold[static_cast<std::size_t>(element & 3)]; }
