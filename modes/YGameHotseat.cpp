#include "modes/YGameHotseat.h"

#include <string>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "framework/Log.h"
#include "framework/TextFormat.h"
#include "framework/YLocale.h"
#include "modes/CommanderFactory.h"
#include "modes/GameHost.h"
#include "modes/LayoutPath.h"
#include "players/PlayerProfiles.h"
#include "players/YPlayerHero.h"
#include "tiles/YTileset.h"

namespace {
constexpr const char* kDesk = "desks\\base.dsk";
}  // namespace

YGameHotseat::YGameHotseat() : YGameHotseat(GetTessor(), GetTileset()) {}

YGameHotseat::YGameHotseat(YTessor& board, YTileset& battle) : board_(board), battle_(battle) {}

CommanderFactory& YGameHotseat::Factory() const {
  return factory_ != nullptr ? *factory_ : DefaultCommanderFactory();
}

void YGameHotseat::SetStateBits(std::uint32_t bits) {
  Host().SetState(Host().State() | bits);
}

bool YGameHotseat::StartGame(std::int32_t first, std::int32_t second, std::int32_t difficulty) {
  const auto count = static_cast<std::int32_t>(ProfileList().size());
  if (first < 0 || first >= count || second < 0 || second >= count) return false;
  profile_ = {first, second};
  difficulty_ = difficulty;
  ClearBattles();
  YPlayerHero* heroes[2] = {nullptr, nullptr};
  LoadPlayerProfile(first, &heroes[0]);
  LoadPlayerProfile(second, &heroes[1]);
  if (StartWithHeroes(heroes[0], heroes[1], difficulty)) return true;
  Log::Printf("The %s is not started: profile %d or %d gives no hero",
              difficulty >= 0 ? "game against the computer" : "hot-seat game", first, second);
  return false;
}

bool YGameHotseat::StartWithHeroes(YPlayerHero* first, YPlayerHero* second, std::int32_t difficulty) {
  difficulty_ = difficulty;
  ClearBattles();
  if (first == nullptr || second == nullptr) {
    YPlayerHero::DeleteWithArmy(first);
    YPlayerHero::DeleteWithArmy(second);
    return false;
  }
  board_.LoadDesk(kDesk);
  board_.SetArmy(first, 0);
  board_.SetArmy(second, 1);
  CreateBoardCommander();
  BeforeNewGame();
  board_.NewGame();
  Host().SetState(host_state::kBoard);
  return true;
}

void YGameHotseat::ClearBattles() {
  Host().ReleasePlayers();
  battle_.StopBattle();
  board_.DeleteCommanders();
  board_.ResetBoard();
}

void YGameHotseat::Start() {
  StartGame(profile_[0], profile_[1], difficulty_);
}

void YGameHotseat::End() {
  ClearBattles();
}

void YGameHotseat::Update() {
  board_.ActivateLayout();
}

void YGameHotseat::CreateBoardCommander() {
  battle_.DeleteCommanders();
  board_.DeleteCommanders();
  CommanderFactory& factory = Factory();
  board_.SetCommander(0, factory.BoardUser(0));
  board_.SetCommander(1, difficulty_ >= 0 ? factory.BoardComputer(1, difficulty_) : factory.BoardUser(1));
  board_.SetGameMaster(this);
}

void YGameHotseat::CreatePlayerCommander() {
  battle_.DeleteCommanders();
  CommanderFactory& factory = Factory();
  battle_.SetCommander(0, factory.DuelUser(0));
  battle_.SetCommander(1, difficulty_ >= 0 ? factory.DuelComputer(1, kDuelRow) : factory.DuelUser(1));
  battle_.gameMode = this;
}

void YGameHotseat::OnFight(YTessorUnit* attacker, YTessorUnit* defender) {
  if (attacker == nullptr || defender == nullptr) return;
  CreatePlayerCommander();
  const std::string layout = GetLayoutPath(attacker->record, defender->record);
  const bool attackerOnSide1 = attacker->side == 1;
  YPlayer* side0 = attackerOnSide1 ? defender->record : attacker->record;
  YPlayer* side1 = attackerOnSide1 ? attacker->record : defender->record;
  BeginDuel(layout, side0, side1, attacker->side);
}

void YGameHotseat::BeginDuel(const std::string& layout, YPlayer* side0, YPlayer* side1,
                             std::int32_t firstSide) {
  experienceBefore_ = {side0 != nullptr ? side0->experience : 0, side1 != nullptr ? side1->experience : 0};
  if (!battle_.BeginBattle(layout, side0, side1, firstSide)) {
    // No duel can be fought: the attack is turned back at once.
    battle_.DeleteCommanders();
    outcome_ = 1;
    OnLevelEnd();
    return;
  }
  Host().ClearScreen();
  SetStateBits(host_state::kBoardFrozen);
  Host().PlayEffect(kFightSound);
}

std::int32_t YGameHotseat::DuelGain(int side) const {
  const YPlayer* record = battle_.Fighter(side);
  return record != nullptr ? record->experience - experienceBefore_[static_cast<std::size_t>(side & 1)] : 0;
}

std::int32_t YGameHotseat::SettleDuel(std::int32_t result) {
  if (result != 0 && result != 1) {
    for (int side = 0; side < 2; ++side)
      if (YPlayer* record = battle_.Fighter(side)) record->health = 0;
    return 0;
  }
  YPlayer* loser = battle_.Fighter((result + 1) % 2);
  if (loser == nullptr) return 0;
  loser->health = 0;
  return loser->ExperienceValue();
}

void YGameHotseat::OnFightEnd(std::int32_t result) {
  if (result != 0 && result != 1) {
    SetStateBits(host_state::kResultModal);
    Host().ShowMultiplayerDraw();
    SettleDuel(-1);
    outcome_ = -1;
    return;
  }
  const std::int32_t bonus = SettleDuel(result);
  YPlayer* winner = battle_.Fighter(result);
  const YPlayer* loser = battle_.Fighter((result + 1) % 2);
  if (winner != nullptr) {
    const YPlayer* hero = board_.Player(result);
    const bool sameKind = loser != nullptr && winner != hero && winner->name == loser->name;
    const std::string text = sameKind ? FormatTextArgs(GetLocale().GetText("hotseat_win2"), winner->name,
                                                       hero != nullptr ? hero->name : std::string())
                                      : FormatTextArgs(GetLocale().GetText("hotseat_win1"), winner->name);
    Host().ShowBattleVictoryMP(text, DuelGain(result), bonus);
    winner->experience += bonus;
    winner->UpdateLevel();
  }
  outcome_ = (board_.Board().sideToMove + result) % 2;
}

std::int32_t YGameHotseat::Winner() const {
  if (!board_.Board().Units(0).empty()) return 0;
  return board_.Board().Units(1).empty() ? -1 : 1;
}

void YGameHotseat::OnLevelEnd() {
  board_.OnBattleResult(outcome_);
  Host().SetState(host_state::kBoard);
  if (!board_.IsGameOver()) return;
  outcome_ = Winner();
  Host().ShowHotseatComplete(outcome_);
}

YGameHotseat& GetHotseatGame() {
  static YGameHotseat game;
  return game;
}
