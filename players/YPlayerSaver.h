// The reader and writer of one player profile: a hero with its army,
// artifacts and spells in a mark-up file. Read in full into a hero record,
// or in summary mode for the profile lists; written with every attribute
// through a ".tmp" file that replaces the profile only when whole.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/DataFileReader.h"
#include "players/ProfileInfo.h"

class YPlayerHero;
class YPlayerMonster;

class YPlayerSaver : public DataFileReader {
 public:
  // `target` is where a full read stores the hero it makes (freeing, with
  // its army, a hero that was there; no board may hold that hero) and where
  // Save finds the hero to write. It may be null in summary mode.
  // Both modes read the first hero element that closes and nothing after
  // it; a file whose hero element does not close, or holds a hero inside
  // the hero or a monster inside a monster, gives no hero (the target is
  // left as it was) and no summary, and is logged.
  YPlayerSaver(YPlayerHero** target, bool summary);
  ~YPlayerSaver() override;

  // Reads a profile file; a file that cannot be read gives no hero and no
  // summary. Mark-up errors are logged as "Player loader error, %s, line: %d".
  void Load(std::string_view fileName);
  // Parses profile text (for bytes held in memory).
  void LoadText(const std::string& text, std::string_view name);
  // Writes the target's hero to fileName + ".tmp" and moves it over the
  // file. False (and nothing written) without a hero; false when the write
  // or the move failed, the old file then being untouched.
  bool Save(std::string_view fileName);
  // The profile text Save writes.
  std::string ProfileText();

  // Summary mode: the summary of the first hero element that closed.
  const std::optional<ProfileInfo>& Summary() const { return summary_; }

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  void OpenSummary(int tagId);
  void CloseSummary(int tagId);
  std::string HeroName();
  void ReadHero();
  void ReadMonster();
  void ReadEvol();
  void ReadData();
  void ReadArtifact();
  void ReadSpell();
  void EndMonster();
  void EndHero();
  void PlaceHero(int slot);
  void PlaceMonster(int slot);
  void FreeSlot(int slot);
  void Reset();
  void FinishRead();
  void Refuse(const std::string& why);
  void FreeOpenHero();

  YPlayerHero** target_;
  bool summaryMode_;
  // Both modes: a hero element is open; the first hero element has closed.
  bool heroOpen_ = false;
  bool heroDone_ = false;
  // Both modes: the record was refused; the rest of the file is not read.
  bool refused_ = false;
  // Full read: the hero this read is making (owned until its element
  // closes and it moves to the target), the monster whose elements are
  // being read (owned by `unplaced_` until an "evol" puts it into a slot),
  // and whether a "monster" element is open (also for an unknown id, whose
  // elements are then skipped; both modes).
  YPlayerHero* hero_ = nullptr;
  YPlayerMonster* monster_ = nullptr;
  std::unique_ptr<YPlayerMonster> unplaced_;
  bool inMonster_ = false;
  // Summary mode.
  std::int32_t monsterCount_ = 0;
  std::int32_t experience_ = 0;
  bool experienceRead_ = false;
  std::optional<ProfileInfo> summary_;
};
