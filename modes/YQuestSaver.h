// The campaign save file: written from the running quest, tag for tag with
// every attribute at its default left out, and read either in full (into a
// QuestSaveData the quest applies once the whole file proved sound) or in
// summary mode (the save list's SaveInfo). Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/DataFileReader.h"
#include "modes/QuestSaveData.h"
#include "modes/SaveInfo.h"

class YMonsterShop;
class YPlayerHero;
class YTessor;
class YTileset;

// What a save is written from.
struct QuestSnapshot {
  std::int32_t state = 0;  // 0 between levels, 1 on the board, 2 in a duel, 3 won
  std::int32_t level = -1;
  bool rewardWaits = false;           // state 1 only: the won level's reward box is open
  const YPlayerHero* hero = nullptr;  // nothing is written without one
  const YTessor* board = nullptr;     // needed for states above 0
  const YTileset* battle = nullptr;   // needed for state 2
  std::int32_t goldAtLevel = 0;
  std::int32_t goldAtFight = 0;
  std::int32_t experienceAtFight = 0;
  const YMonsterShop* shop = nullptr;  // may be null
};

class YQuestSaver : public DataFileReader {
 public:
  YQuestSaver();
  ~YQuestSaver() override;

  // The save text of a quest; empty without a hero.
  std::string Write(const QuestSnapshot& quest);
  // A full read of save text. Null, with a log line naming `name`, when the
  // save is refused: no closing "game" tag, records before the "hero", a
  // second hero, values out of range (state, level against `levelCount`,
  // difficulty, turn, slots, layout, fighters), or a state whose desk or
  // duel is missing. Cells outside the board mean no cell; unknown
  // monster ids and artifact or spell ids are skipped.
  std::unique_ptr<QuestSaveData> Read(const std::string& text, std::string_view name,
                                      std::int32_t levelCount);
  // The summary of save text: what the hero's element holds up to its own
  // "evol". Nothing when the save has no "game" tag before its hero or the
  // hero has no "evol".
  std::optional<SaveInfo> ReadSummary(const std::string& text, std::string_view name);

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  enum class Section { kStart, kGame, kHero, kDesk, kShop, kBetween };

  void Reset(bool summary, std::int32_t levelCount);
  void Refuse(const std::string& why);
  void ReadGame();
  std::string HeroName();
  void ReadHero();
  void ReadMonster();
  void ReadEvol();
  void ReadHeroEvol(std::int32_t slot, QuestSaveData::Cell cell);
  void ReadMonsterEvol(std::int32_t slot, QuestSaveData::Cell cell);
  void ReadData();
  void ReadArtifact();
  void ReadSpell();
  void ReadDesk();
  void ReadBattle();
  void ReadTile();
  void EndMonster();
  void EndHero();
  void SummaryTag(int tagId);
  bool CheckWhole();

  bool summary_ = false;
  std::int32_t levelCount_ = 0;
  std::unique_ptr<QuestSaveData> data_;
  std::optional<SaveInfo> info_;
  Section section_ = Section::kStart;
  bool refused_ = false;
  bool closed_ = false;
  bool heroPlaced_ = false;
  bool inMonster_ = false;
  bool inBattle_ = false;
  std::unique_ptr<YPlayerMonster> monster_;  // the monster being read, until its "evol" places it
  YPlayerMonster* current_ = nullptr;        // the monster whose values are read
  std::string refusal_;
};
