#include "board/YMonsterSpecial.h"

#include <string>

#include "board/BoardRandom.h"
#include "board/YHydraHeadSpecial.h"
#include "board/YHydraSpecial.h"
#include "board/YSandKingSpecial.h"
#include "board/YSandLarvaSpecial.h"
#include "board/YTessorBoard.h"
#include "board/YTessorUnit.h"
#include "players/YPlayer.h"

std::int32_t YMonsterSpecial::HealthBonus(const YTessorBoard&) const {
  return 0;
}

bool YMonsterSpecial::CanMove(const YTessorBoard&) const {
  return true;
}

void YMonsterSpecial::CountDown() const {
  std::int32_t& counter = owner_->record->specialCounter;
  if (counter > 0) --counter;
}

bool YMonsterSpecial::Charged() const {
  return owner_->record->specialCounter < 1;
}

void YMonsterSpecial::SetCounter(std::int32_t value) const {
  owner_->record->specialCounter = value;
}

std::unique_ptr<YMonsterSpecial> CreateMonsterSpecial(YTessorBoard& board, YTessorUnit& unit,
                                                      RandomSource& random) {
  if (unit.record == nullptr) return nullptr;
  const std::string id = unit.MonsterId();
  YPlayer& record = *unit.record;
  if (id == "sand_king") {
    record.specialCounter = random.Next() % 4;
    return std::make_unique<YSandKingSpecial>(&unit);
  }
  if (id == "sand_larva") {
    record.specialCounter = 4 + random.Next() % 5;
    return std::make_unique<YSandLarvaSpecial>(&unit);
  }
  if (id == "hydra_body") {
    record.specialCounter = random.Next() % 6;
    return std::make_unique<YHydraSpecial>(&unit);
  }
  if (id == "hydra_air" || id == "hydra_fire" || id == "hydra_earth" || id == "hydra_water") {
    board.RegisterHead(unit.record);
    return std::make_unique<YHydraHeadSpecial>(&unit);
  }
  return nullptr;
}
