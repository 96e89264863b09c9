// The reader of the monster file ("monsters.yml" of the interface language)
// into the monster catalogue. Loading again (another language) updates the
// types in place; a type's per-level lists and layouts are rebuilt from the
// file that is being read. Mark-up errors are skipped silently.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "framework/DataFileReader.h"

struct YMonsterType;

class YMonsterReader : public DataFileReader {
 public:
  YMonsterReader();

  // Reads the file into the catalogue; a missing file is logged and changes
  // nothing.
  void Load(std::string_view fileName);

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  void ReadMonster();
  void ReadData();

  YMonsterType* current_ = nullptr;
  std::int32_t currentLevel_ = -1;
  std::set<std::string> seenThisLoad_;  // ids whose lists this load has begun
};
