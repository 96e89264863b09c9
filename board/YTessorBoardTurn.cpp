// The board's per-turn rules: element effects on the units' maxima and
// values, regeneration, the turn's advance, and moves made without a duel.
#include <cmath>

#include "board/BoardValues.h"
#include "board/YTessorBoard.h"
#include "players/PlayerRules.h"
#include "players/YPlayer.h"

namespace {

constexpr float kTurnStep = 0.083333336f;  // one twelfth of the clock
constexpr double kPowerPointFactor = 1.1;

// trunc(value x factor), computed in float as the rules always were.
std::int32_t Scaled(std::int32_t value, float factor) {
  return TruncatedInt32(static_cast<float>(value) * factor);
}

std::int32_t AddHeld(std::int32_t value, std::int32_t gain, std::int32_t cap) {
  return std::min(cap, SaturatedInt32(static_cast<std::int64_t>(value) + gain));
}

// Maximum health from the row, the special's bonus and a power point.
std::int32_t MaxHealthOn(const YTessorBoard& board, const YTessorUnit& unit, const ElementRow& row,
                         const YTessorCell& cell) {
  std::int32_t max =
      SaturatedInt32(static_cast<std::int64_t>(Scaled(unit.record->baseHealth, row.HealthFactor())) +
                     unit.SpecialHealthBonus(board));
  if (cell.IsPowerPoint()) max = TruncatedInt32(max * kPowerPointFactor);
  return max;
}

void QuarterValues(YPlayer& record) {
  record.health /= 4;
  for (std::int32_t& value : record.mana) value /= 4;
}

}  // namespace

ElementRow YTessorBoard::RowOfCell(int x, int y) const {
  const std::uint32_t kind = Cell(x, y).Kind();
  if (kind <= cell_kind::kWater) return kElementTable[kind];
  return ElementRowAtClock(clock);
}

void YTessorBoard::ApplyCellEffects(YTessorUnit* unit, int x, int y) {
  if (unit == nullptr || unit->record == nullptr || !IsOnBoard(x, y)) return;
  SetMaxima(*unit, x, y, ElementRowAtClock(clock));
  YPlayer& record = *unit->record;
  record.health = std::min(record.health, record.maxValues[5]);
  for (std::size_t i = 0; i < 4; ++i) record.mana[i] = std::min(record.mana[i], record.maxValues[1 + i]);
}

void YTessorBoard::RefreshCellEffects() {
  for (const std::vector<YTessorUnit*>& list : units_) {
    for (YTessorUnit* unit : list) ApplyCellEffects(unit, unit->x, unit->y);
  }
}

const ElementRow& YTessorBoard::RowOn(const YTessorCell& cell, const ElementRow& clockRow) {
  return cell.Kind() <= cell_kind::kWater ? kElementTable[cell.Kind()] : clockRow;
}

void YTessorBoard::SetMaxima(YTessorUnit& unit, int x, int y, const ElementRow& clockRow) const {
  YPlayer& record = *unit.record;
  const YTessorCell& cell = Cell(x, y);
  const ElementRow& row = RowOn(cell, clockRow);
  record.maxValues[5] = MaxHealthOn(*this, unit, row, cell);
  for (int e = 0; e < 4; ++e) {
    const auto i = static_cast<std::size_t>(e);
    record.maxValues[1 + i] = Scaled(record.baseMana[i], row.ElementFactor(e));
  }
}

void YTessorBoard::RegenerateUnit(YTessorUnit* unit, float factor, const ElementRow& clockRow) {
  SetMaxima(*unit, unit->x, unit->y, clockRow);
  if (unit->side == sideToMove) Refill(*unit, factor, clockRow);
  if (unit->special) unit->special->PerTurn();
}

// Health and element values of a unit of the side to move grow by the
// rates of its cell, up to its maxima; a power point fills its health.
void YTessorBoard::Refill(YTessorUnit& unit, float factor, const ElementRow& clockRow) {
  YPlayer& record = *unit.record;
  const YTessorCell& cell = Cell(unit.x, unit.y);
  const ElementRow& row = RowOn(cell, clockRow);
  if (cell.IsPowerPoint()) {
    record.health = record.maxValues[5];
  } else {
    const float gain = static_cast<float>(record.baseHealth) * row.HealthRate() * factor;
    record.health = AddHeld(record.health, TruncatedInt32(gain), record.maxValues[5]);
  }
  for (int e = 0; e < 4; ++e) {
    const auto i = static_cast<std::size_t>(e);
    const float gain = static_cast<float>(record.baseMana[i]) * factor * row.ElementRate(e);
    record.mana[i] = AddHeld(record.mana[i], TruncatedInt32(gain), record.maxValues[1 + i]);
  }
}

void YTessorBoard::Regenerate(float factor) {
  const ElementRow clockRow = ElementRowAtClock(clock);
  for (const std::vector<YTessorUnit*>& list : units_) {
    for (YTessorUnit* unit : list) {
      if (unit->record != nullptr && IsOnBoard(unit->x, unit->y)) RegenerateUnit(unit, factor, clockRow);
    }
  }
}

float YTessorBoard::NextClock() const {
  const float next = clock + kTurnStep;
  return next >= 0.999f ? 0.0f : next;
}

void YTessorBoard::AdvanceTurn() {
  sideToMove = (sideToMove + 1) % 2;
  clock = NextClock();
  Regenerate(1.0f);
}

void YTessorBoard::ApplyMove(const YTessorMove& move, const FightRule& rule) {
  YTessorUnit* unit = move.unit;
  PushUndo(unit);
  if (move.kind == move_kind::kSpecial) {
    if (unit->special) unit->special->Apply(*this, move.x, move.y);
  } else if (Cell(move.x, move.y).occupant == nullptr) {
    PlaceUnit(unit, move.x, move.y);
  } else {
    SimulateFight(unit, move.x, move.y, rule);
  }
  AdvanceTurn();
}

void YTessorBoard::SimulateFight(YTessorUnit* attacker, int x, int y, const FightRule& rule) {
  YTessorUnit* defender = Cell(x, y).occupant;
  if (attacker == nullptr || defender == nullptr || defender == attacker) return;
  ApplyCellEffects(attacker, x, y);
  std::int32_t a = PlayerStrengthSum(*attacker->record);
  std::int32_t d = PlayerStrengthSum(*defender->record);
  if (attacker->side == rule.ownSide) {
    a = TruncatedInt32(static_cast<float>(a) * rule.aggression);
  } else {
    d = TruncatedInt32(static_cast<float>(d) * rule.aggression);
  }
  if (a < d) {
    SetRemovedUnit(attacker);
    RemoveFromList(attacker);
    LiftUnit(attacker);
    QuarterValues(*defender->record);
    return;
  }
  SetRemovedUnit(defender);
  RemoveFromList(defender);
  PlaceUnit(attacker, x, y);
  QuarterValues(*attacker->record);
}

std::int32_t YTessorBoard::Evaluate(int side) const {
  return SaturatedInt32(ValueSum(side));
}

std::int64_t YTessorBoard::ValueSum(int side) const {
  std::int64_t sum = 0;
  for (const YTessorUnit* unit : Units(side)) {
    if (unit->record != nullptr) sum += UnitValueSum(*unit->record);
  }
  return sum;
}
