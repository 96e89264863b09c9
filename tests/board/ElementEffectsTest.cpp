// The element table and the clock's row, cell effects on maxima, power
// points, regeneration with its truncations, and the clock's twelve steps.
#include <gtest/gtest.h>

#include "board/ElementTable.h"
#include "board/YTessorBoard.h"
#include "tests/board/BoardFixture.h"

namespace {

using ElementEffectsTest = BoardTest;

TEST(ElementRowTest, TheClockBlendsNeighbouringRows) {
  for (int e = 0; e < 4; ++e) {
    const ElementRow pure = ElementRowAtClock(0.25f * static_cast<float>(e));
    EXPECT_EQ(pure.values, kElementTable[static_cast<std::size_t>(e)].values) << e;
  }
  const ElementRow half = ElementRowAtClock(0.125f);
  EXPECT_FLOAT_EQ(half.ElementFactor(0), 1.1f);
  EXPECT_FLOAT_EQ(half.ElementFactor(1), 1.1f);
  EXPECT_FLOAT_EQ(half.ElementFactor(2), 0.9f);
  EXPECT_FLOAT_EQ(half.ElementFactor(3), 0.9f);
  EXPECT_FLOAT_EQ(half.HealthRate(), 0.1f);
  // Past water the clock blends back into air.
  const ElementRow late = ElementRowAtClock(0.875f);
  EXPECT_FLOAT_EQ(late.ElementFactor(0), 1.1f);
  EXPECT_FLOAT_EQ(late.ElementFactor(3), 1.1f);
  EXPECT_FLOAT_EQ(late.HealthRate(), 0.1f);
}

TEST_F(ElementEffectsTest, CellEffectsSetMaximaFromBaseValuesAndHoldValuesToThem) {
  YTessorBoard board;
  board.SetCellType(2, 2, cell_kind::kAir);
  YTessorUnit* unit = AddUnit(board, 0, 2, 2, {.health = 100, .mana = {10, 10, 10, 10}});
  unit->record->mana = {3, 10, 10, 10};
  board.ApplyCellEffects(unit, 2, 2);
  EXPECT_EQ(unit->record->maxValues[1], 12);  // air raised by a fifth
  EXPECT_EQ(unit->record->maxValues[3], 8);   // earth lowered by a fifth
  EXPECT_EQ(unit->record->maxValues[2], 10);
  EXPECT_EQ(unit->record->mana[0], 3);
  EXPECT_EQ(unit->record->mana[2], 8);  // held to the new maximum
  EXPECT_EQ(unit->record->maxValues[5], 100);

  // Mutex cells follow the clock: at 0.125 air and fire are raised by a tenth.
  board.SetCellType(2, 2, cell_kind::kMutex);
  board.clock = 0.125f;
  board.ApplyCellEffects(unit, 2, 2);
  EXPECT_EQ(unit->record->maxValues[1], 11);
  EXPECT_EQ(unit->record->maxValues[2], 11);
  EXPECT_EQ(unit->record->maxValues[3], 9);
  EXPECT_EQ(unit->record->maxValues[4], 9);
}

TEST_F(ElementEffectsTest, PowerPointsRaiseMaximumHealthByATenthAndHealTheSideToMove) {
  YTessorBoard board;
  board.SetCellType(3, 3, cell_kind::kFire | cell_kind::kPowerPoint);
  YTessorUnit* mover = AddUnit(board, 0, 3, 3, {.health = 100});
  mover->record->health = 40;
  board.ApplyCellEffects(mover, 3, 3);
  EXPECT_EQ(mover->record->maxValues[5], 110);
  EXPECT_EQ(mover->record->health, 40);
  board.sideToMove = 0;
  board.Regenerate(1.0f);
  EXPECT_EQ(mover->record->health, 110);
  // A unit of the waiting side is neither healed nor held to its maxima.
  board.SetCellType(5, 5, cell_kind::kWater | cell_kind::kPowerPoint);
  YTessorUnit* waiting = AddUnit(board, 1, 5, 5, {.health = 95, .mana = {0, 30, 0, 0}});
  waiting->record->health = 7;
  board.Regenerate(1.0f);
  EXPECT_EQ(waiting->record->health, 7);
  EXPECT_EQ(waiting->record->maxValues[5], 104);  // trunc(95 x 1.1)
  EXPECT_EQ(waiting->record->maxValues[2], 24);   // fire lowered on water
  EXPECT_EQ(waiting->record->mana[1], 30);
}

TEST_F(ElementEffectsTest, RegenerationAddsTruncatedSharesOfTheBaseValues) {
  const struct {
    std::uint32_t cell;
    float factor;
    int baseHealth, health, baseAir, air;
    int healthAfter, airAfter;
  } cases[] = {
      {cell_kind::kWater, 1.0f, 100, 50, 10, 5, 60, 6},   // a tenth of each: 10 health, 1 air
      {cell_kind::kWater, 1.0f, 19, 5, 9, 0, 6, 0},       // 1.9 and 0.9 truncate to 1 and 0
      {cell_kind::kEarth, 1.0f, 100, 50, 10, 0, 70, 0},   // earth heals a fifth; air regains 0.5 -> 0
      {cell_kind::kAir, 1.0f, 100, 95, 10, 11, 100, 12},  // held to the maxima (air 12 on air)
      {cell_kind::kAir, 2.0f, 100, 50, 10, 0, 70, 4},     // the hero factor doubles both
  };
  for (const auto& c : cases) {
    YTessorBoard board;
    board.SetCellType(4, 4, c.cell);
    YTessorUnit* unit = AddUnit(board, 0, 4, 4, {.health = c.baseHealth, .mana = {c.baseAir, 0, 0, 0}});
    unit->record->health = c.health;
    unit->record->mana[0] = c.air;
    board.sideToMove = 0;
    board.Regenerate(c.factor);
    EXPECT_EQ(unit->record->health, c.healthAfter) << c.cell << " " << c.baseHealth;
    EXPECT_EQ(unit->record->mana[0], c.airAfter) << c.cell << " " << c.baseAir;
  }
}

TEST_F(ElementEffectsTest, AdvanceTurnTogglesTheSideAndTurnsTheClockRoundInTwelveSteps) {
  for (float start : {0.0f, 0.25f, 0.5f, 0.75f}) {
    YTessorBoard board;
    board.clock = start;
    int wraps = 0;
    for (int step = 0; step < 12; ++step) {
      const float before = board.clock;
      board.AdvanceTurn();
      EXPECT_EQ(board.sideToMove, (step + 1) % 2);
      EXPECT_GE(board.clock, 0.0f);
      EXPECT_LT(board.clock, 1.0f);
      if (board.clock < before) {
        ++wraps;
        EXPECT_EQ(board.clock, 0.0f);  // the step that reaches 0.999 lands on 0 exactly
      }
    }
    EXPECT_EQ(wraps, 1);
    EXPECT_NEAR(board.clock, start, 1e-5f);
  }
}

TEST_F(ElementEffectsTest, TheHydrasHeadsRaiseItsMaximumHealth) {
  YTessorBoard board;
  YTessorUnit* body = AddMonster(board, "hydra_body", 1, 4, 8);
  AddMonster(board, "hydra_air", 1, 3, 8);    // health 40
  AddMonster(board, "hydra_water", 1, 5, 8);  // health 43
  board.ApplyCellEffects(body, 4, 8);
  EXPECT_EQ(body->record->maxValues[5], 130 + 8 + 8);
}

}  // namespace
