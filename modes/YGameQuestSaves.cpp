// The quest's saves: the list of numbered save files and their summaries,
// writing the running quest, and resuming a save on the board and in the
// tile battle.
#include <algorithm>

#include "board/BoardRandom.h"
#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "draw/PanelSlots.h"
#include "framework/FileAlerts.h"
#include "framework/FileUtils.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/OutFStream.h"
#include "modes/GameHost.h"
#include "modes/QuestSaveData.h"
#include "modes/YGameQuest.h"
#include "modes/YQuestSaver.h"
#include "platform/FileSystem.h"
#include "players/NumberedFiles.h"
#include "players/Stats.h"
#include "players/YMonsterShop.h"
#include "players/YPlayerHero.h"
#include "tiles/YTileset.h"

std::string YGameQuest::SaveFolder() {
  return GetInit().UserPath() + "save";
}

// The folder may be gone (the player deleted it); the next save makes it.
void YGameQuest::MakeSaveFolder() {
  if (!MakeDirectory(SaveFolder())) Log::Printf("Cannot create the save folder %s", SaveFolder().c_str());
}

void YGameQuest::ListSaves() {
  saveNames_ = ListNumberedFiles(SaveFolder());
}

// Every save is listed under its own file's name; one that cannot be read
// or yields no summary is listed as damaged (and logged), so that the
// player meets it where damaged saves are explained and can be deleted.
void YGameQuest::LoadSaveList() {
  ListSaves();
  saves_.clear();
  YQuestSaver reader;
  for (const std::string& name : saveNames_) {
    const std::string path = SaveFolder() + "\\" + name;
    const std::optional<std::string> text = platform::ReadTextFile(path);
    std::optional<SaveInfo> info;
    if (text) info = reader.ReadSummary(*text, path);
    if (!info) {
      Log::Printf(text ? "The save %s shows no hero: it is damaged" : "The save %s cannot be read",
                  path.c_str());
      info.emplace();
      info->name = name;
      info->readable = false;
    }
    info->fileName = name;
    saves_.push_back(std::move(*info));
  }
}

// A won quest whose record the game did not write (it ended in between)
// gets it from its save; a win the hall holds, under the name the game held
// or the one its save reads back, is not added again.
void YGameQuest::RecordWonSaves() {
  for (const SaveInfo& info : saves_) {
    if (info.readable && info.finished) GetStats().AddRecordOnce(info.ToScoreRecord());
  }
}

bool YGameQuest::HasSaves() {
  if (saves_.size() != saveNames_.size()) LoadSaveList();
  return !saves_.empty();
}

// Only a save that would be resumed counts as a campaign in progress: the
// whole file is read, as "continue" reads it. A quest won in this run is
// in the hall already, also when its last save could not be written.
std::vector<ScoreRecord> YGameQuest::RunningRecords() {
  HasSaves();
  if (levelNames_.empty()) ListLevels();
  std::vector<ScoreRecord> records;
  YQuestSaver reader;
  for (const SaveInfo& info : saves_) {
    const std::string path = SaveFolder() + "\\" + info.fileName;
    if (!info.readable || info.finished || std::ranges::count(wonSaves_, path) > 0) continue;
    const std::optional<std::string> text = platform::ReadTextFile(path);
    if (text && reader.Read(*text, path, LevelCount())) records.push_back(info.ToScoreRecord());
  }
  return records;
}

bool YGameQuest::DeleteSave(int n) {
  if (n < 0 || static_cast<std::size_t>(n) >= saves_.size()) return false;
  const std::string name = saves_[static_cast<std::size_t>(n)].fileName;
  if (!platform::RemoveFile(SaveFolder() + "\\" + name)) return false;
  saves_.erase(saves_.begin() + n);
  saveNames_.erase(std::remove(saveNames_.begin(), saveNames_.end(), name), saveNames_.end());
  return true;
}

// ---- writing -----------------------------------------------------------------

// A duel is saved only from the tile battle's own state word (3, or 3 under
// the abort question's or the help book's bit): the quest-final save, made
// under the result screen's 0x43, is of the level it ends.
std::int32_t YGameQuest::SavedState() const {
  constexpr std::uint32_t kOverTheDuel = 0x8 | 0x40000;  // the abort question, the help book
  if (nextLevelPending_) return 0;
  const std::uint32_t word = host_ != nullptr ? host_->State() : 0;
  if ((word & ~kOverTheDuel) == 3 && battle_.Fighter(0) != nullptr) return 2;
  return IsFinished() ? 3 : 1;
}

std::string YGameQuest::SaveText() {
  if (hero_ == nullptr) return {};
  QuestSnapshot snapshot;
  snapshot.state = SavedState();
  snapshot.level = levelIndex_;
  snapshot.rewardWaits = rewardWaits_;
  snapshot.hero = hero_;
  snapshot.board = &board_;
  snapshot.battle = &battle_;
  snapshot.goldAtLevel = goldAtLevel_;
  snapshot.goldAtFight = goldAtFight_;
  snapshot.experienceAtFight = experienceAtFight_;
  snapshot.shop = CampaignShop().Player() == hero_ ? &CampaignShop() : nullptr;
  // The door keeper is written as the monster of the hero's slot 0.
  const bool keeper = snapshot.state == 2 && levelIndex_ < 0 && fighter_ && hero_->slots[0] == nullptr;
  if (keeper) hero_->slots[0] = fighter_.get();
  std::string text = YQuestSaver().Write(snapshot);
  if (keeper) hero_->slots[0] = nullptr;
  return text;
}

void YGameQuest::Save() {
  if (hero_ == nullptr || board_.Player(0) != hero_ || savePath_.empty()) return;
  board_.ClearUndoOfSide(1);
  hero_->RemoveDeadMonsters();
  const std::string text = SaveText();
  MakeSaveFolder();
  OutFStream out(savePath_, true);
  out.Write(text.data(), text.size());
  heldSave_.clear();  // the write takes the held ".tmp" over, or removes it
  if (out.Close()) return FileAlerts::SaveSucceeded(FileAlerts::Unsaved::kQuest);
  Log::Printf("The quest could not be saved to %s", savePath_.c_str());
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kQuest);
}

// ---- resuming ----------------------------------------------------------------

bool YGameQuest::LoadSave(int n) {
  resumeProblem_.clear();
  if (n < 0 || static_cast<std::size_t>(n) >= saves_.size()) return false;
  ListLevels();
  const SaveInfo& info = saves_[static_cast<std::size_t>(n)];
  const std::string path = SaveFolder() + "\\" + info.fileName;
  const std::optional<std::string> text = platform::ReadTextFile(path);
  std::unique_ptr<QuestSaveData> data;
  if (text) data = YQuestSaver().Read(*text, path, LevelCount());
  if (!data) {
    Log::Printf("The save %s cannot be resumed", path.c_str());
    if (!text)
      resumeProblem_ = "save_unreadable_confirm";
    else if (info.level >= LevelCount())
      resumeProblem_ = "save_levels_confirm";
    else
      resumeProblem_ = "save_damaged_confirm";
    End();
    return false;
  }
  ClearQuest();
  savePath_ = path;
  if (ApplySave(*data)) return true;
  resumeProblem_ = "save_damaged_confirm";
  End();
  return false;
}

bool YGameQuest::ApplySave(QuestSaveData& data) {
  hero_ = data.TakeHero();
  board_.SetPlayer(0, hero_);
  levelIndex_ = data.level;
  CampaignShop().Attach(hero_, false);
  for (QuestSaveData::Unit& offer : data.shop) CampaignShop().SetOffer(offer.slot, std::move(offer.record));
  // A level won whose save says its reward waits was left at its reward
  // box, which is offered again once the board is back. A save without the
  // word (an older one) tells it by its hero where the level ended (on the
  // board, or fallen); a hero restored and off the board there (a fallen
  // hero, its reward taken) goes on between levels, at the next one.
  const bool wonLevel = data.state == 1 && data.enemies.empty() && levelIndex_ < LevelCount() - 1;
  const bool rewardWaits = wonLevel && (data.rewardWaits || data.heroCell.x >= 0 || hero_->health < 1);
  if (data.state == 0 || (wonLevel && !rewardWaits) || (levelIndex_ < 0 && data.state != 2)) {
    if (wonLevel) levelIndex_ += 1;
    nextLevelPending_ = true;
    Host().OpenControlPanel(hero_, &CampaignShop(), panel::kSpellsTab);
    Host().SetState(1);
    return true;
  }
  nextLevelPending_ = false;
  std::vector<YTessorUnit*> enemies;
  if (levelIndex_ >= 0) enemies = PlaceSavedUnits(data);
  if (data.state == 2) return ResumeDuel(data, enemies);
  Host().SetState(host_state::kBoard);
  // The screens show the reward again when the fade ends on a fight's
  // result; the level's end, done before the save, is not done again.
  if (rewardWaits) {
    TakeLevelBonus();
    Host().SetState(host_state::kBoard | host_state::kResultModal);
    Host().ClearScreen();
  }
  // A won quest goes on with its final scene: the screens open it when the
  // fade ends on the board's word with the final-scene bit.
  if (IsFinished()) {
    Host().SetState(host_state::kBoard | host_state::kFinalScene);
    Host().ClearScreen();
  }
  return true;
}

// The level's desk and bonus, then the saved units where they stood, then
// the board game at the saved clock and side.
std::vector<YTessorUnit*> YGameQuest::PlaceSavedUnits(QuestSaveData& data) {
  battle_.DeleteCommanders();
  board_.DeleteCommanders();
  LoadLevel(true);
  if (hero_->health >= 1 && data.heroCell.x >= 0)
    board_.AddHeroUnit(hero_, 0, data.heroCell.x, data.heroCell.y);
  for (int slot = 0; slot < kArmySlots; ++slot) {
    const QuestSaveData::Cell cell = data.armyCells[static_cast<std::size_t>(slot)];
    YPlayerMonster* monster = hero_->SlotMonster(slot);
    if (monster != nullptr && cell.x >= 0) board_.AddMonsterUnit(monster, 0, cell.x, cell.y);
  }
  board_.SetPlayer(0, hero_);
  // Each saved enemy's unit, null for one that stands nowhere.
  std::vector<YTessorUnit*> enemies;
  ThreadRandom random;
  for (QuestSaveData::Unit& enemy : data.enemies) {
    YTessorUnit* unit = nullptr;
    if (enemy.x >= 0 && enemy.record) unit = board_.AddOwnedMonsterUnit(std::move(enemy.record), 1, random);
    if (unit != nullptr && !board_.IsCellFree(unit, enemy.x, enemy.y)) {
      board_.Board().DeleteUnit(unit, true);
      unit = nullptr;
    }
    enemies.push_back(unit);
  }
  CreateBoardCommanders();
  board_.NewGameAtClock(data.clock);
  board_.Board().sideToMove = data.turn;
  goldAtLevel_ = data.goldAtLevel;
  return enemies;
}

namespace {

YTessorUnit* UnitOf(const YTessor& board, const YPlayer* record, int side) {
  for (YTessorUnit* unit : board.Board().Units(side)) {
    if (unit->record == record) return unit;
  }
  return nullptr;
}

}  // namespace

// The duel goes on where it was saved; inside a level the board's fight is
// pending again, so that its end is settled as a fight started on the board.
bool YGameQuest::ResumeDuel(QuestSaveData& data, const std::vector<YTessorUnit*>& enemies) {
  YPlayer* side0 = hero_->slots[static_cast<std::size_t>(data.fighter0Slot)];
  YPlayer* side1 = nullptr;
  if (levelIndex_ < 0) {
    fighter_.reset(hero_->SlotMonster(0));
    hero_->slots[0] = nullptr;
    side1 = fighter_.get();
  } else {
    YTessorUnit* own = UnitOf(board_, side0, 0);
    YTessorUnit* enemy = enemies[static_cast<std::size_t>(data.fighter1Index)];
    if (own == nullptr || enemy == nullptr) {
      Log::Printf("The saved duel's fighters are not on the board: %s", savePath_.c_str());
      return false;
    }
    side1 = enemy->record;
    board_.ResumeFight(data.turn == 0 ? own : enemy, data.turn == 0 ? enemy : own);
  }
  goldAtFight_ = data.goldAtFight;
  experienceAtFight_ = data.experienceAtFight;
  CreateDuelCommanders();
  if (!battle_.ResumeBattle(data.layout, side0, side1, data.battleFlags, data.battleTurn, data.tiles))
    return false;
  battle_.SetupView();
  Host().SetState(3);
  Host().ClearScreen();
  return true;
}

YGameQuest& GetGameQuest() {
  static YGameQuest quest;
  return quest;
}

void ListQuestSavesAtStartup() {
  YGameQuest& quest = GetGameQuest();
  quest.LoadSaveList();
  quest.RecordWonSaves();
  GetStats().SetInProgressSource([&quest] { return quest.RunningRecords(); });
}
