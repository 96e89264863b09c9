#include "modes/YGameQuest.h"

#include "modes/LayoutPath.h"

#include <algorithm>

#include "board/YTessor.h"
#include "board/YTessorLevelLoader.h"
#include "board/YTessorPlayerCommander.h"
#include "board/YTessorUnit.h"
#include "draw/PanelSlots.h"
#include "framework/FileUtils.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "modes/GameHost.h"
#include "modes/YQuestSaver.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "players/DifficultyTable.h"
#include "players/NumberedFiles.h"
#include "players/PlayerRules.h"
#include "players/Stats.h"
#include "players/YMonsterShop.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "render/YTextureBase.h"
#include "tiles/YPlayerCommander.h"
#include "tiles/YTileset.h"

namespace {

// The monster id of the door keeper, whose duel opens every quest.
constexpr const char* kDoorKeeper = "door_keeper";
// The campaign's level files, in the order they are played.
constexpr const char* kLevelFiles = "levels\\*.yml";

}  // namespace

YGameQuest::YGameQuest() : YGameQuest(GetTessor(), GetTileset()) {}

YGameQuest::YGameQuest(YTessor& board, YTileset& battle) : board_(board), battle_(battle) {}

YGameQuest::~YGameQuest() = default;

void YGameQuest::SetHost(GameHost* host) {
  host_ = host;
}

GameHost& YGameQuest::Host() {
  static NullGameHost silent;
  return host_ != nullptr ? *host_ : silent;
}

// The levels are listed when a quest needs them, from the folder the game
// runs in then.
void YGameQuest::ListLevels() {
  levelNames_ = ListDirectory(kLevelFiles);
}

std::int32_t CampaignLevelCount() {
  return static_cast<std::int32_t>(ListDirectory(kLevelFiles).size());
}

bool YGameQuest::IsFinished() const {
  return levelIndex_ >= LevelCount() - 1 && board_.Board().Units(1).empty();
}

// ---- a new quest -----------------------------------------------------------

bool YGameQuest::NewGame(const QuestHeroChoice& choice) {
  ListLevels();
  if (levelNames_.empty()) {
    Log::Printf("No campaign level in %s: the quest is not started", "levels\\");
    Host().ShowMessage(GetLocale().GetText("quest_no_levels_mess"));
    return false;
  }
  if (FindMonsterType(kDoorKeeper) == nullptr) {
    Log::Printf("The monsters have no door keeper (%s): the quest is not started", kDoorKeeper);
    Host().ShowMessage(GetLocale().GetText("quest_no_keeper_mess"));
    return false;
  }
  const std::int32_t row = std::clamp(choice.difficulty, 0, kDifficultyRows - 1);
  std::unique_ptr<YPlayerHero> hero = CreateHero(choice.name, choice.race, choice.gender, choice.origin, row,
                                                 DifficultyRowAt(row).heroFactor);
  if (!hero) {
    Log::Printf("The new hero cannot be made: %s", choice.name.c_str());
    return false;
  }
  ClearQuest();
  hero_ = hero.release();
  hero_->slots[kArmyOrder[0]] = hero_;
  board_.SetPlayer(0, hero_);
  ListSaves();
  // The save is first written after the introduction: its name is held
  // from now on, so that another copy of the game starting a quest in
  // between takes another.
  MakeSaveFolder();
  const std::string name = ReserveNumberedFileName(SaveFolder());
  heldSave_ = name;
  saveNames_.insert(saveNames_.begin(), name);
  savePath_ = SaveFolder() + "\\" + name;
  std::erase(wonSaves_, savePath_);  // a name used again after a deletion
  levelIndex_ = -1;
  nextLevelPending_ = false;
  return true;
}

// Deletes what a quest holds: both battles' commanders, the board's units,
// the hero with its army, the door keeper and a save name never used. The
// screens and the duel let go of them first.
void YGameQuest::ClearQuest() {
  ReleaseHeldSave();
  Host().ReleasePlayers();
  battle_.StopBattle();
  board_.DeleteCommanders();
  board_.ClearBoard();
  board_.SetPlayer(0, nullptr);
  board_.levelNumber = -1;
  YPlayerHero::DeleteWithArmy(hero_);
  hero_ = nullptr;
  fighter_.reset();
  CampaignShop().Attach(nullptr, false);
  rewardWaits_ = false;
}

// A new quest left before its first save (during the introduction) gives
// back the save number it held.
void YGameQuest::ReleaseHeldSave() {
  if (heldSave_.empty()) return;
  platform::RemoveFile(SaveFolder() + "\\" + heldSave_ + ".tmp");
  std::erase(saveNames_, heldSave_);
  heldSave_.clear();
}

void YGameQuest::Start() {
  if (hero_ == nullptr) return;
  levelIndex_ = -1;
  nextLevelPending_ = false;
  fighter_ = YPlayerMonster::MakeAtLevel(kDoorKeeper, 0, 1.0f);
  if (!fighter_) {
    Log::Printf("The quest has no door keeper: %s", kDoorKeeper);
    return;
  }
  RefillForDuel(*hero_);
  RefillForDuel(*fighter_);
  StartFight(hero_, fighter_.get(), kStandardLayout, 0);
  battle_.SetupView();
  Host().SetState(3);
  Save();
}

void YGameQuest::RefillForDuel(YPlayer& record) {
  record.health = record.maxValues[5] = record.baseHealth;
  for (std::size_t i = 0; i < 4; ++i) record.mana[i] = record.maxValues[i + 1] = record.baseMana[i];
}

void YGameQuest::End() {
  ClearQuest();
  levelIndex_ = -1;
  nextLevelPending_ = false;
}

// ---- fights ------------------------------------------------------------------

void YGameQuest::CreateDuelCommanders() {
  battle_.DeleteCommanders();
  const std::int32_t row = hero_ != nullptr ? hero_->difficulty : 0;
  CommanderFactory& factory = factory_ != nullptr ? *factory_ : DefaultCommanderFactory();
  battle_.SetCommander(0, factory.DuelUser(0));
  battle_.SetCommander(1, factory.DuelComputer(1, row));
  battle_.gameMode = this;
}

void YGameQuest::CreateBoardCommanders() {
  board_.DeleteCommanders();
  const std::int32_t row = hero_ != nullptr ? hero_->difficulty : 0;
  CommanderFactory& factory = factory_ != nullptr ? *factory_ : DefaultCommanderFactory();
  board_.SetCommander(0, factory.BoardUser(0));
  board_.SetCommander(1, factory.BoardComputer(1, row));
  board_.SetGameMaster(this);
}

void YGameQuest::StartFight(YPlayer* side0, YPlayer* side1, const std::string& layout,
                            std::int32_t firstSide) {
  goldAtFight_ = hero_->gold;
  experienceAtFight_ = side0->experience;
  CreateDuelCommanders();
  if (!battle_.BeginBattle(layout, side0, side1, firstSide)) {
    Log::Printf("The quest's duel cannot start on %s", layout.c_str());
    return;
  }
  Host().ClearScreen();
  Host().SetState(Host().State() | 0x100);
  Host().PlayEffect("combat");
}

void YGameQuest::OnFight(YTessorUnit* attacker, YTessorUnit* defender) {
  if (attacker == nullptr || defender == nullptr || hero_ == nullptr) return;
  const bool attackerFirst = attacker->side == 0;
  YPlayer* side0 = attackerFirst ? attacker->record : defender->record;
  YPlayer* side1 = attackerFirst ? defender->record : attacker->record;
  StartFight(side0, side1, GetLayoutPath(attacker->record, defender->record), attacker->side);
}

void YGameQuest::OnFightEnd(std::int32_t result) {
  YPlayer* side0 = battle_.Fighter(0);
  YPlayer* side1 = battle_.Fighter(1);
  if (hero_ == nullptr || side0 == nullptr || side1 == nullptr) return;
  const std::int32_t goldGained = hero_->gold - goldAtFight_;
  const std::int32_t experienceGained = side0->experience - experienceAtFight_;
  hero_->goldWon = SaturatedInt32(std::int64_t{hero_->goldWon} + goldGained);
  hero_->experienceWon = SaturatedInt32(std::int64_t{hero_->experienceWon} + experienceGained);
  if (result == 1) {
    side0->health = 0;
    side1->experience = SaturatedInt32(std::int64_t{side1->experience} + side0->ExperienceValue());
    side1->UpdateLevel();
    Host().ShowDefeat(goldGained, experienceGained);
    hero_->fightsLost += 1;
  } else {
    side1->health = 0;
    std::int32_t goldBonus = UnitStrengthSum(*side1) / 2;
    if (result == -1) goldBonus /= 2;
    const std::int32_t experienceBonus = side1->ExperienceValue();
    Host().ShowBattleVictory(result == 0, goldGained, experienceGained, goldBonus, experienceBonus);
    hero_->gold = SaturatedInt32(std::int64_t{hero_->gold} + goldBonus);
    hero_->goldWon = SaturatedInt32(std::int64_t{hero_->goldWon} + goldBonus);
    hero_->experienceWon = SaturatedInt32(std::int64_t{hero_->experienceWon} + experienceBonus);
    hero_->fightsWon += 1;
    if (result == -1) hero_->fightsLost += 1;
    const std::int32_t monsterShare = side0 == hero_ ? 0 : experienceBonus / 2;
    if (side0 != hero_) {
      side0->experience = SaturatedInt32(std::int64_t{side0->experience} + monsterShare);
      side0->UpdateLevel();
    }
    hero_->experience = SaturatedInt32(std::int64_t{hero_->experience} + experienceBonus - monsterShare);
    hero_->UpdateLevel();
  }
  outcome_ = result == -1 ? -1 : (board_.Board().sideToMove + result) % 2;
}

// ---- the end of a fight and of a level ---------------------------------------

void YGameQuest::OnLevelEnd() {
  if (hero_ == nullptr) return;
  if (levelIndex_ < 0) return DoorKeeperEnd();
  LevelFightEnd();
}

void YGameQuest::DoorKeeperEnd() {
  const bool keeperBeaten = fighter_ == nullptr || fighter_->health < 1;
  battle_.StopBattle();  // the duel lets go of its fighters: the keeper goes next
  fighter_.reset();
  if (keeperBeaten) {
    OnNextRound();
    CampaignShop().Attach(hero_, true);
    Save();
    Host().SetState(1);
    return;
  }
  Start();
  Host().ShowMessage(GetLocale().GetText("door-keeper_fail_mess"));
  Host().SetState(Host().State() | 0x400);
}

void YGameQuest::LevelFightEnd() {
  board_.OnBattleResult(outcome_);
  if (!board_.IsGameOver()) {
    Host().SetState(2);
    Save();
    return;
  }
  // A level whose reward box was left open has ended already: the board
  // comes back as it stood and the box is shown again, nothing else.
  if (rewardWaits_) return ShowReward();
  board_.ClearUndoOfSide(1);
  hero_->RemoveDeadMonsters();
  if (IsFinished()) {
    rewardArtifact_.clear();
    rewardSpell_ = 0;
    Host().ShowQuestFinal();
    Save();
    RecordWonQuest();
    Host().SetState(0x82);
    return;
  }
  CampaignShop().Refresh(levelIndex_);
  if (board_.Board().Units(0).empty()) {
    hero_->levelsLost += 1;
    Host().ShowLevelFail();
  } else {
    TakeLevelBonus();
    return ShowReward();
  }
  Host().SetState(0x82);
}

// The won level's reward is its bonus; a level without a bonus spell
// offers none.
void YGameQuest::TakeLevelBonus() {
  rewardWaits_ = true;
  rewardArtifact_ = board_.bonusSpell != 0 ? board_.bonusArtifact : std::string();
  rewardSpell_ = board_.bonusSpell;
}

void YGameQuest::ShowReward() {
  if (rewardSpell_ == 0)
    Host().ShowLevelComplete2();
  else
    Host().ShowLevelComplete(rewardArtifact_, rewardSpell_);
  Host().SetState(0x82);
}

// A hero that fell in a won level pays its fine before the next level; the
// level is counted as done before the save, so that a resumed save neither
// replays the won level on an empty board nor skips the next.
void YGameQuest::OnRewardChoice(std::int32_t choice) {
  if (hero_ == nullptr) return;
  rewardWaits_ = false;
  const bool fallen = hero_->health < 1;
  if (choice == 0) hero_->AddSpell(rewardSpell_);
  if (choice == 1) hero_->AddArtifact(rewardArtifact_);
  hero_->RestoreAll();
  rewardTab_ = choice;
  if (levelIndex_ < LevelCount() - 1) {
    if (!fallen) {
      OnNextRound();
    } else {
      // The fine screen shows what the hero paid, not what it kept.
      const std::int32_t fine = (hero_->gold - goldAtLevel_) / 2;
      hero_->gold -= fine;
      hero_->health = hero_->baseHealth;
      nextLevelPending_ = true;
      levelIndex_ += 1;
      Host().ShowHeroFine(hero_->face != nullptr ? hero_->face->name() : std::string(), fine);
    }
  } else {
    FinishQuest();
  }
  Save();
}

// The win was recorded when the last level was won; the final scene follows.
void YGameQuest::FinishQuest() {
  Host().SetState(Host().State() | host_state::kFinalScene);
  Host().ClearScreen();
}

// The hall holds the won quest from the moment its save says it is won, so
// that a game closed at the quest's final dialog loses no record; a save
// that says so without a record behind it gets one at the next start. The
// record is the one the save reads back (the writer may change a name it
// cannot write as it stands), so that the save met again is the same win.
void YGameQuest::RecordWonQuest() {
  if (std::ranges::count(wonSaves_, savePath_) == 0) wonSaves_.push_back(savePath_);
  if (const std::optional<SaveInfo> saved = YQuestSaver().ReadSummary(SaveText(), savePath_))
    GetStats().AddRecordOnce(saved->ToScoreRecord());
}

void YGameQuest::TakeWaitingResult() {
  if (hero_ == nullptr) return;
  if ((Host().State() & host_state::kResultModal) != 0 && !rewardWaits_) OnLevelEnd();
  if (rewardWaits_) return rewardSpell_ == 0 ? OnRewardChoice(-1) : Save();
  // The fine and the quest's end were saved as their boxes opened.
  if ((Host().State() & host_state::kCompleteModal) == 0 || nextLevelPending_ || IsFinished()) return;
  if (board_.Board().Units(0).empty()) OnRetryLevel();
}

void YGameQuest::OnRetryLevel() {
  if (hero_ == nullptr) return;
  hero_->RestoreAll();
  nextLevelPending_ = true;
  Host().OpenControlPanel(hero_, &CampaignShop(), panel::kArmyTab);
  Host().SetState(1);
  Save();
}

// The fine screen's button comes after the fallen hero's level was already
// counted; only a level not yet pending is advanced here.
void YGameQuest::OnNextRound() {
  if (hero_ == nullptr) return;
  if (!nextLevelPending_) {
    nextLevelPending_ = true;
    levelIndex_ += 1;
  }
  Host().OpenControlPanel(hero_, &CampaignShop(), rewardTab_);
  Host().SetState(1);
}

// A level that cannot be read stays pending, the control panel stays, and
// the player is told.
void YGameQuest::Update() {
  if (nextLevelPending_) {
    if (!NextLevel()) {
      Host().ShowMessage(GetLocale().GetText("level_unreadable_mess"));
      return;
    }
    nextLevelPending_ = false;
  }
  board_.ActivateLayout();
}

// ---- levels ------------------------------------------------------------------

bool YGameQuest::LoadLevel(bool restoring) {
  if (levelIndex_ < 0 || levelIndex_ >= LevelCount()) return false;
  const bool read = YTessorLevelLoader::Load(
      board_, "levels\\" + levelNames_[static_cast<std::size_t>(levelIndex_)], levelIndex_, hero_->level, restoring);
  board_.SetPlayer(1, nullptr);
  return read;
}

// False, with nothing started, when the level's file cannot be read whole
// or sets no enemy on the board: such a level could never be won.
bool YGameQuest::NextLevel() {
  if (hero_ == nullptr || levelIndex_ < 0 || levelIndex_ >= LevelCount()) return false;
  board_.ClearBoard();
  if (!LoadLevel(false) || board_.Board().Units(1).empty()) {
    Log::Printf("Level %s is not started", levelNames_[static_cast<std::size_t>(levelIndex_)].c_str());
    board_.ClearBoard();
    return false;
  }
  goldAtLevel_ = hero_->gold;
  hero_->RestoreAll();
  board_.SetArmy(hero_, 0);
  CreateBoardCommanders();
  board_.NewGame();
  if (levelIndex_ == LevelCount() - 1 && board_.Board().Units(0).size() > 1) TurnArmy();
  Host().SetState(2);
  return true;
}

// In the last level the hero's own army turns against it.
void YGameQuest::TurnArmy() {
  std::vector<YTessorUnit*> turned;
  for (YTessorUnit* unit : board_.Board().Units(0)) {
    if (unit->record != hero_) turned.push_back(unit);
  }
  for (YPlayer*& slot : hero_->slots) {
    if (slot != hero_) slot = nullptr;  // the board deletes the turned records with side 1
  }
  const YColor birth(1.0f, 0.2f, 0.2f, 1.0f), end(1.0f, 0.2f, 0.2f, 0.0f);
  for (YTessorUnit* unit : turned) {
    board_.Board().ChangeSide(unit);
    for (int copy = 0; copy < 10; ++copy) board_.DrawUnitJitter(unit, birth, end, 1.0f, 0.1f);
  }
  Host().PlayEffect("laugh");
}
