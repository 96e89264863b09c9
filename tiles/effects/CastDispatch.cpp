#include "tiles/effects/CastDispatch.h"

#include "players/TileTables.h"
#include "players/YTileKind.h"
#include "players/YTileSpell.h"
#include "sound/SoundEntry.h"
#include "tiles/PairRules.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/SpellShows.h"
#include "tiles/effects/YSEffectArmageddon.h"
#include "tiles/effects/YSEffectComet.h"
#include "tiles/effects/YSEffectDarkCloud.h"
#include "tiles/effects/YSEffectFire.h"
#include "tiles/effects/YSEffectFlames.h"
#include "tiles/effects/YSEffectWind.h"

namespace {

constexpr float kFireSeconds = 0.5f;
constexpr float kSpellVolumeWithOwn = 0.6f;
constexpr float kFullVolume = -1.0f;

struct ShowRow {
  std::uint32_t a, b;  // kind ids; the same-kind table has a == b
  ShowRoutine show;
};

// Marks every tile the spell took removed and starts its effect.
template <typename Start>
void OnTakenTiles(const CastShow& c, Start start) {
  for (int tile : *c.taken) {
    YTile& t = c.board->tiles[static_cast<std::size_t>(tile)];
    t.state = YTile::kRemoved;
    start(t);
  }
}

void WindOnTaken(const CastShow& c) {
  OnTakenTiles(c, [&](YTile& t) { StartEffect<YSEffectWind>(t, effect_points::SideWind(c.caster)); });
}

void FireOnTaken(const CastShow& c) {
  OnTakenTiles(c, [](YTile& t) { StartEffect<YSEffectFire>(t, kFireSeconds); });
}

const ShowRow kSameKind[] = {
    {0x03, 0x03, [](const CastShow& c) { SpawnLightningSparks(c.target); }},
    {0x04, 0x04, [](const CastShow& c) { SpawnCollectAndBlast(c.caster); }},
    {0x05, 0x05, [](const CastShow& c) { StartEffect<YSEffectEnergyBlast>(c.target); }},
    {0x07, 0x07,
     [](const CastShow& c) {
       for (int r = 0; r < 4; ++r) SpawnSparks(c.target, r, 10);
     }},
    {0x08, 0x08, WindOnTaken},
    {0x09, 0x09,
     [](const CastShow&) {
       SpawnSparks(0, 0, 20);
       SpawnSparks(1, 0, 20);
     }},
    {0x0A, 0x0A, [](const CastShow& c) { SpawnCollectResourceA(c.caster, 0, 20); }},
    {0x13, 0x13, FireOnTaken},
    {0x14, 0x14, [](const CastShow& c) { StartEffect<YSEffectFireBolt>(c.target); }},
    {0x15, 0x15, [](const CastShow& c) { SpawnSkullBlast(c.target); }},
    {0x16, 0x16, [](const CastShow& c) { StartEffect<YSEffectArmageddon>(c.target); }},
    {0x18, 0x18, [](const CastShow& c) { StartEffect<YSEffectCurse>(c.target); }},
    {0x19, 0x19,
     [](const CastShow& c) {
       const std::int32_t health = c.state->sides[static_cast<std::size_t>(c.target)].health;
       if (health < c.targetShownHealth) SpawnBlastSpark(c.target);
     }},
    {0x1A, 0x1A,
     [](const CastShow& c) {
       SpawnCollectResourceA(c.caster, 1, 15);
       SpawnSparks(c.caster, 3, 10);
     }},
    {0x1B, 0x1B,
     [](const CastShow& c) {
       StartEffect<YSEffectFlameMana>(c.target, 2);
       StartEffect<YSEffectFlameMana>(c.target, 3);
     }},
    {0x23, 0x23, [](const CastShow& c) { SpawnCollectResourceB(c.caster, 15); }},
    {0x24, 0x24, [](const CastShow& c) { SpawnCollectResourceB(c.caster, 15); }},
    {0x25, 0x25,
     [](const CastShow& c) {
       for (int r : {0, 1, 3}) SpawnCollectResourceA(c.caster, r, 7);
     }},
    {0x26, 0x26, [](const CastShow& c) { SpawnMeteorRain(c.target); }},
    {0x27, 0x27,
     [](const CastShow&) {
       SpawnCollectResourceB(0, 15);
       SpawnCollectResourceB(1, 15);
     }},
    {0x28, 0x28,
     [](const CastShow& c) {
       SpawnCollectResourceA(c.caster, 2, 15);
       SpawnCollectResourceB(c.target, 10);
     }},
    {0x2A, 0x2A, [](const CastShow& c) { SpawnCollectResourceA(c.caster, 2, 15); }},
    {0x33, 0x33, [](const CastShow&) { SpawnBlast(); }},
    {0x34, 0x34, [](const CastShow& c) { SpawnCollectResourceB(c.caster, 15); }},
    {0x35, 0x35,
     [](const CastShow& c) {
       SpawnCollectResourceA(c.caster, 3, 15);
       SpawnSparks(c.caster, 4, 3);
     }},
    {0x36, 0x36, [](const CastShow& c) { StartEffect<YSEffectIceBolt>(c.target); }},
    {0x38, 0x38, [](const CastShow&) { SpawnSkullBlast2(); }},
    {0x39, 0x39, [](const CastShow& c) { SpawnStorm(c.target); }},
    {0x3B, 0x3B, [](const CastShow& c) { SpawnBlastSpark2(c.target); }},
};

// The side whose health the move of the pair (1B, 33) lowered: 0 first.
void SkullOnTheHurt(const CastShow& c) {
  const DuelState& s = *c.state;
  if (s.undo.empty()) return;
  const YTileUndoRecord& before = s.undo.back();
  if (s.sides[0].health < before.sides[0].health)
    SpawnSkullBlast3(0);
  else if (s.sides[1].health < before.sides[1].health)
    SpawnSkullBlast3(1);
}

const ShowRow kCombinations[] = {
    {0x04, 0x23, [](const CastShow& c) { SpawnCollectAndBlast2(c.caster); }},
    {0x18, 0x34, [](const CastShow& c) { StartEffect<YSEffectPoison>(c.target); }},
    {0x03, 0x15, [](const CastShow& c) { SpawnLightningSkull(c.target); }},
    {0x14, 0x26, [](const CastShow& c) { SpawnSparkRain(c.target); }},
    {0x14, 0x36, [](const CastShow& c) { StartEffect<YSEffectDoomBolt>(c.target); }},
    {0x15, 0x1A, [](const CastShow& c) { StartEffect<YSEffectHellfire>(c.target); }},
    {0x16, 0x3B, [](const CastShow& c) { StartEffect<YSEffectArmageddon>(c.target); }},
    {0x03, 0x1B, [](const CastShow& c) { SpawnLightningSparks3(c.target); }},
    {0x1B, 0x33, SkullOnTheHurt},
    {0x19, 0x29, [](const CastShow& c) { SpawnSparks2(c.target); }},
    {0x05, 0x1A, [](const CastShow& c) { StartEffect<YSEffectAnnihilation>(c.target); }},
    {0x13, 0x26,
     [](const CastShow& c) {
       FireOnTaken(c);
       SpawnMeteorRain(c.target);
     }},
    {0x06, 0x3A, [](const CastShow&) { SpawnCollectResourceD(); }},
    {0x05, 0x09, [](const CastShow& c) { StartEffect<YSEffectPsionicBlast>(c.target); }},
    {0x09, 0x33, [](const CastShow& c) { StartEffect<YSEffectFlameMana>(c.target, 3); }},
    {0x0A, 0x35,
     [](const CastShow& c) {
       for (int r = 0; r < 4; ++r) SpawnCollectResourceA(c.caster, r, 10);
       SpawnSparks(c.caster, 4, 13);
     }},
    {0x07, 0x25, [](const CastShow& c) { SpawnCollectResourceC(c.caster); }},
    {0x07, 0x3A,
     [](const CastShow&) {
       for (int s = 0; s < 2; ++s)
         for (int r = 0; r < 4; ++r) SpawnSparks(s, r, 20);
     }},
    {0x28, 0x2A,
     [](const CastShow& c) {
       for (int r = 0; r < 4; ++r) SpawnCollectResourceA(c.caster, r, 3);
     }},
    {0x27, 0x38, [](const CastShow&) { SpawnSkullBlast4(); }},
    {0x24, 0x34, [](const CastShow& c) { SpawnCollectResourceB(c.caster, 20); }},
    {0x27, 0x35,
     [](const CastShow& c) {
       SpawnCollectResourceB(c.caster, 15);
       SpawnCollectResourceA(c.caster, 3, 10);
     }},
    {0x37, 0x39, [](const CastShow& c) { SpawnSnowStorm(c.target); }},
};

template <std::size_t N>
ShowRoutine Lookup(const ShowRow (&rows)[N], std::uint32_t a, std::uint32_t b) {
  for (const ShowRow& row : rows) {
    if ((row.a == a && row.b == b) || (row.a == b && row.b == a)) return row.show;
  }
  return nullptr;
}

// Both sides lost health in a move that reflected a hit.
bool Reflected(const DuelState& state) {
  if (state.undo.empty()) return false;
  const YTileUndoRecord& before = state.undo.back();
  return (before.flags & DuelFlag::kReflect) != 0 && state.sides[0].health < before.sides[0].health &&
         state.sides[1].health < before.sides[1].health;
}

// The show's own sound: the caster's spell of the pair, else tile A's kind.
SoundEntry* OwnSound(const DuelState& state, int a, int b) {
  if (const YTileSpell* spell = FindTileLink(state.Mover(), state.KindOf(a).id, state.KindOf(b).id))
    return spell->sound;
  const std::int32_t kind = state.Tile(a).kind;
  const std::vector<YTileKind>& kinds = GetTileTables().Kinds();
  if (kind < 0 || static_cast<std::size_t>(kind) >= kinds.size()) return nullptr;
  return kinds[static_cast<std::size_t>(kind)].sound;
}

}  // namespace

ShowRoutine FindShow(std::uint32_t idA, std::uint32_t idB) {
  return idA == idB ? Lookup(kSameKind, idA, idB) : Lookup(kCombinations, idA, idB);
}

void CastPairEffect(const DuelState& state, DuelBoard& board, int a, int b, const std::vector<int>& taken,
                    std::int32_t targetShownHealth, CastSounds& sounds) {
  static SoundEntry* const spellSound = FindSound("s_spell");
  static SoundEntry* const reflexSound = FindSound("s_reflex");
  const CastShow show{
      state.sideToMove & 1, (state.sideToMove + 1) & 1, &state, targetShownHealth, &board, &taken};
  if (Reflected(state)) {
    SpawnLightningSparks2(show.caster);
    sounds.Play(reflexSound, kFullVolume);
  }
  SoundEntry* own = OwnSound(state, a, b);
  sounds.Play(spellSound, own != nullptr ? kSpellVolumeWithOwn : kFullVolume);
  if (own != nullptr) sounds.Play(own, kFullVolume);
  const DuelKind& ka = state.KindOf(a);
  const DuelKind& kb = state.KindOf(b);
  if (ka.Class() == DuelKind::kPlainClass) return;
  if (ka.Class() == DuelKind::kWellClass) {
    SpawnCollectResourceA(show.caster, ka.Element(), 25);
    if (kb.Element() != ka.Element()) SpawnCollectResourceA(show.caster, kb.Element(), 25);
    return;
  }
  if (ShowRoutine routine = FindShow(ka.id, kb.id)) routine(show);
}
