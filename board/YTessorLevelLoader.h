// The reader of level files: the desk of a campaign level, the monsters of
// the enemy side with their levels and squares, and the level's bonus. It
// fills the board object; bad values are skipped without a message, while
// mark-up errors ("Level load error, ...") and placement problems are logged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/DataFileReader.h"

class YTessor;
class YTessorUnit;

class YTessorLevelLoader : public DataFileReader {
 public:
  // Sets the level number, empties the bonus, clears the board unless only
  // the desk and the bonus are wanted, and reads the file into `tessor`.
  // True when the file was read without a mark-up error.
  static bool Load(YTessor& tessor, std::string_view fileName, std::int32_t levelNumber,
                   std::int32_t baseLevel, bool deskAndBonusOnly);

  YTessorLevelLoader(YTessor& tessor, std::int32_t baseLevel, bool deskAndBonusOnly);

  // The level a level text gives: "N" or "A-B" (a random level from A to B,
  // one draw of the thread's generator when A < B), either relative to
  // `baseLevel` with a leading "+" or "-"; below 1 it is 0.
  static std::int32_t ParseLevel(std::string_view text, std::int32_t baseLevel);

 protected:
  void OnTagOpen(int tagId) override;

 private:
  void ReadDesk();
  void ReadMonster();
  void ReadBonus();
  void Place(YTessorUnit* unit, const std::string& id, const std::string& position);
  bool PlaceOrdinal(YTessorUnit* unit, const std::string& id);
  bool PlaceRandom(YTessorUnit* unit, const std::string& id);
  bool PlaceAt(YTessorUnit* unit, const std::string& id, const std::string& position);

  YTessor& tessor_;
  std::int32_t baseLevel_;
  std::int32_t nextOrdinal_ = 0;
  bool deskLoaded_ = false;
  bool deskAndBonusOnly_;
};
