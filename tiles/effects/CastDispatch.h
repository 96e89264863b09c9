// The show of a taken pair's spell: which effects start and which sounds
// play, chosen by the two tiles' kind ids. It applies nothing to the battle
// (the pair rules already did); its only change outside effects is that the
// tiles the spell took are marked removed and given their tile effect.
#pragma once

#include <cstdint>
#include <vector>

#include "tiles/DuelState.h"

class SoundEntry;

// What a show routine reads: the caster S and its opponent T, the battle
// state after the move, the health T's panel still shows, and the tiles the
// spell took (beyond the pair).
struct CastShow {
  int caster = 0;
  int target = 1;
  const DuelState* state = nullptr;
  std::int32_t targetShownHealth = 0;
  DuelBoard* board = nullptr;
  const std::vector<int>* taken = nullptr;
};
using ShowRoutine = void (*)(const CastShow&);

// The show of two kind ids: the same-kind table when they are equal, else
// the combination table, which answers both orders alike. Null when the
// tables have no row (plain and well pairs are handled before).
ShowRoutine FindShow(std::uint32_t idA, std::uint32_t idB);

// Where the show's sounds go: an entry (null plays nothing) at a volume
// (negative: full).
class CastSounds {
 public:
  virtual ~CastSounds() = default;
  virtual void Play(SoundEntry* entry, float volume) = 0;
};

// The whole show of the pair (a, b) of the battle's newest move, with the
// side to move as the caster: the reflex lightning when both sides lost
// health through a reflected hit, the sounds, then the routine of the
// pair's kinds. `taken` lists the further tiles the spell took; each is
// marked removed and its tile effect started.
void CastPairEffect(const DuelState& state, DuelBoard& board, int a, int b, const std::vector<int>& taken,
                    std::int32_t targetShownHealth, CastSounds& sounds);
