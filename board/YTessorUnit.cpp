#include "board/YTessorUnit.h"

#include "board/YTessorUnitBoss.h"
#include "board/YTessorUnitHero.h"
#include "players/YPlayerMonster.h"

YTessorUnit::YTessorUnit(YPlayer* record_, int side_) : record(record_), side(side_) {}

YTessorUnit::YTessorUnit(std::unique_ptr<YPlayer> record_, int side_)
    : record(record_.get()), side(side_), ownedRecord_(std::move(record_)) {}

YTessorUnit::~YTessorUnit() = default;

void YTessorUnit::CreateSpecial(YTessorBoard& board, RandomSource& random) {
  special = CreateMonsterSpecial(board, *this, random);
}

std::int32_t YTessorUnit::SpecialHealthBonus(const YTessorBoard& board) const {
  return special ? special->HealthBonus(board) : 0;
}

std::string YTessorUnit::MonsterId() const {
  const auto* monster = dynamic_cast<const YPlayerMonster*>(record);
  return monster != nullptr ? monster->typeId : std::string();
}

namespace {

template <typename Record>
std::unique_ptr<YTessorUnit> MakeUnitOf(UnitClass unitClass, Record record, int side) {
  switch (unitClass) {
    case UnitClass::kHero:
      return std::make_unique<YTessorUnitHero>(std::move(record), side);
    case UnitClass::kBoss:
      return std::make_unique<YTessorUnitBoss>(std::move(record), side);
    case UnitClass::kPlain:
      break;
  }
  return std::make_unique<YTessorUnit>(std::move(record), side);
}

}  // namespace

std::unique_ptr<YTessorUnit> MakeUnit(UnitClass unitClass, YPlayer* record, int side) {
  return MakeUnitOf(unitClass, record, side);
}

std::unique_ptr<YTessorUnit> MakeUnit(UnitClass unitClass, std::unique_ptr<YPlayer> record, int side) {
  return MakeUnitOf(unitClass, std::move(record), side);
}
