// The campaign for one player: the hero first fights a door keeper, then
// plays the levels of "levels\" in name order, each a board battle against
// a computer army; between levels it shops and arranges its army; fights
// bring gold and experience; won levels may offer an artifact or a spell;
// the last level ends with a hall-of-fame record and the final scene. The
// quest keeps its state in numbered save files in the user folder's
// "save\". Screens, sounds and the state word go through a GameHost; the
// commanders come from a CommanderFactory. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "modes/CommanderFactory.h"
#include "modes/SaveInfo.h"
#include "players/YGameMaster.h"

class GameHost;
class YPlayer;
class YPlayerHero;
class YPlayerMonster;
class YTessor;
class YTileset;
struct QuestSaveData;

// The new-hero screen's choices.
struct QuestHeroChoice {
  std::string name;
  int race = 0;
  int gender = 0;  // 0 male, 1 female
  int origin = 0;  // the element, 0-3
  std::int32_t difficulty = 0;
};

class YGameQuest : public YGameMaster {
 public:
  // The quest of the process's board and tile battle.
  YGameQuest();
  // A quest of the given battles (tests).
  YGameQuest(YTessor& board, YTileset& battle);
  ~YGameQuest() override;
  YGameQuest(const YGameQuest&) = delete;
  YGameQuest& operator=(const YGameQuest&) = delete;

  // Not owned; null stands for a host that shows and plays nothing.
  void SetHost(GameHost* host);
  // Not owned; null restores the real commanders (the user on side 0, the
  // computer of the hero's row on side 1).
  void SetFactory(CommanderFactory* factory) { factory_ = factory; }

  // --- the game-mode interface ----------------------------------------------
  void Start() override;
  void End() override;
  void OnFight(YTessorUnit* attacker, YTessorUnit* defender) override;
  void OnFightEnd(std::int32_t result) override;
  void OnLevelEnd() override;
  void OnRewardChoice(std::int32_t choice) override;
  void OnRetryLevel() override;
  void OnNextRound() override;
  void Update() override;

  // --- what the screens call --------------------------------------------------
  // A new quest of a new hero under a new save name; the screens' Start
  // (once the introduction ends) then begins it. False, with a message and
  // nothing changed, when the level folder holds no level or the hero
  // cannot be made.
  bool NewGame(const QuestHeroChoice& choice);
  // Lists the five-digit ".yml" saves of "save\", highest first.
  void ListSaves();
  // ListSaves, then one summary per save; a save that cannot be read or
  // yields none has one marked unreadable. Only reads.
  void LoadSaveList();
  // Each won quest of the save list gets its hall-of-fame record, once.
  void RecordWonSaves();
  // True when a save exists (the list is read first when out of date).
  bool HasSaves();
  // Resumes summary n's save. False when n is outside the summaries or the
  // save is refused (then no quest is running: back to the main menu).
  bool LoadSave(int n);
  // Why the last LoadSave refused its save, as the locale key of the
  // question that offers to delete it: the file cannot be read, its level
  // is not in the campaign, or it is damaged. Empty after a resume.
  const std::string& ResumeProblem() const { return resumeProblem_; }
  // The hall of fame's rows of the campaigns in progress: each save that
  // "continue" would resume, not won, once.
  std::vector<ScoreRecord> RunningRecords();
  // Deletes summary n's file; the summary goes only when the file did.
  bool DeleteSave(int n);
  // Writes the quest to its save; nothing without a hero.
  void Save();
  // The game ends while a result waits for its box's click (the state
  // word's 0x40 of a fight, 0x80 of a level): the result is taken into the
  // quest as the box's button takes it, and saved, so that what was won
  // stays won. A reward still to choose stays to choose: the level is saved
  // won, its hero where it stood, and resuming it shows the reward again.
  void TakeWaitingResult();
  // The last level is the current one and its enemy army is gone.
  bool IsFinished() const;

  // --- what the screens and tests read ----------------------------------------
  const std::vector<SaveInfo>& Saves() const { return saves_; }
  const std::vector<std::string>& SaveNames() const { return saveNames_; }
  const std::vector<std::string>& LevelNames() const { return levelNames_; }
  YPlayerHero* Hero() const { return hero_; }
  YPlayerMonster* DoorKeeper() const { return fighter_.get(); }
  const std::string& SavePath() const { return savePath_; }
  std::int32_t LevelIndex() const { return levelIndex_; }
  bool NextLevelPending() const { return nextLevelPending_; }
  std::int32_t Outcome() const { return outcome_; }
  std::int32_t GoldAtLevel() const { return goldAtLevel_; }
  const std::string& RewardArtifact() const { return rewardArtifact_; }
  std::uint32_t RewardSpell() const { return rewardSpell_; }
  // The save text the quest would write now.
  std::string SaveText();

 private:
  GameHost& Host();
  // The user folder's "save", as a data name without the trailing "\".
  static std::string SaveFolder();
  static void MakeSaveFolder();
  void ListLevels();
  std::int32_t LevelCount() const { return static_cast<std::int32_t>(levelNames_.size()); }
  void ClearQuest();
  void ReleaseHeldSave();
  void RefillForDuel(YPlayer& record);
  void StartFight(YPlayer* side0, YPlayer* side1, const std::string& layout, std::int32_t firstSide);
  void CreateDuelCommanders();
  void CreateBoardCommanders();
  void DoorKeeperEnd();
  void LevelFightEnd();
  void TakeLevelBonus();
  // The won level's reward box, with the reward taken from the level.
  void ShowReward();
  bool NextLevel();
  // True when the level file was read whole.
  bool LoadLevel(bool restoring);
  void TurnArmy();
  void FinishQuest();
  void RecordWonQuest();
  std::int32_t SavedState() const;
  // Resuming a save (YGameQuestSaves.cpp).
  bool ApplySave(QuestSaveData& data);
  std::vector<YTessorUnit*> PlaceSavedUnits(QuestSaveData& data);
  bool ResumeDuel(QuestSaveData& data, const std::vector<YTessorUnit*>& enemies);

  YTessor& board_;
  YTileset& battle_;
  GameHost* host_ = nullptr;
  CommanderFactory* factory_ = nullptr;
  std::vector<std::string> levelNames_;
  std::vector<std::string> saveNames_;
  std::int32_t rewardTab_ = 0;
  std::int32_t goldAtLevel_ = 0;
  std::int32_t goldAtFight_ = 0;
  std::int32_t experienceAtFight_ = 0;
  std::string rewardArtifact_;
  std::string savePath_;
  std::string heldSave_;  // a new quest's save name, held by its ".tmp" until the first save
  std::unique_ptr<YPlayerMonster> fighter_;
  bool nextLevelPending_ = false;
  bool rewardWaits_ = false;  // the won level's end is done; its reward box waits for a choice
  std::int32_t levelIndex_ = -1;
  std::int32_t outcome_ = 0;
  std::uint32_t rewardSpell_ = 0;
  std::vector<SaveInfo> saves_;
  std::vector<std::string> wonSaves_;  // save paths of the quests won in this run
  std::string resumeProblem_;
  YPlayerHero* hero_ = nullptr;  // the board's side-0 record; the quest's to delete
};

// The process's quest.
YGameQuest& GetGameQuest();
// At start-up, once the configuration and the hall of fame are read: reads
// the save list, records the won quests the hall lacks and lets the hall
// show the campaigns in progress.
void ListQuestSavesAtStartup();
// The number of the campaign's level files.
std::int32_t CampaignLevelCount();
