// A monster's special board ability, owned by its unit: it offers special
// moves to whoever plays the unit, performs such a move on a board, counts
// its recharge down once per turn, and may add to the unit's maximum health
// or forbid it to move. Specials work on any board (the real one and a
// computer's private copy alike) and draw only from that board's generator.
// The recharge counter is the owner record's special counter.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "board/YTessorMove.h"

class RandomSource;
class YTessorBoard;
class YTessorUnit;

enum class SpecialKind { kSandKing, kSandLarva, kHydraBody, kHydraHead };

class YMonsterSpecial {
 public:
  explicit YMonsterSpecial(YTessorUnit* owner) : owner_(owner) {}
  virtual ~YMonsterSpecial() = default;
  YMonsterSpecial(const YMonsterSpecial&) = delete;
  YMonsterSpecial& operator=(const YMonsterSpecial&) = delete;

  virtual SpecialKind Kind() const = 0;
  // Appends the owner's special moves (kind 2) on `board`.
  virtual void GenerateMoves(const YTessorBoard& board, std::vector<YTessorMove>& moves) const = 0;
  // Performs a special move the owner offered; the board has pushed the
  // move's undo record already, and the move leaves a unit on (x, y).
  virtual void Apply(YTessorBoard& board, int x, int y) = 0;
  // Once per turn: counts the recharge down.
  virtual void PerTurn() = 0;
  // Added to the owner's maximum health by the cell effects.
  virtual std::int32_t HealthBonus(const YTessorBoard& board) const;
  // False forbids the owner's ordinary moves.
  virtual bool CanMove(const YTessorBoard& board) const;
  // The same special for a copied unit of a copied board; the record's
  // counter travels with the copied record. Null for a special that is not
  // copied.
  virtual std::unique_ptr<YMonsterSpecial> CloneFor(YTessorUnit* newOwner) const = 0;

  YTessorUnit* Owner() const { return owner_; }

 protected:
  // Counts the owner record's counter down while it is above 0.
  void CountDown() const;
  // True when the owner record's counter is below 1.
  bool Charged() const;
  void SetCounter(std::int32_t value) const;

 private:
  YTessorUnit* owner_;
};

// The special of the unit's monster id, or null when the id has none. Its
// counter is drawn from `random`; a hydra head's record joins `board`'s head
// registry.
std::unique_ptr<YMonsterSpecial> CreateMonsterSpecial(YTessorBoard& board, YTessorUnit& unit,
                                                      RandomSource& random);
