// The board object's set-up: desks, armies and single units, clearing, and
// the commanders it owns.
#include "board/YTessor.h"

#include <utility>

#include "board/DeskFile.h"
#include "board/YTessorSounds.h"
#include "board/YTessorUnitBoss.h"
#include "board/YTessorUnitHero.h"
#include "board/YTessorView.h"
#include "players/PlayerRules.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "ui/UIControl.h"

YTessor::YTessor() = default;

YTessor::~YTessor() {
  // Commanders go first: a computer's worker may still read the board.
  commanders_[0].reset();
  commanders_[1].reset();
  retired_.clear();
}

YTessor& GetTessor() {
  static YTessor tessor;
  return tessor;
}

void YTessor::LoadDesk(std::string_view fileName) {
  LoadDeskFile(fileName, board_);
}

void YTessor::SetArmy(YPlayer* record, int side) {
  side &= 1;
  players_[static_cast<std::size_t>(side)] = record;
  auto* hero = dynamic_cast<YPlayerHero*>(record);
  if (hero == nullptr) return;
  for (int i = 0; i < kArmySlots; ++i) {
    YPlayer* slot = hero->slots[static_cast<std::size_t>(i)];
    if (slot == nullptr) continue;
    const UnitClass unitClass = slot == record ? UnitClass::kHero : UnitClass::kPlain;
    YTessorUnit* unit = board_.AddUnit(MakeUnit(unitClass, slot, side));
    const int x = i % kBoardSize;
    const int y = i / kBoardSize;
    if (side == 0) {
      board_.PlaceUnit(unit, x, y);
    } else {
      board_.PlaceUnit(unit, kBoardSize - 1 - x, kBoardSize - 1 - y);
    }
  }
}

YTessorUnit* YTessor::AddHeroUnit(YPlayer* record, int side, int x, int y) {
  if (record == nullptr) return nullptr;
  side &= 1;
  players_[static_cast<std::size_t>(side)] = record;
  YTessorUnit* unit = board_.AddUnit(MakeUnit(UnitClass::kHero, record, side));
  return board_.PlaceUnit(unit, x, y);
}

namespace {

// The unit class of a monster record; nothing when its id is unknown.
std::optional<UnitClass> MonsterUnitClass(const YPlayer& record) {
  const auto* monster = dynamic_cast<const YPlayerMonster*>(&record);
  if (monster == nullptr) return UnitClass::kPlain;
  const YMonsterType* type = monster->GetType();
  if (type == nullptr) return std::nullopt;
  return type->boss ? UnitClass::kBoss : UnitClass::kPlain;
}

}  // namespace

YTessorUnit* YTessor::AddMonsterUnit(YPlayer* record, int side, int x, int y) {
  if (record == nullptr) return nullptr;
  const std::optional<UnitClass> unitClass = MonsterUnitClass(*record);
  if (!unitClass) return nullptr;
  YTessorUnit* unit = board_.AddUnit(MakeUnit(*unitClass, record, side));
  ThreadRandom random;
  unit->CreateSpecial(board_, random);
  return board_.PlaceUnit(unit, x, y);
}

YTessorUnit* YTessor::AddOwnedMonsterUnit(std::unique_ptr<YPlayerMonster> record, int side,
                                          RandomSource& random) {
  if (record == nullptr) return nullptr;
  const std::optional<UnitClass> unitClass = MonsterUnitClass(*record);
  if (!unitClass) return nullptr;
  YTessorUnit* unit = board_.AddUnit(MakeUnit(*unitClass, std::unique_ptr<YPlayer>(std::move(record)), side));
  unit->CreateSpecial(board_, random);
  return unit;
}

bool YTessor::IsCellFree(YTessorUnit* unit, int x, int y) {
  if (unit == nullptr || !IsOnBoard(x, y)) return false;
  const YTessorCell& cell = board_.Cell(x, y);
  if (cell.IsBlocked() || cell.occupant != nullptr) return false;
  board_.PlaceUnit(unit, x, y);
  return true;
}

void YTessor::ClearSide(int side, bool deleteRecords) {
  const auto& list = board_.Units(side);
  for (YTessorUnit* unit : list) {
    if (unit == selected || unit == moving || unit == defender) ResetTurnState();
  }
  board_.ClearSide(side, deleteRecords);
  ClearBlurCopies();
}

void YTessor::ClearUndoOfSide(int side) {
  board_.ClearUndoOfSide(side);
  ClearBlurCopies();
}

void YTessor::ClearUndo() {
  board_.ClearUndo();
  if (view_ != nullptr) view_->ClearCopies();
}

void YTessor::ResetTurnState() {
  stateFlags = 0;
  selected = nullptr;
  moving = nullptr;
  defender = nullptr;
  userMovePending = false;
  path_.Clear();
  walkPath_.clear();
}

void YTessor::ResetBoard() {
  ResetTurnState();
  ClearUndo();
  board_.ClearSide(0, true);
  board_.ClearSide(1, true);
  players_ = {};
  levelNumber = -1;
  gameRunning = false;
}

void YTessor::ClearBoard() {
  ResetTurnState();
  ClearUndoOfSide(1);
  board_.ClearSide(1, true);
  board_.ClearSide(0, false);
  if (view_ != nullptr) view_->ClearCopies();
  players_[1] = nullptr;
  gameRunning = false;
}

void YTessor::SetLevelBonus(std::string artifact, std::uint32_t spell) {
  bonusArtifact = std::move(artifact);
  bonusSpell = spell;
}

void YTessor::SetCommander(int side, std::unique_ptr<YTessorPlayerCommander> commander) {
  std::unique_ptr<YTessorPlayerCommander>& slot = commanders_[static_cast<std::size_t>(side & 1)];
  if (commanderCalls_ > 0 && slot) retired_.push_back(std::move(slot));
  slot = std::move(commander);
  if (slot) slot->AttachBoard(this);
}

void YTessor::DeleteCommanders() {
  SetCommander(0, nullptr);
  SetCommander(1, nullptr);
}

void YTessor::SwapCommanders() {
  std::swap(commanders_[0], commanders_[1]);
  for (int side = 0; side < 2; ++side) {
    if (commanders_[static_cast<std::size_t>(side)]) commanders_[static_cast<std::size_t>(side)]->side = side;
  }
}

void YTessor::CallCommander(int side, const std::function<void(YTessorPlayerCommander&)>& call) {
  YTessorPlayerCommander* commander = Commander(side);
  if (commander == nullptr) return;
  ++commanderCalls_;
  call(*commander);
  if (--commanderCalls_ == 0) retired_.clear();
}

void YTessor::NotifySkill(const YPlayer* record) {
  if (record == nullptr) return;
  if (Commander(1) != nullptr && record == players_[0]) {
    CallCommander(1, [](YTessorPlayerCommander& c) { c.SendSkill(); });
  } else if (Commander(0) != nullptr && record == players_[1]) {
    CallCommander(0, [](YTessorPlayerCommander& c) { c.SendSkill(); });
  }
}

float YTessor::HeroFactor(int side) const {
  const auto* hero = dynamic_cast<const YPlayerHero*>(Player(side));
  return hero != nullptr ? hero->strength : 1.0f;
}

void YTessor::PlaySound(std::string_view name, const YVector3& position, float volume) {
  if (sounds_ != nullptr) sounds_->Play(name, position, volume);
}
