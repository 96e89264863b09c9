// A piece on the board: a player record joined to a cell, a side, a drawing
// position and, for a few monsters, a special ability. Plain monsters use
// this class; heroes and bosses derive from it only to be drawn differently.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "board/YMonsterSpecial.h"
#include "framework/YVector3.h"

class YPlayer;
class YTessorBoard;
class RandomSource;
class YMeshInstanceRef;
class YShader;

// The unit classes, for the drawing and for copies of a board.
enum class UnitClass { kPlain, kBoss, kHero };

class YTessorUnit {
 public:
  // A unit of `record` (not owned) on `side`, on no cell yet.
  YTessorUnit(YPlayer* record, int side);
  // A unit that owns its record (monsters the board made itself, copies).
  YTessorUnit(std::unique_ptr<YPlayer> record, int side);
  virtual ~YTessorUnit();
  YTessorUnit(const YTessorUnit&) = delete;
  YTessorUnit& operator=(const YTessorUnit&) = delete;

  virtual UnitClass Class() const { return UnitClass::kPlain; }

  // Asks for the special of the record's monster id (none for heroes and
  // monsters without one) and keeps it; counters draw from `random`.
  void CreateSpecial(YTessorBoard& board, RandomSource& random);
  // The special's bonus to the maximum health; 0 without a special.
  std::int32_t SpecialHealthBonus(const YTessorBoard& board) const;
  // The monster id of the record; empty for heroes and plain records.
  std::string MonsterId() const;
  // True when the unit owns its record (deleting the unit deletes it).
  bool OwnsRecord() const { return ownedRecord_ != nullptr; }

  // The mesh reference that draws every unit of this class on `side` (0 or
  // 1): one mesh per class, loaded on the first call and kept for the
  // process, with the side's body and face shaders. Main thread only.
  YMeshInstanceRef* BuildMeshes(int side) const;
  // The shaders of a side's blur copies: body, face. Main thread only.
  static std::span<YShader* const> BlurShaders(int side);

  YPlayer* record = nullptr;
  std::int32_t x = -1;  // -1 while on no cell
  std::int32_t y = -1;
  std::int32_t side = 0;
  YVector3 position;  // board-centred drawing position, set when placed
  std::unique_ptr<YMonsterSpecial> special;

 private:
  std::unique_ptr<YPlayer> ownedRecord_;
};

// Makes a unit of the class given (copies of a board keep their originals').
std::unique_ptr<YTessorUnit> MakeUnit(UnitClass unitClass, YPlayer* record, int side);
std::unique_ptr<YTessorUnit> MakeUnit(UnitClass unitClass, std::unique_ptr<YPlayer> record, int side);
