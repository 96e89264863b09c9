// Where the gold of a duel's plain pairs goes: the tile battle names the
// record that took the pair and the amount, and the board battle whose
// fight the duel is says which board player's gold it raises. Main thread
// only.
#pragma once

#include <cstdint>

class YPlayer;
class YTessor;
class YTileset;

namespace duel_gold {

// The board player whose gold a pair taken by `taker` raises: the one of
// the side of the board's moving unit when that unit fights with `taker`'s
// record, else of the defender's side when the defender does; board player
// 0 when neither does or that unit's side is not 0 or 1. Null when that
// board player slot is empty.
YPlayer* Receiver(const YTessor& board, const YPlayer& taker);
// Adds `gold` to the receiver's gold; nothing when there is no receiver or
// it is not a hero (only heroes carry gold).
void Pay(const YTessor& board, const YPlayer& taker, std::int32_t gold);
// Makes the battle pay its plain pairs' gold through the board. Both must
// outlive the battle's next duel.
void Route(YTileset& battle, const YTessor& board);
// Route between the process's tile battle and its board; once, at start.
void InstallGoldRouting();

}  // namespace duel_gold
