// The board battle's rules core: 81 cells, the units of both sides, the
// movement search, the turn clock, the element effects, the undo stack, the
// specials' random generator and the hydra head registry. It neither draws
// nor plays sounds and holds no process-wide state: copies are independent
// positions (a test's, or the computer's private one on its worker thread),
// and apply / undo of a move restore a position exactly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "board/BoardRandom.h"
#include "board/ElementTable.h"
#include "board/YTessorCell.h"
#include "board/YTessorMove.h"
#include "board/YTessorReachCell.h"
#include "board/YTessorUndoRecord.h"
#include "board/YTessorUnit.h"

class YPlayer;

// How a fight is decided without a duel: the strengths of the two records,
// the unit of `ownSide` counting `aggression` times its strength.
struct FightRule {
  int ownSide = 0;
  float aggression = 1.0f;
};

class YTessorBoard {
 public:
  YTessorBoard();
  ~YTessorBoard();
  // A deep copy: new units (of the same classes) with private plain records
  // holding the same values, cloned specials, the head registry rebuilt on
  // the copied records, the undo stack and every value of the position. The
  // copy shares nothing with the original but catalogue data.
  YTessorBoard(const YTessorBoard& other);
  YTessorBoard& operator=(const YTessorBoard& other);
  YTessorBoard(YTessorBoard&&) noexcept;
  YTessorBoard& operator=(YTessorBoard&&) noexcept;

  // --- cells and units -------------------------------------------------
  const YTessorCell& Cell(int x, int y) const { return cells_[static_cast<std::size_t>(CellIndex(x, y))]; }
  void SetCellType(int x, int y, std::uint32_t type);
  const std::vector<YTessorUnit*>& Units(int side) const {
    return units_[static_cast<std::size_t>(side & 1)];
  }
  // Takes the unit and appends it to its side's list; it stands on no cell.
  YTessorUnit* AddUnit(std::unique_ptr<YTessorUnit> unit);
  // Takes the unit out of its side's list (the last unit takes its place);
  // the board keeps it for the undo stack. Its cell is not touched.
  void RemoveFromList(YTessorUnit* unit);
  // Moves the unit to (x, y): frees its old cell when it holds it, sets the
  // drawing position and becomes the cell's occupant, whatever stood there.
  // A cell off the board changes nothing.
  YTessorUnit* PlaceUnit(YTessorUnit* unit, int x, int y);
  // Frees the unit's cell when it holds the unit; the unit keeps its x, y
  // (a walking unit, a fight's loser).
  void LiftUnit(YTessorUnit* unit);
  // Deletes every unit of a side, freeing their cells; the records the
  // board made are deleted with them, the others only when asked.
  void ClearSide(int side, bool deleteRecords);
  // Moves every unit of side `from`, in list order, to the end of side
  // `to`'s list and mirrors it through the board's centre (x becomes 8 - x,
  // y becomes 8 - y). All of them leave their cells before any is placed
  // again, so no cell keeps a unit that left it; the cells they move to
  // should be free.
  void MoveSideMirrored(int from, int to);
  // The unit leaves its side's list for the end of the other side's; it
  // keeps its cell. Nothing when it is in no list.
  void ChangeSide(YTessorUnit* unit);
  // Deletes one unit: out of its list and off its cell, out of the head
  // registry; its record goes when the board made it or when asked.
  void DeleteUnit(YTessorUnit* unit, bool deleteRecord);
  // The unit's index in the board's ownership order, stable while no unit
  // before it is deleted; -1 when the board does not hold it.
  int UnitId(const YTessorUnit* unit) const;

  // --- movement search -------------------------------------------------
  const std::array<YTessorReachCell, kCellCount>& Reach() const { return reach_; }
  const YTessorReachCell& ReachAt(int x, int y) const {
    return reach_[static_cast<std::size_t>(CellIndex(x, y))];
  }
  void ClearReach();
  // Fills the reach records for the unit and, with a list, appends every
  // ordinary move (kinds 0 and 1) it has.
  void FindMoves(YTessorUnit* unit, std::vector<YTessorMove>* moves);
  // Every move of a side, unit by unit in list order: the special's moves
  // first, then the ordinary ones.
  void GenerateMoves(int side, std::vector<YTessorMove>& moves);
  // True when the unit, on the board and of the side to move, has this move:
  // for kinds 0 and 1 an ordinary move or attack onto (x, y), for kind 2 a
  // special move there. Leaves the reach records of the unit's search.
  bool IsLegalMove(YTessorUnit* unit, int x, int y, int kind);

  // --- elements, clock and turns ---------------------------------------
  // The row of a cell: its element's, or the clock's for mutex cells.
  ElementRow RowOfCell(int x, int y) const;
  // Sets the unit's maxima from the row of (x, y) and holds its values to them.
  void ApplyCellEffects(YTessorUnit* unit, int x, int y);
  // ApplyCellEffects for every placed unit on its own cell, side 0 first.
  void RefreshCellEffects();
  // The turn's maxima for every unit and regeneration of the side to move,
  // times `factor`; then every special's per-turn step.
  void Regenerate(float factor);
  // The next side moves: side toggles, the clock becomes NextClock(),
  // Regenerate(1).
  void AdvanceTurn();
  // The clock + 1/12, back to 0 at 0.999.
  float NextClock() const;
  // The maxima the turn's regeneration gives the unit's record on (x, y),
  // whose row is `clockRow` when the cell is a mutex cell.
  void SetMaxima(YTessorUnit& unit, int x, int y, const ElementRow& clockRow) const;

  // --- moves without a duel (the computer's search, tests) --------------
  // Pushes the undo record, performs the move (a special's, a step, or a
  // fight decided by `rule`) and advances the turn. The move must be one
  // GenerateMoves gave for this position.
  void ApplyMove(const YTessorMove& move, const FightRule& rule);
  // Decides the fight of `attacker` onto the enemy on (x, y) by strength,
  // writing the loser into the last undo record; the survivor's health and
  // element values are quartered.
  void SimulateFight(YTessorUnit* attacker, int x, int y, const FightRule& rule);
  // The sum of the side's unit values.
  std::int32_t Evaluate(int side) const;
  // The same sum before it is held to 32 bits.
  std::int64_t ValueSum(int side) const;

  // --- undo ---------------------------------------------------------------
  // Records the position before `unit` moves.
  void PushUndo(YTessorUnit* unit);
  // Takes the last move back exactly; false (and no change) when there is none.
  bool PopUndo();
  // Empties the stack, deleting the units it held and their records.
  void ClearUndo();
  // The same, deleting only the records of removed units of `side` (records
  // the board made itself always go).
  void ClearUndoOfSide(int side);
  std::size_t UndoDepth() const { return undoDepth_; }
  YTessorUndoRecord* LastUndo() { return undoDepth_ > 0 ? &undo_[undoDepth_ - 1] : nullptr; }
  // Writes into the last undo record; nothing without one.
  void SetCreatedUnit(YTessorUnit* unit);
  void SetRemovedUnit(YTessorUnit* unit);  // first free of the two removed slots

  // --- state shared by the rules ------------------------------------------
  BoardRandom& Random() { return random_; }
  const BoardRandom& Random() const { return random_; }
  // The hydra head registry: the records of the heads this board holds.
  void RegisterHead(YPlayer* record);
  const std::vector<YPlayer*>& Heads() const { return heads_; }

  // Deletes every unit and undo record and clears the reach; cells, clock
  // and side stay. Records the board did not make are deleted when asked.
  void Clear(bool deleteRecords);

  // A hash of the whole position: cells, lists in order, every unit's
  // values, specials, clock, side, view flip, random state, head registry
  // and undo stack. Scratch data (reach records) is left out.
  std::uint64_t StateHash() const;

  float clock = 0;  // 0 <= clock < 1; a quarter per element
  std::int32_t sideToMove = 0;
  bool viewFlip = false;  // units are given mirrored drawing positions

 private:
  void UnregisterHead(const YPlayer* record);
  void ClearUndoRecords(int keepRecordsOfOtherSide);
  bool BlocksStep(const YTessorUnit& mover, int x, int y) const;
  void SearchFrom(YTessorUnit* unit, std::vector<YTessorMove>* moves);
  void CopyFrom(const YTessorBoard& other);
  void RegenerateUnit(YTessorUnit* unit, float factor, const ElementRow& clockRow);
  void Refill(YTessorUnit& unit, float factor, const ElementRow& clockRow);
  // The row of a cell: its element's, or `clockRow` for a mutex cell.
  static const ElementRow& RowOn(const YTessorCell& cell, const ElementRow& clockRow);

  std::vector<YTessorUndoRecord> undo_;  // records beyond undoDepth_ keep their storage
  std::size_t undoDepth_ = 0;
  std::array<std::vector<YTessorUnit*>, 2> units_;
  std::array<YTessorCell, kCellCount> cells_{};
  std::array<YTessorReachCell, kCellCount> reach_{};
  // Every unit of the board: those in the lists and those held by the undo
  // stack, in the order they were made.
  std::vector<std::unique_ptr<YTessorUnit>> store_;
  std::vector<YPlayer*> heads_;
  BoardRandom random_;
  // The search's frontier lists and move list, reused between searches.
  std::vector<std::int32_t> frontier_;
  std::vector<std::int32_t> nextFrontier_;
  std::vector<YTessorMove> scratchMoves_;
};
