// The control panel's rearranging of a hero's spells (five active, the rest
// spare) and artifacts (one in use, the rest carried) by clicks on list
// slots. Every slot is checked against its list first: nothing is ever lost
// or duplicated.
#pragma once

#include <vector>

struct YArtifact;
struct YTileSpell;

namespace panel {

inline constexpr std::size_t kMaxActiveSpells = 5;

// What a move did: nothing, an exchange or reordering (the list lengths
// stay), or a move of one entry from one list to the other.
enum class MoveResult { kNone, kSwapped, kMoved };

using SpellList = std::vector<YTileSpell*>;
using ArtifactList = std::vector<const YArtifact*>;

// The spell a list slot shows (left column: active entry `slot`; grid: the
// spare entry the slot stands for at the scroll row); null for none.
YTileSpell* SpellAt(const SpellList& active, const SpellList& spare, int slot, int scrollRow);
// The artifact a list slot shows: slot 0 the one in use, grid slots the
// carried ones, slots 1-4 none.
const YArtifact* ArtifactAt(const YArtifact* current, const ArtifactList& carried, int slot, int scrollRow);

// The selected spell onto the hovered slot: swapped with the entry there,
// or, when the slot lies past the end of its list, taken out of its list and
// appended to that one. Never more than five active spells.
MoveResult MoveSpell(SpellList& active, SpellList& spare, int fromSlot, int toSlot, int scrollRow);
// A spare spell (grid slot) appended to the active ones while fewer than
// five are active; an active spell (column slot) appended to the spares.
bool SelectSpell(SpellList& active, SpellList& spare, int slot, int scrollRow);
bool UnselectSpell(SpellList& active, SpellList& spare, int slot);

// The selected artifact onto the hovered slot. Grid to grid: swapped, or
// moved to the end past the list's end. In use to grid: exchanged with the
// entry, or appended past the end (none left in use). Grid to slot 0:
// exchanged with the one in use, or put in use when there is none. Anything
// else changes nothing.
MoveResult MoveArtifact(const YArtifact*& current, ArtifactList& carried, int fromSlot, int toSlot, int scrollRow);
// A carried artifact (grid slot) put in use, the one in use going to the
// end of the list; the one in use put to the end of the list.
bool SelectArtifact(const YArtifact*& current, ArtifactList& carried, int slot, int scrollRow);
bool UnselectArtifact(const YArtifact*& current, ArtifactList& carried);

}  // namespace panel
