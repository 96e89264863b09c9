// The whole position of a duel as the rules see it: the board, the kind
// table, both fighters' values, the flag word, the side to move, the
// shuffle seed with the battle's own random generator, and the undo history.
// A plain value with no process-wide state: the battle keeps one, the
// computer's search works on a copy (SearchCopy) and two machines of a
// network game compare theirs through Hash.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tiles/DuelBoard.h"
#include "tiles/DuelKind.h"
#include "tiles/DuelRandom.h"
#include "tiles/DuelSide.h"

// The state-flag word.
namespace DuelFlag {
inline constexpr std::uint32_t kReflect = 0x01;   // the side that just moved reflects the next hit
inline constexpr std::uint32_t kShield = 0x02;    // the side that just moved is shielded from the next hit
inline constexpr std::uint32_t kBurning = 0x04;   // fire tiles burn
inline constexpr std::uint32_t kFrozen = 0x08;    // earth and water tiles are frozen
inline constexpr std::uint32_t kMoving = 0x10;    // a move was made; waiting for its effects
inline constexpr std::uint32_t kExtraTurn = 0x20; // the next side's turn is skipped
inline constexpr std::uint32_t kShuffle = 0x40;   // a shuffle is due
inline constexpr std::uint32_t kPass = 0x80;      // a pass is due
inline constexpr std::uint32_t kCast = 0x100;     // the pair's show is due once the effects end
inline constexpr std::uint32_t kOver = 0x200;     // the battle is over (the whole word)
}  // namespace DuelFlag

// One move of the history: both sides' values, the flag word, the side to
// move, the shuffle seed and the generator as they were before the move, and
// the tiles the move took (the pair first, then those its spell took).
struct YTileUndoRecord {
  std::array<YPlayerUndo, 2> sides{};
  std::uint32_t flags = 0;
  std::int32_t sideToMove = 0;
  std::int32_t shuffleSeed = 0;
  std::uint32_t random = 0;
  std::uint32_t firstTile = 0;  // where its tiles start in the state's undo tile list
  std::uint32_t tileCount = 0;
};

// A pair that the side to move may take, with its rank (lower first).
struct DuelPair {
  std::int32_t a = -1, b = -1;
  std::int32_t priority = 0;
};

struct DuelState {
  DuelBoard board;
  std::vector<DuelKind> kinds;
  std::array<DuelSide, 2> sides;
  std::vector<YTileUndoRecord> undo;
  std::vector<std::int16_t> undoTiles;  // the tiles of every record, record after record
  std::uint32_t flags = 0;
  std::int32_t sideToMove = 0;
  std::int32_t shuffleSeed = 0;
  DuelRandom random;

  // The kind of a tile; a kind index outside the table reads as an empty
  // kind (id 0), so a short table never reads past its end.
  const DuelKind& KindOf(int tile) const;
  YTile& Tile(int tile) { return board.tiles[static_cast<std::size_t>(tile)]; }
  const YTile& Tile(int tile) const { return board.tiles[static_cast<std::size_t>(tile)]; }
  DuelSide& Mover() { return sides[static_cast<std::size_t>(sideToMove & 1)]; }
  DuelSide& Opponent() { return sides[static_cast<std::size_t>((sideToMove + 1) & 1)]; }
  const DuelSide& Mover() const { return sides[static_cast<std::size_t>(sideToMove & 1)]; }

  // Appends a record of the position before a move of tiles a and b.
  void PushUndo(int a, int b);
  // Takes a further tile for the last record: it is listed there, set
  // aside and its neighbours are freed.
  void TakeTile(int tile);
  // Undoes the last move: values, flags, side, seed and generator come
  // back, its tiles go back on the board last taken first. False when the
  // history is empty or a shuffle came after the last move.
  bool Undo();
  // The tiles of a record, the pair first.
  const std::int16_t* RecordTiles(const YTileUndoRecord& record) const {
    return undoTiles.data() + record.firstTile;
  }

  // Plays a pair: records it, takes both tiles off the board as `removed`
  // (the battle removes, the search sets aside), frees their neighbours and
  // applies the pair's effects. Returns whether the pair cast something.
  bool PlayPair(int a, int b, std::uint8_t removed);

  // A copy for the computer's search: everything but the history, of which
  // only the last two records (all a move's effects read) are kept.
  DuelState SearchCopy() const;
  // A hash of everything the rules read: the same position gives the same
  // value on every machine.
  std::uint64_t Hash() const;
};
